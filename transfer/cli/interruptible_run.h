#pragma once

#include <atomic>
#include <functional>

namespace vrk::cli {

// Runs `work` on a thread of its own while the terminal's interrupt key (Ctrl+C) only sets
// `abandoned`: the first press makes the transfer give up, and no press ends the program, so
// `work` writes what was received and the transcript before it returns. The program's earlier
// handling of the key is back once `work` has returned, unless the key was pressed: then the
// program is winding up, and further presses are ignored until it has said what it kept. One file
// per system (posix_interruptible_run.cpp, win32_interruptible_run.cpp).
void RunInterruptible(std::atomic<bool>& abandoned, const std::function<void()>& work);

}  // namespace vrk::cli

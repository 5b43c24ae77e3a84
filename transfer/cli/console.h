#pragma once

namespace vrk::cli {

// The program's messages are UTF-8; a Windows console shows them as such only when told
// (win32_console.cpp). A POSIX terminal needs nothing (posix_console.cpp).
void PrepareConsole();

// Whether standard error is a terminal (progress is drawn only there).
bool StandardErrorIsTerminal();

}  // namespace vrk::cli

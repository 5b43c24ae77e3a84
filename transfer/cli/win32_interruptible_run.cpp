#include <windows.h>

#include <thread>

#include "cli/interruptible_run.h"

namespace vrk::cli {

namespace {

std::atomic<bool>* g_abandoned = nullptr;

// Called on a thread of the system's own; answering TRUE keeps the process alive.
BOOL WINAPI OnConsoleControl(DWORD event) {
    if ((event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT) && g_abandoned != nullptr) {
        g_abandoned->store(true);
        return TRUE;
    }
    return FALSE;
}

// After a press the program is winding up: a further one must not end it before it has said
// what was kept.
BOOL WINAPI IgnoreConsoleControl(DWORD event) {
    return event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT ? TRUE : FALSE;
}

}  // namespace

void RunInterruptible(std::atomic<bool>& abandoned, const std::function<void()>& work) {
    g_abandoned = &abandoned;
    ::SetConsoleCtrlHandler(OnConsoleControl, TRUE);
    std::thread worker(work);
    worker.join();
    if (abandoned.load()) {
        ::SetConsoleCtrlHandler(IgnoreConsoleControl, TRUE);
    }
    ::SetConsoleCtrlHandler(OnConsoleControl, FALSE);
    g_abandoned = nullptr;
}

}  // namespace vrk::cli

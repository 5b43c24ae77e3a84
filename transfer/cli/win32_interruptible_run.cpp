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

}  // namespace

void RunInterruptible(std::atomic<bool>& abandoned, const std::function<void()>& work) {
    g_abandoned = &abandoned;
    ::SetConsoleCtrlHandler(OnConsoleControl, TRUE);
    std::thread worker(work);
    worker.join();
    ::SetConsoleCtrlHandler(OnConsoleControl, FALSE);
    g_abandoned = nullptr;
}

}  // namespace vrk::cli

#include <pthread.h>
#include <signal.h>

#include <thread>

#include "cli/interruptible_run.h"

namespace vrk::cli {

namespace {

std::atomic<bool>* g_abandoned = nullptr;

extern "C" void OnInterrupt(int) {
    if (g_abandoned != nullptr) {
        g_abandoned->store(true);
    }
}

sigset_t InterruptOnly() {
    sigset_t set;
    ::sigemptyset(&set);
    ::sigaddset(&set, SIGINT);
    return set;
}

}  // namespace

void RunInterruptible(std::atomic<bool>& abandoned, const std::function<void()>& work) {
    g_abandoned = &abandoned;
    // Without SA_RESTART: a prompt waiting on the terminal returns at the key instead of waiting
    // on, and the transfer then sees `abandoned`.
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    ::sigemptyset(&action.sa_mask);
    struct sigaction previous {};
    ::sigaction(SIGINT, &action, &previous);

    std::thread worker(work);
    // The key is delivered to the worker, the thread that may be waiting on the terminal.
    const sigset_t interrupt = InterruptOnly();
    sigset_t before;
    ::pthread_sigmask(SIG_BLOCK, &interrupt, &before);
    worker.join();
    if (abandoned.load()) {
        // The program is winding up because of a press: a further one must not end it before it
        // has said what was kept.
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        ::sigemptyset(&ignore.sa_mask);
        ::sigaction(SIGINT, &ignore, nullptr);
    } else {
        ::sigaction(SIGINT, &previous, nullptr);
    }
    ::pthread_sigmask(SIG_SETMASK, &before, nullptr);
    g_abandoned = nullptr;
}

}  // namespace vrk::cli

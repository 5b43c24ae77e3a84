#include "console.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <cstdio>

namespace tssim {
namespace {

int gSignalPipe[2] = {-1, -1};
std::atomic<bool> gInterrupted{false};

extern "C" void onSignal(int) {
    gInterrupted = true;
    const char byte = 1;
    [[maybe_unused]] const ssize_t ignored = ::write(gSignalPipe[1], &byte, 1);
}

}  // namespace

Console::Console() {
    if (pipe(gSignalPipe) == 0) {
        for (int fd : gSignalPipe) {
            fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
            fcntl(fd, F_SETFD, FD_CLOEXEC);
        }
    }
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
}

Console::~Console() {
    signal(SIGINT, SIG_DFL);
    signal(SIGTERM, SIG_DFL);
    signal(SIGHUP, SIG_DFL);
}

bool Console::interrupted() const {
    return gInterrupted;
}

void Console::print(const std::string& text) const {
    std::fputs(text.c_str(), stdout);
    if (text.empty() || text.back() != '\n') {
        std::fputc('\n', stdout);
    }
    std::fflush(stdout);
}

Console::Event Console::wait(std::optional<std::chrono::milliseconds> timeout, std::string& line) {
    const auto deadline =
        timeout ? std::optional(std::chrono::steady_clock::now() + *timeout) : std::nullopt;
    while (true) {
        if (gInterrupted) {
            return Event::Interrupt;
        }
        if (const auto end = pending_.find('\n'); end != std::string::npos) {
            line = pending_.substr(0, end);
            pending_.erase(0, end + 1);
            return Event::Line;
        }
        if (!inputOpen_ && !timeout) {
            return Event::EndOfInput;
        }
        int waitMs = -1;
        if (deadline) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                *deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0) {
                return Event::Timeout;
            }
            waitMs = static_cast<int>(left.count());
        }
        std::array<pollfd, 2> fds{pollfd{gSignalPipe[0], POLLIN, 0},
                                  pollfd{inputOpen_ ? STDIN_FILENO : -1, POLLIN, 0}};
        if (poll(fds.data(), fds.size(), waitMs) < 0 && errno != EINTR) {
            return Event::EndOfInput;
        }
        if (fds[1].revents != 0) {
            std::array<char, 256> buffer{};
            const ssize_t n = ::read(STDIN_FILENO, buffer.data(), buffer.size());
            if (n > 0) {
                pending_.append(buffer.data(), static_cast<std::size_t>(n));
            } else if (n == 0 || errno != EINTR) {
                inputOpen_ = false;
                if (!pending_.empty()) {
                    pending_.push_back('\n');
                }
            }
        }
    }
}

}  // namespace tssim

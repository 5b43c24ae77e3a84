#include "pty_channel.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>

namespace tssim {
namespace {

constexpr std::size_t kReadChunk = 4096;
constexpr std::size_t kPathMax = 4096;

// The line is binary: no echo, no line editing, no CR/LF translation, no signals. Set once
// here so bytes written before the computer opens the port are already raw.
bool makeRaw(int fd) {
    termios tio{};
    if (tcgetattr(fd, &tio) != 0) {
        return false;
    }
    tio.c_iflag &= ~static_cast<tcflag_t>(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR |
                                          ICRNL | IXON | IXOFF);
    tio.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    tio.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB);
    tio.c_cflag |= CS8 | CLOCAL | CREAD;
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
    return tcsetattr(fd, TCSANOW, &tio) == 0;
}

void closeFd(int& fd) {
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
}

int remainingMs(std::optional<PtyChannel::Clock::time_point> deadline) {
    if (!deadline) {
        return -1;
    }
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(*deadline - PtyChannel::Clock::now());
    return left.count() <= 0 ? 0 : static_cast<int>(std::min<long long>(left.count(), 1 << 30));
}

}  // namespace

PtyChannel::~PtyChannel() {
    close();
}

bool PtyChannel::fail(const std::string& what) {
    error_ = what + ": " + std::strerror(errno);
    close();
    return false;
}

bool PtyChannel::open(const std::string& linkPath) {
    close();
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0) {
        return fail("cannot open a pseudo-terminal");
    }
    if (grantpt(master_) != 0 || unlockpt(master_) != 0) {
        return fail("cannot unlock the pseudo-terminal");
    }
    std::array<char, kPathMax> name{};
    if (ptsname_r(master_, name.data(), name.size()) != 0) {
        return fail("cannot name the pseudo-terminal");
    }
    slavePath_ = name.data();
    // Our own handle keeps the slave side alive while the computer closes and reopens the
    // port between exchanges, and keeps its settings.
    heldSlave_ = ::open(slavePath_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (heldSlave_ < 0 || !makeRaw(heldSlave_)) {
        return fail("cannot set up " + slavePath_);
    }
    const int flags = fcntl(master_, F_GETFL);
    if (flags < 0 || fcntl(master_, F_SETFL, flags | O_NONBLOCK) != 0 ||
        fcntl(master_, F_SETFD, FD_CLOEXEC) != 0) {
        return fail("cannot set up the pseudo-terminal");
    }
    std::array<int, 2> pipeFds{};
    if (pipe(pipeFds.data()) != 0) {
        return fail("cannot create a wake-up pipe");
    }
    wakeRead_ = pipeFds[0];
    wakeWrite_ = pipeFds[1];
    for (int fd : pipeFds) {
        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
        fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
    if (!linkPath.empty()) {
        struct stat st {};
        if (lstat(linkPath.c_str(), &st) == 0) {
            if (!S_ISLNK(st.st_mode)) {
                errno = EEXIST;
                return fail(linkPath + " exists and is not a symbolic link");
            }
            ::unlink(linkPath.c_str());
        }
        if (symlink(slavePath_.c_str(), linkPath.c_str()) != 0) {
            return fail("cannot create the link " + linkPath);
        }
        linkPath_ = linkPath;
    }
    return true;
}

PtyChannel::Io PtyChannel::waitFor(short events, std::optional<Clock::time_point> deadline) {
    if (master_ < 0) {
        return Io::Closed;
    }
    while (true) {
        std::array<pollfd, 2> fds{pollfd{master_, events, 0}, pollfd{wakeRead_, POLLIN, 0}};
        const int n = poll(fds.data(), fds.size(), remainingMs(deadline));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return Io::Error;
        }
        if (n == 0) {
            return Io::Timeout;
        }
        if (fds[1].revents != 0) {
            std::array<char, 64> sink{};
            while (::read(wakeRead_, sink.data(), sink.size()) > 0) {
            }
            return Io::Woken;
        }
        if ((fds[0].revents & (POLLERR | POLLNVAL)) != 0) {
            return Io::Error;
        }
        return Io::Ok;
    }
}

PtyChannel::Io PtyChannel::read(std::string& out, std::optional<Clock::time_point> deadline) {
    while (true) {
        const Io ready = waitFor(POLLIN, deadline);
        if (ready != Io::Ok) {
            return ready;
        }
        std::array<char, kReadChunk> buffer{};
        const ssize_t n = ::read(master_, buffer.data(), buffer.size());
        if (n > 0) {
            out.append(buffer.data(), static_cast<std::size_t>(n));
            return Io::Ok;
        }
        if (n == 0 || errno == EIO) {
            return Io::Closed;
        }
        if (errno != EAGAIN && errno != EINTR) {
            return Io::Error;
        }
    }
}

PtyChannel::Io PtyChannel::write(std::string_view& bytes) {
    while (!bytes.empty()) {
        const Io ready = waitFor(POLLOUT, std::nullopt);
        if (ready != Io::Ok) {
            return ready;
        }
        const ssize_t n = ::write(master_, bytes.data(), bytes.size());
        if (n > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(n));
        } else if (n < 0 && errno == EIO) {
            return Io::Closed;
        } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
            return Io::Error;
        }
    }
    return Io::Ok;
}

PtyChannel::Io PtyChannel::sleep(std::chrono::nanoseconds duration) {
    const auto deadline = Clock::now() + duration;
    while (true) {
        std::array<pollfd, 1> fds{pollfd{wakeRead_, POLLIN, 0}};
        const int n = poll(fds.data(), fds.size(), remainingMs(deadline));
        if (n > 0) {
            std::array<char, 64> sink{};
            while (::read(wakeRead_, sink.data(), sink.size()) > 0) {
            }
            return Io::Woken;
        }
        if (n == 0 || Clock::now() >= deadline) {
            return Io::Ok;
        }
    }
}

void PtyChannel::wake() {
    if (wakeWrite_ >= 0) {
        const char byte = 1;
        [[maybe_unused]] const ssize_t ignored = ::write(wakeWrite_, &byte, 1);
    }
}

bool PtyChannel::waitUntilRead(std::chrono::milliseconds timeout) {
    // Bytes written to the master reach the slave's input queue a moment later (the kernel
    // moves them in a work item), so an empty queue only counts once it has stayed empty.
    constexpr auto kPoll = std::chrono::milliseconds(2);
    constexpr auto kSettled = std::chrono::milliseconds(20);
    const auto deadline = Clock::now() + timeout;
    auto emptySince = Clock::now();
    while (heldSlave_ >= 0) {
        int unread = 0;
        if (ioctl(heldSlave_, FIONREAD, &unread) != 0) {
            return true;
        }
        const auto now = Clock::now();
        if (unread != 0) {
            emptySince = now;
        } else if (now - emptySince >= kSettled) {
            return true;
        }
        if (now >= deadline || sleep(kPoll) == Io::Woken) {
            return false;
        }
    }
    return true;
}

std::size_t PtyChannel::unreadOutput() const {
    int unread = 0;
    if (heldSlave_ < 0 || ioctl(heldSlave_, FIONREAD, &unread) != 0 || unread < 0) {
        return 0;
    }
    return static_cast<std::size_t>(unread);
}

void PtyChannel::dropUnreadOutput() {
    if (heldSlave_ >= 0) {
        tcflush(heldSlave_, TCIFLUSH);
    }
}

void PtyChannel::hangUp() {
    closeFd(master_);
    closeFd(heldSlave_);
}

void PtyChannel::close() {
    hangUp();
    closeFd(wakeRead_);
    closeFd(wakeWrite_);
    if (!linkPath_.empty()) {
        std::array<char, kPathMax> target{};
        const ssize_t n = readlink(linkPath_.c_str(), target.data(), target.size() - 1);
        if (n > 0 && slavePath_ == std::string(target.data(), static_cast<std::size_t>(n))) {
            ::unlink(linkPath_.c_str());
        }
        linkPath_.clear();
    }
}

}  // namespace tssim

#include "pty_client.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>

namespace tssim::testing {

PtyClient::PtyClient(const std::string& path) {
    fd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) {
        return;
    }
    termios tio{};
    tcgetattr(fd_, &tio);
    tio.c_iflag = 0;
    tio.c_oflag = 0;
    tio.c_lflag = 0;
    tio.c_cflag = CS8 | CREAD | CLOCAL;
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
    cfsetspeed(&tio, B19200);
    tcsetattr(fd_, TCSANOW, &tio);
}

PtyClient::~PtyClient() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

bool PtyClient::write(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
        if (n > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(n));
        } else if (n < 0 && errno == EAGAIN) {
            pollfd pfd{fd_, POLLOUT, 0};
            poll(&pfd, 1, 100);
        } else {
            return false;
        }
    }
    return true;
}

PtyClient::Read PtyClient::readByte(char& c, std::chrono::steady_clock::time_point deadline) {
    while (true) {
        const ssize_t n = ::read(fd_, &c, 1);
        if (n == 1) {
            return Read::Byte;
        }
        if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR)) {
            hungUp_ = true;
            return Read::Closed;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return Read::Timeout;
        }
        pollfd pfd{fd_, POLLIN, 0};
        poll(&pfd, 1, static_cast<int>(left.count()));
    }
}

bool PtyClient::readUntil(std::string& bytes, char terminator, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    char c = 0;
    while (readByte(c, deadline) == Read::Byte) {
        bytes.push_back(c);
        if (c == terminator) {
            return true;
        }
    }
    return false;
}

bool PtyClient::readCount(std::string& bytes, std::size_t count,
                          std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    char c = 0;
    while (bytes.size() < count && readByte(c, deadline) == Read::Byte) {
        bytes.push_back(c);
    }
    return bytes.size() >= count;
}

}  // namespace tssim::testing

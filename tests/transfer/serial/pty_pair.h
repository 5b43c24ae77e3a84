#pragma once

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <string_view>

// A bare pseudo-terminal for the adapter's tests: the test plays the far end on the master and
// keeps one slave descriptor of its own to look at the line settings the adapter applied.
class PtyPair {
  public:
    PtyPair() {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
            return;
        }
        const char* name = ::ptsname(master_);
        if (name == nullptr) {
            return;
        }
        slavePath_ = name;
        slave_ = ::open(name, O_RDWR | O_NOCTTY);
        if (slave_ >= 0) {
            termios raw{};
            ::tcgetattr(slave_, &raw);
            ::cfmakeraw(&raw);
            ::tcsetattr(slave_, TCSANOW, &raw);
        }
    }
    ~PtyPair() {
        hangUp();
        if (slave_ >= 0) {
            ::close(slave_);
        }
    }
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool ok() const { return master_ >= 0 && slave_ >= 0; }
    const std::string& slavePath() const { return slavePath_; }
    int slaveFd() const { return slave_; }

    bool send(std::string_view bytes) const {
        return ::write(master_, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    }

    // What the adapter wrote, up to `count` bytes, waiting up to `timeoutMs` for the first.
    std::string receive(std::size_t count, int timeoutMs = 2000) const {
        std::string got;
        while (got.size() < count) {
            fd_set set;
            FD_ZERO(&set);
            FD_SET(master_, &set);
            timeval wait{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
            if (::select(master_ + 1, &set, nullptr, nullptr, &wait) <= 0) {
                break;
            }
            char buffer[256];
            const ssize_t n = ::read(master_, buffer, std::min(sizeof buffer, count - got.size()));
            if (n <= 0) {
                break;
            }
            got.append(buffer, static_cast<std::size_t>(n));
        }
        return got;
    }

    void hangUp() {
        if (master_ >= 0) {
            ::close(master_);
            master_ = -1;
        }
    }

  private:
    int master_ = -1;
    int slave_ = -1;
    std::string slavePath_;
};

#pragma once

#include <chrono>
#include <string>
#include <string_view>

namespace tssim::testing {

// The computer's end of the cable for loop-back tests: the slave side opened with plain
// termios, as any serial program would.
class PtyClient {
  public:
    explicit PtyClient(const std::string& path);
    ~PtyClient();
    PtyClient(const PtyClient&) = delete;
    PtyClient& operator=(const PtyClient&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    bool write(std::string_view bytes);
    // Reads until `bytes` ends with `terminator` (or holds `count` bytes), the line closes, or
    // `timeout` passes; returns whether the goal was reached.
    bool readUntil(std::string& bytes, char terminator, std::chrono::milliseconds timeout);
    bool readCount(std::string& bytes, std::size_t count, std::chrono::milliseconds timeout);
    // True once a read reports the far end gone (a hang-up).
    bool hungUp() const { return hungUp_; }

  private:
    enum class Read { Byte, Timeout, Closed };
    Read readByte(char& c, std::chrono::steady_clock::time_point deadline);

    int fd_ = -1;
    bool hungUp_ = false;
};

}  // namespace tssim::testing

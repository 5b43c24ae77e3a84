#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace tssim {

// The master side of a pseudo-terminal, the station's end of the cable. Reads and writes
// wait in poll() together with a wake-up pipe, so another thread can interrupt any wait.
class PtyChannel {
  public:
    using Clock = std::chrono::steady_clock;
    enum class Io { Ok, Timeout, Woken, Closed, Error };

    PtyChannel() = default;
    ~PtyChannel();
    PtyChannel(const PtyChannel&) = delete;
    PtyChannel& operator=(const PtyChannel&) = delete;

    bool open(const std::string& linkPath);
    bool isOpen() const { return master_ >= 0; }
    const std::string& slavePath() const { return slavePath_; }
    const std::string& error() const { return error_; }

    // Appends what is there (at least one byte) to `out`; waits until `deadline`, or without
    // limit when there is none.
    Io read(std::string& out, std::optional<Clock::time_point> deadline);
    // Writes from the front of `bytes`, removing what was written, until all is written or
    // the wait for room is woken.
    Io write(std::string_view& bytes);
    // Woken when interrupted before `duration` is over.
    Io sleep(std::chrono::nanoseconds duration);
    // Thread-safe: makes the current or next wait return Woken.
    void wake();

    // Until the computer has read everything written so far, or `timeout`; false on timeout.
    bool waitUntilRead(std::chrono::milliseconds timeout);
    // Bytes written that the computer has not read yet.
    std::size_t unreadOutput() const;
    // Drops bytes written earlier that the computer never read.
    void dropUnreadOutput();
    // Closes the master side, which the computer sees as a hang-up; also our slave handle.
    void hangUp();
    void close();

  private:
    Io waitFor(short events, std::optional<Clock::time_point> deadline);
    bool fail(const std::string& what);

    int master_ = -1;
    int heldSlave_ = -1;
    int wakeRead_ = -1;
    int wakeWrite_ = -1;
    std::string slavePath_;
    std::string linkPath_;
    std::string error_;
};

}  // namespace tssim

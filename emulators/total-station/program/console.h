#pragma once

#include <chrono>
#include <optional>
#include <string>

namespace tssim {

// The person at the emulator: lines typed on standard input, and Ctrl-C.
class Console {
  public:
    Console();
    ~Console();
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;

    enum class Event { Line, Timeout, Interrupt, EndOfInput };
    // Waits up to `timeout` (none: without limit) for a typed line or Ctrl-C.
    Event wait(std::optional<std::chrono::milliseconds> timeout, std::string& line);
    bool interrupted() const;
    void print(const std::string& text) const;

  private:
    std::string pending_;
    bool inputOpen_ = true;
};

}  // namespace tssim

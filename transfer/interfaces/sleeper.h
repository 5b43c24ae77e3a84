#pragma once

#include <chrono>

namespace vrk {

// Pauses of the protocol go through here so tests can count them instead of waiting.
class Sleeper {
  public:
    virtual ~Sleeper() = default;
    virtual void sleepFor(std::chrono::milliseconds duration) = 0;
};

}  // namespace vrk

#pragma once

#include "interfaces/sleeper.h"

namespace vrk {

// Pauses for real, for the programs.
class RealSleeper final : public Sleeper {
  public:
    void sleepFor(std::chrono::milliseconds duration) override;
};

}  // namespace vrk

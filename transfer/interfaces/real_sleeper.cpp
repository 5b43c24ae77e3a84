#include "interfaces/real_sleeper.h"

#include <thread>

namespace vrk {

void RealSleeper::sleepFor(std::chrono::milliseconds duration) {
    std::this_thread::sleep_for(duration);
}

}  // namespace vrk

#pragma once

#include <cstdlib>

// A broken property must stop the fuzzer with a crash it can minimise; assert() would vanish
// in release builds.
inline void fuzzCheck(bool condition) {
    if (!condition) {
        std::abort();
    }
}

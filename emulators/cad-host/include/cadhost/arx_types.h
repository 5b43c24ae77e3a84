#pragma once

#include <cstdint>

// The handful of basic types that plug-in code spells the host's way.
using HINSTANCE = void*;

namespace Adesk {
using Int32 = std::int32_t;
using Boolean = bool;
}  // namespace Adesk

namespace Acad {
enum ErrorStatus {
    eOk = 0,
    eInvalidInput = 3,
    eDuplicateKey = 4,
    eKeyNotFound = 5,
    eNotApplicable = 6,
};
}  // namespace Acad

// Results of the host's ads-style functions.
inline constexpr int RTNORM = 5100;
inline constexpr int RTERROR = -5001;
inline constexpr int RTREJ = -5003;

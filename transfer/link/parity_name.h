#pragma once

#include <string_view>

#include "link/byte_port.h"

namespace vrk {

// How a parity setting is named to the user, in the transcript and in the port's messages alike.
constexpr std::string_view ParityName(Parity parity) {
    switch (parity) {
        case Parity::Odd:
            return "奇校验";
        case Parity::Even:
            return "偶校验";
        case Parity::None:
            break;
    }
    return "无校验";
}

}  // namespace vrk

#pragma once

#include <string>

namespace vrk {

// The outcome of a conversion: the new view text, or the message that says why there is none.
struct ConversionResult {
    bool ok = false;
    std::string text;     // GBK bytes, CR LF line ends
    std::string message;  // UTF-8, when !ok
};

}  // namespace vrk

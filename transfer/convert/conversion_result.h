#pragma once

#include <string>

namespace vrk {

// The outcome of a conversion: the new view text, or the message that says why there is none.
struct ConversionResult {
    bool ok = false;
    std::string text;     // GBK bytes, CR LF line ends
    std::string message;  // UTF-8, when !ok
    std::string where;    // UTF-8, when !ok: where the reading gave up
    std::string report;   // UTF-8, when ok: what came out ("DELF: 200 个点")

    // The message with where it gave up on a second line, as the user reads it.
    std::string messageWithWhere() const {
        return where.empty() ? message : message + '\n' + where;
    }
};

}  // namespace vrk

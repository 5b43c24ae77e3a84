#pragma once

#include <string>
#include <string_view>

namespace cadhost {

// Users type command and file names in any case. Every byte in a-z folds, GBK trail bytes in that
// range too; names compare alike only when both sides are folded the same way.
inline char asciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}

inline bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (asciiUpper(a[i]) != asciiUpper(b[i])) {
            return false;
        }
    }
    return true;
}

inline std::string toUpperAscii(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        c = asciiUpper(c);
    }
    return upper;
}

}  // namespace cadhost

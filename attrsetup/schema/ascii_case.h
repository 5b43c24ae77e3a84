#pragma once

#include <string>
#include <string_view>

namespace quorbel {

// Only ASCII letters are folded: bytes of GBK characters (0x40..0xFE trail bytes included) must
// never be case-mapped, or two different Chinese characters could compare equal.
constexpr char foldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr bool equalsIgnoreAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (foldAscii(a[i]) != foldAscii(b[i])) {
            return false;
        }
    }
    return true;
}

constexpr bool startsWithIgnoreAsciiCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           equalsIgnoreAsciiCase(text.substr(0, prefix.size()), prefix);
}

inline std::string foldedAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        c = foldAscii(c);
    }
    return out;
}

}  // namespace quorbel

#pragma once

#include <string>
#include <string_view>

namespace quorbel {

// Only ASCII letters outside GBK characters are folded. A GBK trail byte can look like an ASCII
// letter (0x41..0x5A, 0x61..0x7A), and folding it would make two different Chinese characters
// compare equal, so the byte after a lead byte is always compared as it is.
constexpr char foldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr bool isGbkLeadByte(char c) {
    const auto b = static_cast<unsigned char>(c);
    return b >= 0x81 && b <= 0xFE;
}

constexpr bool equalsIgnoreAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (isGbkLeadByte(a[i])) {
            if (a[i] != b[i] || (i + 1 < a.size() && a[i + 1] != b[i + 1])) {
                return false;
            }
            ++i;
        } else if (foldAscii(a[i]) != foldAscii(b[i])) {
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
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (isGbkLeadByte(out[i])) {
            ++i;
        } else {
            out[i] = foldAscii(out[i]);
        }
    }
    return out;
}

}  // namespace quorbel

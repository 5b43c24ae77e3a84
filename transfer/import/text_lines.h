#pragma once

#include <cstddef>
#include <string_view>

namespace vrk {

// Calls onLine(line, number) for each line of `bytes` (1-based numbers), without its CR LF, LF
// or, in a file with no LF at all, CR; stops when onLine answers false.
template <typename OnLine>
void ForEachTextLine(std::string_view bytes, OnLine&& onLine) {
    const char separator = bytes.find('\n') == std::string_view::npos ? '\r' : '\n';
    std::size_t number = 0;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find(separator, start);
        const std::size_t next = end == std::string_view::npos ? bytes.size() : end + 1;
        if (end == std::string_view::npos) {
            end = bytes.size();
        }
        std::string_view line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (!onLine(line, ++number)) {
            return;
        }
        start = next;
    }
}

inline bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// `text` without blanks at either end.
inline std::string_view TrimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace vrk

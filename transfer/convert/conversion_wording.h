#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vrk {

// `pattern` with its "%1" replaced by `count`.
inline std::string WithCount(std::string_view pattern, std::size_t count) {
    std::string text(pattern);
    const std::size_t at = text.find("%1");
    if (at != std::string::npos) {
        text.replace(at, 2, std::to_string(count));
    }
    return text;
}

// Where reading the download's lines gave up before any block: no LF at all, or one at the start.
std::string_view WhereNoLines(std::string_view text);

// The 1-based line number of the line starting at byte `offset` of `text`.
std::size_t LineNumberAt(std::string_view text, std::size_t offset);

}  // namespace vrk

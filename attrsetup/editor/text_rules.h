#pragma once

#include <cstddef>
#include <string_view>

namespace quorbel::editor {

// Why a text typed into the dialog cannot be stored. The two data files have no quoting, so a
// comma (and a space anywhere but in a table description) would split a value on the next read;
// a text over its capacity would not fit the record.
enum class TextProblem { None, TooLong, Comma, Space };

struct TextRule {
    std::size_t capacity;
    bool spacesAllowed;
};

TextProblem checkText(std::string_view bytes, const TextRule& rule);

}  // namespace quorbel::editor

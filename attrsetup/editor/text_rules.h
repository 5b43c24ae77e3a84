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

// Reads a decimal integer as the files are read: leading white space, an optional sign, then the
// digits up to the first other character; no digits read as 0. False when the number does not fit
// a 32-bit signed integer. The grid's column filter keeps users to digits, but a value read from a
// file may be negative and must come back as it was.
bool parseLeadingNumber(std::string_view text, int& value);

}  // namespace quorbel::editor

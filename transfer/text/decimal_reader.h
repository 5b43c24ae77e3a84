#pragma once

#include <cstddef>
#include <string_view>

namespace vrk {

// The blanks a number may start after, and its digits, as every reader of the instrument's
// numbers sees them (the C locale's, whatever the computer's locale says).
inline constexpr bool IsDecimalBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
inline constexpr bool IsDecimalDigit(char c) {
    return c >= '0' && c <= '9';
}

// Numbers in the instrument's texts are plain decimals, whatever the computer's locale: leading
// blanks, an optional sign, digits with an optional decimal point, an optional exponent. Reading
// stops at the first character that cannot continue the number; no number at all reads as 0.
// "inf", "nan" and hexadecimal are not numbers here. Values beyond the range of double are held
// at its largest finite magnitude.
double ReadDecimal(std::string_view text);

// How many bytes of `text` ReadDecimal reads, leading blanks included; 0 when there is no number.
std::size_t DecimalLength(std::string_view text);

// Leading blanks, an optional sign, decimal digits; stops at the first non-digit; no digits read
// as 0. Values beyond the range of int are held at its limits.
int ReadLeadingInt(std::string_view text);

}  // namespace vrk

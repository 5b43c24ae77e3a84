#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quorbel {

// The lenient readers of the two files, which have no quoting: tokens end at a comma or a space,
// numbers end at the first byte that cannot continue them.

// Leading spaces skipped, then the bytes up to a comma, space or line terminator.
std::string_view readToken(std::string_view text);
// True when the token was ended by a space with more non-separator text behind it (text is lost).
bool tokenIsCut(std::string_view text);
// readToken in the same walk as tokenIsCut: cut is set when the token was cut, never cleared.
std::string_view readToken(std::string_view text, bool& cut);
struct ScannedInteger {
    int32_t value = 0;
    bool overflowed = false;  // the digits went beyond the int32 range; value is its nearest end
};
// Leading white space, optional sign, decimal digits; no digits give 0. Saturates at the int32
// range instead of overflowing, and says so.
ScannedInteger scanInteger(std::string_view text);
// scanInteger's value, for the file readers, which keep a saturated number.
int32_t readInteger(std::string_view text);
// Leading white space, optional sign, digits with optional point and exponent; decimal only (no
// "inf", "nan" or hexadecimal). Sets value to 0 and answers false when no number starts there.
bool readReal(std::string_view text, double& value);
// Fixed notation with the given decimals (at most 9), independent of the C locale; not a finite
// number is written as 0.
std::string formatFixed(double value, int decimals);
// formatFixed's text appended to out.
void appendFixed(std::string& out, double value, int decimals);

std::size_t countCommas(std::string_view line);
// Text after the n-th comma (n from 1); empty when there are fewer commas.
std::string_view afterComma(std::string_view line, std::size_t n);

}  // namespace quorbel

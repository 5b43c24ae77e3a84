#pragma once

#include <string>
#include <string_view>

namespace tssim {

// Exclusive-or of all bytes, read as a signed 8-bit number, in decimal; forms of one or two
// characters are zero-prefixed to three ("005", "0-5"), so only -128 ... -100 take four.
std::string checkValue(std::string_view bytes);

// Payload of a data record: the block, the counter digit (counter modulo 10), the check value
// over block and digit.
std::string dataRecord(std::string_view block, int counter);

}  // namespace tssim

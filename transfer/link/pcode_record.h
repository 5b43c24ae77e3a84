#pragma once

#include <cstddef>
#include <string>

namespace vrk {

// One point code as the instrument stores it: "_:", the number (limited to 50, padded with "0"
// to three characters), the text padded to 10 bytes; a longer text is cut so that the record is
// 15 bytes, never inside a GBK character.
inline constexpr int kMaxPcodeNumber = 50;
inline constexpr std::size_t kPcodeTextBytes = 10;

struct PcodeRecord {
    int number = 0;
    std::string text;

    std::string format() const;
};

}  // namespace vrk

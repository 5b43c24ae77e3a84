#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "memory.h"

namespace tssim {

struct ParsedBlocks {
    std::vector<Point> points;
    std::vector<PcodeEntry> pcodes;
    // Fields that fit no record form, and points that lost a coordinate field; the closing
    // blank field of an upload is not counted.
    std::size_t unknownFields = 0;
    std::size_t incompletePoints = 0;
};

// Reads the "_"-separated fields of the concatenated blocks. Names and PCODE texts lose the
// space padding of their fixed-width records; the instrument re-pads them when it sends.
ParsedBlocks parseBlocks(const std::vector<std::string>& blocks);

}  // namespace tssim

#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "memory.h"

namespace tssim {

struct PcodeParse {
    std::vector<PcodeEntry> entries;
    std::vector<std::string> errors;  // "line N: ..." for each line that was skipped
    std::size_t textsCut = 0;         // texts longer than the instrument holds
};

// Lines "number,text"; the text is everything after the first comma. A text longer than the
// instrument's 10 bytes is cut there, one byte earlier when that would split a GBK character.
PcodeParse parsePcode(std::string_view text);

std::string formatPcode(const std::vector<PcodeEntry>& entries);

}  // namespace tssim

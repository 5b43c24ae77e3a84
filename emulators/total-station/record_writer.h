#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "memory.h"
#include "station_config.h"

namespace tssim {

// The records and blocks of the instrument's memory, in the same forms the office program
// uploads, so that what the station sends can be converted, edited and sent back.
std::string coordRecord(const Point& point);
std::string pcodeRecord(const PcodeEntry& entry);

// Cuts the concatenated records into 128-byte blocks; the last block holds a closing "_"
// and is padded with spaces.
std::vector<std::string> packBlocks(const std::vector<std::string>& records);

std::vector<std::string> memoryBlocks(const Memory& memory, Content content);

// STX, payload, ETX, CR, LF.
std::string frame(std::string_view payload);

// One framed data record per block, counter from 0.
std::vector<std::string> downloadLines(const Memory& memory, Content content);

}  // namespace tssim

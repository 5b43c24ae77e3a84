#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace vrk {

// Something in a list about to be sent that the instrument would not get as the user wrote it.
struct UploadFinding {
    std::size_t line = 0;  // 1-based line number in the view
    std::string text;      // UTF-8, the program's own words
};

using UploadFindings = std::vector<UploadFinding>;

// "LINE: text", one finding a line, each ended by LF.
std::string FormatFindings(const UploadFindings& findings);

}  // namespace vrk

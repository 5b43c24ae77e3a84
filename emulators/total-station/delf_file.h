#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "memory.h"

namespace tssim {

struct DelfParse {
    std::vector<Point> points;
    std::vector<std::string> errors;  // "line N: ..." for each line that was skipped
};

// Lines "name,code,Y,X,H" in metres; the code is not kept (the instrument's records have no
// code). Bytes of names are kept as they are (GBK).
DelfParse parseDelf(std::string_view text);

// The same lines, CR LF ended, with the name in the code column as the office program's DELF
// conversion writes it.
std::string formatDelf(const std::vector<Point>& points);

}  // namespace tssim

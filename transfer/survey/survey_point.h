#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace vrk {

// One point of a DELF coordinate list as the coordinate upload would send it.
struct SurveyPoint {
    std::string name;  // GBK bytes
    std::string code;  // GBK bytes, blanks around it removed
    double y = 0.0;    // east
    double x = 0.0;    // north
    double h = 0.0;
    std::size_t line = 0;    // 1-based line number in the view
    std::size_t offset = 0;  // byte offset of the line's start in the view
};

struct SurveyPointList {
    std::vector<SurveyPoint> points;
    // Numbers of the lines with content that the upload would not send, in order.
    std::vector<std::size_t> skippedLines;
};

}  // namespace vrk

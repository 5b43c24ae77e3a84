#include "survey/numbered_upload_lines.h"

#include <algorithm>

namespace vrk {

bool IsBlankLine(std::string_view line) {
    return line.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

UnreadTail ContentLinesOf(std::string_view rest, std::size_t firstNumber) {
    UnreadTail tail;
    std::size_t number = firstNumber;
    for (std::size_t start = 0; start <= rest.size(); ++number) {
        const std::size_t lf = std::min(rest.find('\n', start), rest.size());
        if (!IsBlankLine(rest.substr(start, lf - start))) {
            tail.firstLine = tail.firstLine == 0 ? number : tail.firstLine;
            tail.contentLines.push_back(number);
        }
        start = lf + 1;
    }
    return tail;
}

}  // namespace vrk

#include "survey/delf_point_list.h"

#include <algorithm>

#include "survey/numbered_upload_lines.h"

namespace vrk {

std::string_view DelfCode(std::string_view line) {
    const std::size_t first = line.find(',');
    if (first == std::string_view::npos) {
        return {};
    }
    std::string_view code = line.substr(first + 1, line.find(',', first + 1) - first - 1);
    const std::size_t start = code.find_first_not_of(' ');
    if (start == std::string_view::npos) {
        return {};
    }
    code.remove_prefix(start);
    return code.substr(0, code.find_last_not_of(' ') + 1);
}

SurveyPointList ReadDelfPoints(std::string_view viewText) {
    SurveyPointList list;
    // Growing a vector of 100,000 points copies them several times over.
    list.points.reserve(
        static_cast<std::size_t>(std::count(viewText.begin(), viewText.end(), '\n')) + 1);
    const UnreadTail unread = ForEachNumberedUploadLine(viewText, [&](const NumberedLine& line) {
        auto record = ParseCoordLine(line.text);
        if (!record) {
            if (!IsBlankLine(line.text)) {
                list.skippedLines.push_back(line.number);
            }
            return;
        }
        list.points.push_back(SurveyPoint{std::move(record->name), std::string(DelfCode(line.text)),
                                          record->y, record->x, record->h, line.number,
                                          line.offset});
    });
    list.skippedLines.insert(list.skippedLines.end(), unread.contentLines.begin(),
                             unread.contentLines.end());
    return list;
}

}  // namespace vrk

// Any text in the view through the plot's reading and the checks before sending: they must answer,
// every point must sit at the start of the line it names, and findings come in line order within
// the text.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "survey/delf_point_list.h"
#include "survey/upload_check.h"

namespace {

std::size_t LineCount(std::string_view text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
}

void CheckFindings(const vrk::UploadFindings& findings, std::size_t lines) {
    std::size_t previous = 1;
    for (const vrk::UploadFinding& finding : findings) {
        fuzzCheck(finding.line >= previous && finding.line <= lines);
        fuzzCheck(!finding.text.empty());
        previous = finding.line;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::size_t lines = LineCount(text);
    const vrk::SurveyPointList list = vrk::ReadDelfPoints(text);
    for (const vrk::SurveyPoint& point : list.points) {
        fuzzCheck(point.offset <= text.size());
        fuzzCheck(point.offset == 0 || text[point.offset - 1] == '\n');
        fuzzCheck(point.line == LineCount(text.substr(0, point.offset)));
    }
    fuzzCheck(list.points.size() + list.skippedLines.size() <= lines);
    CheckFindings(vrk::CheckCoordUpload(text), lines);
    CheckFindings(vrk::CheckPcodeUpload(text), lines);
    return 0;
}

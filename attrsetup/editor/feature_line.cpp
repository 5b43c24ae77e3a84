#include "editor/feature_line.h"

namespace quorbel::editor {

namespace {
constexpr std::string_view kFullPadding = "    ";
constexpr std::size_t kCodeLengthBeforeNarrowing = 6;
constexpr std::size_t kLongestNarrowedCode = 10;
}  // namespace

std::string featureLine(std::string_view code, std::string_view name) {
    std::string padding(kFullPadding);
    if (code.size() > kCodeLengthBeforeNarrowing && code.size() <= kLongestNarrowedCode) {
        // One space goes per round at position 0, 1, 2, ...; a position past the end removes
        // nothing, which is why 9 and 10 characters still leave two spaces.
        const std::size_t rounds = code.size() - kCodeLengthBeforeNarrowing;
        for (std::size_t position = 0; position < rounds; ++position) {
            if (position < padding.size()) {
                padding.erase(position, 1);
            }
        }
    }
    std::string line;
    line.reserve(code.size() + padding.size() + name.size());
    line.append(code).append(padding).append(name);
    return line;
}

std::string_view featureLineKey(std::string_view line) {
    return line.substr(0, line.find(' '));
}

}  // namespace quorbel::editor

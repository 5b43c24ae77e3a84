#include "editor/text_rules.h"

#include <cstdint>
#include <limits>

namespace quorbel::editor {

TextProblem checkText(std::string_view bytes, const TextRule& rule) {
    if (bytes.find(',') != std::string_view::npos) {
        return TextProblem::Comma;
    }
    if (!rule.spacesAllowed && bytes.find(' ') != std::string_view::npos) {
        return TextProblem::Space;
    }
    if (bytes.size() > rule.capacity) {
        return TextProblem::TooLong;
    }
    return TextProblem::None;
}

bool parseLeadingNumber(std::string_view text, int& value) {
    std::size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) {
        ++at;
    }
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
        negative = text[at] == '-';
        ++at;
    }
    // Counted towards the negative limit, which is one larger than the positive one.
    const std::int64_t limit =
        std::int64_t{std::numeric_limits<std::int32_t>::max()} + (negative ? 1 : 0);
    std::int64_t result = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        result = result * 10 + (text[at] - '0');
        if (result > limit) {
            return false;
        }
    }
    value = static_cast<int>(negative ? -result : result);
    return true;
}

}  // namespace quorbel::editor

#include "text_rules.h"

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
    std::int64_t result = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            break;
        }
        result = result * 10 + (c - '0');
        if (result > std::numeric_limits<std::int32_t>::max()) {
            return false;
        }
    }
    value = static_cast<int>(result);
    return true;
}

}  // namespace quorbel::editor

#include "editor/text_rules.h"

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

}  // namespace quorbel::editor

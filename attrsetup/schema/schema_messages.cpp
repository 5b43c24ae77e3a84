#include "schema_messages.h"

#include "gbk_text.h"

namespace quorbel {

std::string message(std::string_view utf8Text) {
    return utf8ToGbk(utf8Text);
}

std::string incompleteTableLineMessage(std::size_t line) {
    std::string text(messages::kIncompleteTableLine);
    const std::size_t at = text.find("%zu");
    text.replace(at, 3, std::to_string(line));
    return utf8ToGbk(text);
}

}  // namespace quorbel

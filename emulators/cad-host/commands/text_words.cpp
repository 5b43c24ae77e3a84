#include "text_words.h"

namespace cadhost {
namespace {
constexpr std::string_view kBlanks = " \t\r\n";
}  // namespace

std::string_view trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

std::pair<std::string_view, std::string_view> splitFirstWord(std::string_view text) {
    text = trim(text);
    const std::size_t end = text.find_first_of(kBlanks);
    if (end == std::string_view::npos) {
        return {text, {}};
    }
    return {text.substr(0, end), trim(text.substr(end))};
}

std::string_view unquote(std::string_view text) {
    text = trim(text);
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
        return text.substr(1, text.size() - 2);
    }
    return text;
}

}  // namespace cadhost

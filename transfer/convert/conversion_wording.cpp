#include "convert/conversion_wording.h"

#include <algorithm>

#include "convert/convert_texts.h"

namespace vrk {

std::string_view WhereNoLines(std::string_view text) {
    return text.find('\n') == std::string_view::npos ? kWhereNoLineFeed : kWhereStartsWithLineFeed;
}

std::size_t LineNumberAt(std::string_view text, std::size_t offset) {
    const std::string_view before = text.substr(0, offset);
    return static_cast<std::size_t>(std::count(before.begin(), before.end(), '\n')) + 1;
}

}  // namespace vrk

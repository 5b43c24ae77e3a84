#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "cadhost/ascii_case.h"

namespace cadhost {

std::string_view trim(std::string_view text);
// The first blank-separated word and the trimmed rest.
std::pair<std::string_view, std::string_view> splitFirstWord(std::string_view text);
// A path typed in double quotes, for names with blanks.
std::string_view unquote(std::string_view text);

}  // namespace cadhost

#pragma once

#include <functional>
#include <string_view>

namespace tssim {

// Calls `line` with each line (without its LF and CR) and its 1-based number; empty lines are
// passed on too, so numbers match what an editor shows.
void forEachLine(std::string_view text,
                 const std::function<void(std::string_view, std::size_t)>& line);

std::string_view trimSpaces(std::string_view text);

}  // namespace tssim

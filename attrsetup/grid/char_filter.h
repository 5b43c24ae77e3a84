// Whether the edit box takes a typed character under a column filter.
#pragma once

#include <string_view>

namespace quorbel::grid {

// An empty filter takes everything. Otherwise a character is taken when it occurs in the filter
// (filters hold characters below 0x80 only, so nothing above ever matches), or when it is one of
// the editing controls backspace, Ctrl+C, Ctrl+V and Ctrl+X, which must keep working in a
// filtered column.
bool filterAccepts(std::string_view filter, char32_t character);

}  // namespace quorbel::grid

#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorbel {

// The stored value equals the position in the editor's kind list. Other values (the editor stores
// -1 when nothing is selected) behave like Undefined.
enum class TableKind : int32_t { Undefined = 0, Point = 1, Line = 2, Area = 3, Text = 4 };

// The five kind names, GBK, in list order.
const std::vector<std::string>& tableKindNames();

// Whether a feature drawn with this symbol fits a table of this kind.
bool symbolFitsKind(std::string_view symbol, int32_t kind);

}  // namespace quorbel

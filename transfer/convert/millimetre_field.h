#pragma once

#include <string>
#include <string_view>

namespace vrk {

// Appends a coordinate field's value (millimetres after its two label characters) in metres with
// three decimals, as "%.3f" prints millimetres * 0.001 but never with the locale's separator.
void AppendMetres(std::string& out, std::string_view field);

}  // namespace vrk

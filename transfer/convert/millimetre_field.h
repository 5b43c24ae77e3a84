#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vrk {

// Appends a coordinate field's value (millimetres after its two label characters) in metres with
// three decimals, as "%.3f" prints millimetres * 0.001 but never with the locale's separator.
void AppendMetres(std::string& out, std::string_view field);

// The room WriteWholeMetres may need.
inline constexpr std::size_t kWholeMetresRoom = 24;

// The common case of AppendMetres without a string: a field of whole millimetres below 10^15 is
// written at `to` (at most kWholeMetresRoom bytes); answers the end, or nullptr for any other
// field, which then needs AppendMetres.
char* WriteWholeMetres(char* to, std::string_view field);

}  // namespace vrk

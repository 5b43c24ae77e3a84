#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vrk {

// What a column of delimited text holds.
enum class ColumnRole { Ignore, Name, Code, East, North, Height };

// "name,code,E,N,H": one word per column of the file, in its order; "-" or nothing for a column
// to pass over. Case does not matter. nullopt for an unknown word or a role named twice.
std::optional<std::vector<ColumnRole>> ParseColumnMap(std::string_view text);

// The map as ParseColumnMap reads it.
std::string ColumnMapText(const std::vector<ColumnRole>& columns);

// The role a header cell names ("Name", "点名", "East", "Y", "高程", …; GBK), if any.
std::optional<ColumnRole> RoleOfHeader(std::string_view cell);

}  // namespace vrk

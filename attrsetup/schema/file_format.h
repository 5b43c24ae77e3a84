#pragma once

#include <cstddef>
#include <string_view>

namespace quorbel::file_format {

// Names asked of the host's search, and the names its messages use.
inline constexpr std::string_view kIndexIniName = "index.ini";
inline constexpr std::string_view kAttributeDefName = "attribute.def";
// How messages name the feature index.
inline constexpr std::string_view kIndexIniDisplayName = "INDEX.INI";

inline constexpr std::string_view kLineEnd = "\r\n";
// The code page of the files' text and, on Windows, of the paths that name them.
inline constexpr unsigned kGbkCodePage = 936;
// A feature's category is the first two characters of its code.
inline constexpr std::size_t kCategoryPrefixLength = 2;
inline constexpr char kTableMark = '*';
inline constexpr std::string_view kFieldIndent = "  ";
inline constexpr std::string_view kAbsentAuxToken = "NULL";
inline constexpr std::string_view kAttributeDefEnd = "[END]";
inline constexpr std::string_view kIndexIniEnd = "END";

// A table line needs name and kind; three commas carry an aux token as well.
inline constexpr std::size_t kMinTableCommas = 2;
inline constexpr std::size_t kTableCommasWithAux = 3;
// Field and feature lines need their first five values.
inline constexpr std::size_t kMinFieldCommas = 4;
inline constexpr std::size_t kMinFeatureCommas = 4;
// Params are written in fixed notation with this many decimals.
inline constexpr int kParamDecimals = 4;

}  // namespace quorbel::file_format

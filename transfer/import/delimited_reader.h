#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "import/column_map.h"
#include "import/import_result.h"
#include "import/survey_number.h"

namespace vrk {

// The delimiter of blank-separated text: any run of blanks and tabs separates.
inline constexpr char kBlanksDelimiter = ' ';
inline constexpr char kAutoDelimiter = '\0';

struct DelimitedOptions {
    char delimiter = kAutoDelimiter;  // ',', '\t', ';', kBlanksDelimiter, or found in the text
    // Empty: named by the header line; else, by the number of cells of the first line,
    // name,code,E,N,H (five or more), name,E,N,H (four), name,E,N or E,N,H (three), E,N (two).
    std::vector<ColumnRole> columns;
    LengthUnit unit = LengthUnit::Metre;
};

// How a text will be read: what the options leave open, settled from its first line.
struct DelimitedLayout {
    char delimiter = ',';
    bool header = false;  // the first line names the columns; it holds no number
    std::vector<ColumnRole> columns;
};

// The text as GBK: a UTF-8 text with its byte-order mark is converted (characters GBK has not
// become "?", and `firstUnencodableLine` says where the first was, 0 for none); any other text
// is GBK already.
std::string DelimitedTextAsGbk(std::string_view bytes, std::size_t& firstUnencodableLine);

DelimitedLayout ResolveDelimitedLayout(std::string_view gbkText, const DelimitedOptions& options);

// The cells of one line; a cell in double quotes may hold the delimiter ("" is one quote).
std::vector<std::string> SplitDelimitedLine(std::string_view line, char delimiter);

// One point per line with an easting and a northing; the text made stays within `maxTextBytes`.
ImportResult ReadDelimited(std::string_view bytes, const DelimitedOptions& options,
                           std::size_t maxTextBytes);

}  // namespace vrk

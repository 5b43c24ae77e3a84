#pragma once

#include <cstddef>
#include <string_view>

#include "import/import_result.h"

namespace vrk {

// Blocks of GSI words, 8 or 16 characters of data each (a block that starts with "*" has 16; one
// file may mix both): coordinate blocks (81, 82, 83) become points; a block with 84 and 85 sets
// up a station; observations (21, 22, 31 or 32, 33, 87) from a station are reduced once a known
// point has been sighted to orient it. The text made stays within `maxTextBytes`.
ImportResult ReadGsi(std::string_view bytes, std::size_t maxTextBytes);

}  // namespace vrk

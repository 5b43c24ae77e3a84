#pragma once

#include <cstddef>
#include <string_view>

#include "import/import_result.h"

namespace vrk {

// Fixed-column SDR records. The header (00) gives the angle and distance units, the order of
// the coordinates (N-E or E-N) and, by its version, the width of point ids and numbers (SDR2x: 4
// and 10, SDR33: 16 and 16). Coordinate records (08) and stations (02) become points;
// observations (09) from a station (02) oriented by a backsight record (07) are reduced with the
// target height of the last 03. The text made stays within `maxTextBytes`.
ImportResult ReadSdr(std::string_view bytes, std::size_t maxTextBytes);

}  // namespace vrk

#pragma once

#include <string_view>

#include "convert/conversion_result.h"

namespace vrk {

// A downloaded PCODE block stream as lines "number,text".
ConversionResult ConvertToPcode(std::string_view viewText);

}  // namespace vrk

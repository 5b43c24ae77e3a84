#pragma once

#include <string_view>

#include "convert/conversion_result.h"

namespace vrk {

// A downloaded coordinate block stream as DELF lines "name,name,Y,X,H" in metres.
ConversionResult ConvertToDelf(std::string_view viewText);

}  // namespace vrk

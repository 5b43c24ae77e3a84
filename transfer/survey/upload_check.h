#pragma once

#include <string_view>

#include "survey/upload_finding.h"

namespace vrk {

// What the coordinate upload would send differently from what the view's DELF lines say, in
// line order.
UploadFindings CheckCoordUpload(std::string_view viewText);

// The same for the PCODE upload.
UploadFindings CheckPcodeUpload(std::string_view viewText);

}  // namespace vrk

#pragma once

#include <optional>

#include "link/upload.h"
#include "view/prompter.h"
#include "view/text_view.h"

namespace vrk {

// The UI-thread halves of the transfer commands. Each asks the unsaved-text question first; the
// shell starts the worker only on a positive answer.

// The upload job for the view's coordinate lines; nullopt when the user answered No.
std::optional<UploadJob> PrepareCoordUpload(TextView& view, Prompter& prompter);

// The upload job for the view's PCODE lines; nullopt when the user answered No.
std::optional<UploadJob> PreparePcodeUpload(TextView& view, Prompter& prompter);

// True when the download may start.
bool ConfirmDownload(TextView& view, Prompter& prompter);

}  // namespace vrk

#pragma once

#include <optional>

#include "commands/send_anyway_question.h"
#include "interfaces/prompter.h"
#include "interfaces/text_view.h"
#include "link/upload.h"

namespace vrk {

// The UI-thread halves of the transfer commands. Each asks the unsaved-text question first; the
// shell starts the worker only on a positive answer. The uploads then check the list: only when
// something would not reach the instrument as written do they ask whether to send anyway.

// The upload job for the view's coordinate lines; nullopt when the user answered No or 取消.
std::optional<UploadJob> PrepareCoordUpload(TextView& view, Prompter& prompter,
                                            SendAnywayQuestion& question);

// The upload job for the view's PCODE lines; nullopt when the user answered No or 取消.
std::optional<UploadJob> PreparePcodeUpload(TextView& view, Prompter& prompter,
                                            SendAnywayQuestion& question);

// True when the download may start.
bool ConfirmDownload(TextView& view, Prompter& prompter);

}  // namespace vrk

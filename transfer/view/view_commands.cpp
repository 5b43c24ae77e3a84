#include "view/view_commands.h"

#include "view/confirm_discard.h"

namespace vrk {

std::optional<UploadJob> PrepareCoordUpload(TextView& view, Prompter& prompter) {
    if (!ConfirmDiscardText(view, prompter)) {
        return std::nullopt;
    }
    return BuildCoordUploadJob(view.getText());
}

std::optional<UploadJob> PreparePcodeUpload(TextView& view, Prompter& prompter) {
    if (!ConfirmDiscardText(view, prompter)) {
        return std::nullopt;
    }
    return BuildPcodeUploadJob(view.getText());
}

bool ConfirmDownload(TextView& view, Prompter& prompter) {
    return ConfirmDiscardText(view, prompter);
}

}  // namespace vrk

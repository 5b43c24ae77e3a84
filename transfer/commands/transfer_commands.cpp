#include "commands/transfer_commands.h"

#include "commands/confirm_discard.h"
#include "survey/upload_check.h"

namespace vrk {

namespace {

bool MaySend(const UploadFindings& findings, SendAnywayQuestion& question) {
    return findings.empty() || question.askSendAnyway(findings);
}

}  // namespace

std::optional<UploadJob> PrepareCoordUpload(TextView& view, Prompter& prompter,
                                            SendAnywayQuestion& question) {
    if (!ConfirmDiscardText(view, prompter)) {
        return std::nullopt;
    }
    const std::string text = view.getText();
    if (!MaySend(CheckCoordUpload(text), question)) {
        return std::nullopt;
    }
    return BuildCoordUploadJob(text);
}

std::optional<UploadJob> PreparePcodeUpload(TextView& view, Prompter& prompter,
                                            SendAnywayQuestion& question) {
    if (!ConfirmDiscardText(view, prompter)) {
        return std::nullopt;
    }
    const std::string text = view.getText();
    if (!MaySend(CheckPcodeUpload(text), question)) {
        return std::nullopt;
    }
    return BuildPcodeUploadJob(text);
}

bool ConfirmDownload(TextView& view, Prompter& prompter) {
    return ConfirmDiscardText(view, prompter);
}

}  // namespace vrk

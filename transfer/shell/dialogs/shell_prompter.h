#pragma once

#include <QString>

#include "commands/send_anyway_question.h"
#include "interfaces/prompter.h"
#include "survey/upload_check_texts.h"

namespace vrk {

enum class SaveAnswer { Yes, No, Cancel };

// Every message box of the program, captioned "VRK410" and shown on the UI thread. Tests script
// the answers by substituting their own implementation.
class ShellPrompter : public Prompter, public SendAnywayQuestion {
  public:
    // Scripted prompters answer it as a Yes/No question over the same text; the real one shows
    // 继续 and 取消.
    bool askSendAnyway(const UploadFindings& findings) override {
        return askYesNo(std::string(kAskSendAnyway) + '\n' + FormatFindings(findings));
    }

    // The framework's save-on-close question for the document named `documentName`.
    virtual SaveAnswer askSaveChanges(const QString& documentName) = 0;
};

}  // namespace vrk

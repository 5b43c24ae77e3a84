#pragma once

#include <QString>

#include "view/prompter.h"

namespace vrk {

enum class SaveAnswer { Yes, No, Cancel };

// Every message box of the program, captioned "VRK410" and shown on the UI thread. Tests script
// the answers by substituting their own implementation.
class ShellPrompter : public Prompter {
  public:
    // The framework's save-on-close question for the document named `documentName`.
    virtual SaveAnswer askSaveChanges(const QString& documentName) = 0;
};

}  // namespace vrk

#pragma once

#include "interfaces/prompter.h"
#include "interfaces/text_view.h"

namespace vrk {

// True when the command may go on: the text is saved, or the user agreed to lose the changes.
bool ConfirmDiscardText(TextView& view, Prompter& prompter);

}  // namespace vrk

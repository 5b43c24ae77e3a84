#pragma once

#include "view/prompter.h"
#include "view/text_view.h"

namespace vrk {

// True when the command may go on: the text is saved, or the user agreed to lose the changes.
bool ConfirmDiscardText(TextView& view, Prompter& prompter);

}  // namespace vrk

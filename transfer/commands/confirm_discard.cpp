#include "commands/confirm_discard.h"

#include "link/link_texts.h"

namespace vrk {

bool ConfirmDiscardText(TextView& view, Prompter& prompter) {
    return !view.isTextModified() || prompter.askYesNo(kMsgDiscardText);
}

}  // namespace vrk

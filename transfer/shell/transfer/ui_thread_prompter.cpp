#include "shell/transfer/ui_thread_prompter.h"

#include <string>

#include "shell/transfer/ui_thread_call.h"

namespace vrk {

void UiThreadPrompter::showMessage(std::string_view text) {
    CallOnUiThread(context_, abandoned_,
                   [target = &target_, copy = std::string(text)] { target->showMessage(copy); });
}

bool UiThreadPrompter::askYesNo(std::string_view text) {
    return CallOnUiThread<bool>(
        context_, abandoned_,
        [target = &target_, copy = std::string(text)] { return target->askYesNo(copy); }, false);
}

}  // namespace vrk

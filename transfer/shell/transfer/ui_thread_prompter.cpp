#include "shell/transfer/ui_thread_prompter.h"

#include <string>

namespace vrk {

void UiThreadPrompter::showMessage(std::string_view text) {
    queue_.call<bool>(
        [t = &target_, copy = std::string(text)] {
            t->showMessage(copy);
            return true;
        },
        false);
}

bool UiThreadPrompter::askYesNo(std::string_view text) {
    return queue_.call<bool>([t = &target_, copy = std::string(text)] { return t->askYesNo(copy); },
                             false);
}

}  // namespace vrk

#include "link/diagnosing_prompter.h"

#include "link/link_messages.h"

namespace vrk {

void DiagnosingPrompter::showMessage(std::string_view text) {
    if (text != kMsgTimedOut && text != kMsgFailed) {
        prompter_.showMessage(text);
        return;
    }
    std::string message(text);
    const std::vector<std::string> causes = recorder_.diagnosis();
    if (!causes.empty()) {
        message += '\n';
        message += causes.front();
    }
    if (!whereToSee_.empty()) {
        message += '\n';
        message += whereToSee_;
    }
    prompter_.showMessage(message);
}

}  // namespace vrk

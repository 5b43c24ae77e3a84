#include "transcript/diagnosing_prompter.h"

#include <utility>

namespace vrk {

void DiagnosingPrompter::showMessage(std::string_view text) {
    const std::optional<TransferEnd> end = std::exchange(end_, std::nullopt);
    if (end != TransferEnd::TimedOut && end != TransferEnd::Failed) {
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

#pragma once

#include <functional>
#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "interfaces/prompter.h"

namespace vrk::cli {

// Message boxes on a terminal. The start prompts wait for Enter, as the OK button would, unless
// the user said --yes; every other message is printed and remembered, because the command's exit
// status is decided by what the transfer told the user.
class ConsolePrompter final : public Prompter {
  public:
    ConsolePrompter(std::istream& in, std::ostream& err, bool assumeYes);

    void showMessage(std::string_view text) override;
    bool askYesNo(std::string_view text) override;

    // Run before anything is printed, so a progress line can end first.
    void setBeforeMessage(std::function<void()> hook) { beforeMessage_ = std::move(hook); }

    // Messages other than the start prompts, in the order shown.
    const std::vector<std::string>& reports() const { return reports_; }

  private:
    std::istream& in_;
    std::ostream& err_;
    bool assumeYes_;
    std::vector<std::string> reports_;
    std::function<void()> beforeMessage_;
};

}  // namespace vrk::cli

#include "cli/console_prompter.h"

#include "link/link_texts.h"

namespace vrk::cli {

namespace {

// The two prompts that ask the user to start the instrument are the ones worth waiting for.
bool IsStartPrompt(std::string_view text) {
    return text == kMsgStationFirst || text == kMsgComputerFirst;
}

}  // namespace

ConsolePrompter::ConsolePrompter(std::istream& in, std::ostream& err, bool assumeYes)
    : in_(in), err_(err), assumeYes_(assumeYes) {}

void ConsolePrompter::showMessage(std::string_view text) {
    if (beforeMessage_) {
        beforeMessage_();
    }
    err_ << text << '\n' << std::flush;
    if (!IsStartPrompt(text)) {
        reports_.emplace_back(text);
        return;
    }
    if (!assumeYes_) {
        std::string line;
        std::getline(in_, line);
    }
}

bool ConsolePrompter::askYesNo(std::string_view text) {
    if (beforeMessage_) {
        beforeMessage_();
    }
    err_ << text << " [y/N] " << std::flush;
    if (assumeYes_) {
        err_ << "y\n" << std::flush;
        return true;
    }
    std::string line;
    if (!std::getline(in_, line)) {
        return false;
    }
    return line == "y" || line == "Y" || line == "yes";
}

}  // namespace vrk::cli

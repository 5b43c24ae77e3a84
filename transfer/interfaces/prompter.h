#pragma once

#include <string_view>

namespace vrk {

// Message boxes, captioned with the program's name. Texts are UTF-8 (they are the program's own
// words, not document bytes). Both calls wait until the user has answered.
class Prompter {
  public:
    virtual ~Prompter() = default;
    virtual void showMessage(std::string_view text) = 0;  // OK only
    virtual bool askYesNo(std::string_view text) = 0;     // true = Yes
};

}  // namespace vrk

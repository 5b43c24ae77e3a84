#pragma once

#include <string>

#include "interfaces/prompter.h"
#include "interfaces/text_view.h"

namespace vrk {

// The whole conversion commands: convert the view's text, tell a failure and where it happened,
// ask before the unsaved text is replaced, replace it. Answer what came out, for the status bar;
// empty when the text was not replaced.
std::string OnConvertDelf(TextView& view, Prompter& prompter);
std::string OnConvertPcode(TextView& view, Prompter& prompter);

}  // namespace vrk

#pragma once

#include "view/prompter.h"
#include "view/text_view.h"

namespace vrk {

// The whole conversion commands: convert the view's text, tell a failure, ask before the unsaved
// text is replaced, replace it.
void OnConvertDelf(TextView& view, Prompter& prompter);
void OnConvertPcode(TextView& view, Prompter& prompter);

}  // namespace vrk

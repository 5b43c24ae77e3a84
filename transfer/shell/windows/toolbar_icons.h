#pragma once

#include <QIcon>

namespace vrk {

// A toolbar icon drawn for the program (the style has no cut, copy, paste, print or about
// icons), by its file name in the resources ("cut"): rendered at the toolbar's 16×15 and at
// larger sizes, so it stays sharp on a bigger toolbar or a high-density screen.
QIcon ToolbarIcon(const char* name);

}  // namespace vrk

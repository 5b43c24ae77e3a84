#pragma once

#include <QFont>
#include <QRect>

#include "editor/dialog_template.h"

namespace quorbel::editor {

// Horizontal and vertical dialog base units in pixels, as the Windows dialog manager derives them
// from the dialog font: the template's geometry is in quarters and eighths of these.
struct DialogBaseUnits {
    int x = 0;
    int y = 0;
};

QFont dialogFont();
DialogBaseUnits dialogBaseUnits(const QFont& font);

// Maps each edge separately and rounds like MulDiv, so adjacent controls share their pixel edges.
QRect toPixels(const DuRect& rect, const DialogBaseUnits& units);

}  // namespace quorbel::editor

#pragma once

#include <QIcon>

namespace vrk {

// The program's icon, drawn rather than shipped so the build needs no image tools.
QIcon AppIcon();

}  // namespace vrk

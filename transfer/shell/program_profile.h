#pragma once

#include <QSettings>

namespace vrk {

// The program's profile: where the recent files, the print preview and the last export's
// choices are kept between runs.
QSettings ProgramProfile();

}  // namespace vrk

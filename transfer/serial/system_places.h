#pragma once

#include <string>

namespace vrk {

// The folder where the user's settings files live (~/.config or $XDG_CONFIG_HOME on POSIX
// systems, %APPDATA% on Windows), with the profile's organisation folder below it; empty when the
// system names none.
std::string UserSettingsFolder();

}  // namespace vrk

#include <cstdlib>
#include <string>

#include "serial/com_port_device.h"
#include "serial/port_mapping.h"
#include "serial/system_places.h"

namespace vrk {

namespace {

constexpr const char* kDefaultDevicePrefix = "/dev/ttyS";
constexpr const char* kOrganisation = "Local AppWizard-Generated Applications";

}  // namespace

std::string DefaultComDevice(int number) {
    return kDefaultDevicePrefix + std::to_string(number - kFirstComNumber);
}

std::string UserSettingsFolder() {
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && *config == '/') {
        return std::string(config) + "/" + kOrganisation;
    }
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        return std::string(home) + "/.config/" + kOrganisation;
    }
    return {};
}

}  // namespace vrk

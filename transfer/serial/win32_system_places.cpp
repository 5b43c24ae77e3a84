#include <cstdlib>
#include <string>

#include "serial/com_port_device.h"
#include "serial/system_places.h"

namespace vrk {

namespace {

constexpr const char* kOrganisation = "Local AppWizard-Generated Applications";

}  // namespace

std::string DefaultComDevice(int number) {
    return "COM" + std::to_string(number);
}

std::string UserSettingsFolder() {
    if (const char* appData = std::getenv("APPDATA"); appData != nullptr && *appData != '\0') {
        return std::string(appData) + "\\" + kOrganisation;
    }
    return {};
}

}  // namespace vrk

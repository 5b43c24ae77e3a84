#include "serial/com_port_device.h"

#include <cstdlib>

#include "serial/port_mapping.h"

namespace vrk {

namespace {

constexpr std::string_view kComPrefix = "COM";
constexpr std::string_view kEnvPrefix = "VRK410_COM";

}  // namespace

int ComNumber(std::string_view name) {
    if (name.size() != kComPrefix.size() + 1 || name.substr(0, kComPrefix.size()) != kComPrefix) {
        return 0;
    }
    const int digit = name.back() - '0';
    return digit >= kFirstComNumber && digit <= kLastComNumber ? digit : 0;
}

ComDevice ComDeviceFor(int number) {
    const std::string variable = std::string(kEnvPrefix) + std::to_string(number);
    if (const char* value = std::getenv(variable.c_str()); value != nullptr && *value != '\0') {
        return {value, ComDeviceSource::Environment};
    }
    const PortMapping mapping = LoadPortMapping();
    if (const std::string& mapped = mapping.deviceFor(number); !mapped.empty()) {
        return {mapped, ComDeviceSource::Mapping};
    }
    return {DefaultComDevice(number), ComDeviceSource::Default};
}

std::string ComPortDevice(std::string_view portName) {
    const int number = ComNumber(portName);
    if (number == 0) {
        return std::string(portName);
    }
    return ComDeviceFor(number).path;
}

}  // namespace vrk

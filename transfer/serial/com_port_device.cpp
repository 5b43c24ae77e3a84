#include "serial/com_port_device.h"

#include <cstdlib>

namespace vrk {

namespace {

constexpr std::string_view kComPrefix = "COM";
constexpr int kFirstCom = 1;
constexpr int kLastCom = 6;
constexpr std::string_view kEnvPrefix = "VRK410_COM";
constexpr std::string_view kDefaultDevicePrefix = "/dev/ttyS";

// 1 … 6 for "COM1" … "COM6", 0 for anything else (including "com1": the program only ever
// produces the upper-case names).
int ComNumber(std::string_view name) {
    if (name.size() != kComPrefix.size() + 1 || name.substr(0, kComPrefix.size()) != kComPrefix) {
        return 0;
    }
    const int digit = name.back() - '0';
    return digit >= kFirstCom && digit <= kLastCom ? digit : 0;
}

}  // namespace

std::string ComPortDevice(std::string_view portName) {
    const int number = ComNumber(portName);
    if (number == 0) {
        return std::string(portName);
    }
    const std::string variable = std::string(kEnvPrefix) + std::to_string(number);
    if (const char* value = std::getenv(variable.c_str()); value != nullptr && *value != '\0') {
        return value;
    }
    return std::string(kDefaultDevicePrefix) + std::to_string(number - kFirstCom);
}

}  // namespace vrk

#include <windows.h>

#include <algorithm>

#include "serial/port_discovery.h"

namespace vrk {

namespace {

// Every serial port driver enters its ports here: value name the driver's device, data "COMn".
constexpr const char* kSerialCommKey = "HARDWARE\\DEVICEMAP\\SERIALCOMM";
constexpr DWORD kNameSize = 256;

// "COM10" after "COM9".
bool ComesBefore(const SerialDevice& a, const SerialDevice& b) {
    return a.path.size() != b.path.size() ? a.path.size() < b.path.size() : a.path < b.path;
}

}  // namespace

std::vector<SerialDevice> DiscoverSerialDevices() {
    std::vector<SerialDevice> devices;
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSerialCommKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return devices;
    }
    for (DWORD index = 0;; ++index) {
        char name[kNameSize];
        DWORD nameSize = kNameSize;
        BYTE data[kNameSize];
        DWORD dataSize = kNameSize;
        DWORD type = 0;
        const LONG result =
            ::RegEnumValueA(key, index, name, &nameSize, nullptr, &type, data, &dataSize);
        if (result == ERROR_NO_MORE_ITEMS) {
            break;
        }
        if (result != ERROR_SUCCESS || type != REG_SZ || dataSize == 0) {
            continue;
        }
        SerialDevice device;
        device.path.assign(reinterpret_cast<const char*>(data),
                           strnlen(reinterpret_cast<const char*>(data), dataSize));
        device.description.assign(name, nameSize);
        devices.push_back(std::move(device));
    }
    ::RegCloseKey(key);
    std::sort(devices.begin(), devices.end(), ComesBefore);
    return devices;
}

}  // namespace vrk

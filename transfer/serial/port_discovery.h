#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vrk {

// A serial device the system reports (a built-in port, a USB adapter).
struct SerialDevice {
    std::string path;  // "/dev/ttyUSB0", "COM3"
    std::string description;
    std::string manufacturer;
    std::optional<std::uint16_t> vendorId;
    std::optional<std::uint16_t> productId;
};

// Every serial device the system reports now, sorted by path (posix_port_discovery.cpp: sysfs
// and /dev/serial/by-id; win32_port_discovery.cpp: the SERIALCOMM registry key). Pseudo-terminals
// are not listed: a path can always be typed instead.
std::vector<SerialDevice> DiscoverSerialDevices();

// "/dev/ttyUSB0  USB-Serial Controller  Prolific  067b:2303", leaving out what is not known.
std::string DescribeSerialDevice(const SerialDevice& device);

}  // namespace vrk

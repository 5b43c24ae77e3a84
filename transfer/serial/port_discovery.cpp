#include "serial/port_discovery.h"

#include <QSerialPortInfo>
#include <algorithm>
#include <cstdio>

namespace vrk {

namespace {

constexpr auto kFieldGap = "  ";

std::string HexId(std::uint16_t id) {
    char text[5];
    std::snprintf(text, sizeof text, "%04x", static_cast<unsigned>(id));
    return text;
}

}  // namespace

std::vector<SerialDevice> DiscoverSerialDevices() {
    std::vector<SerialDevice> devices;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        SerialDevice device;
        device.path = info.systemLocation().toStdString();
        device.description = info.description().toStdString();
        device.manufacturer = info.manufacturer().toStdString();
        if (info.hasVendorIdentifier()) {
            device.vendorId = info.vendorIdentifier();
        }
        if (info.hasProductIdentifier()) {
            device.productId = info.productIdentifier();
        }
        devices.push_back(std::move(device));
    }
    std::sort(devices.begin(), devices.end(),
              [](const SerialDevice& a, const SerialDevice& b) { return a.path < b.path; });
    return devices;
}

std::string DescribeSerialDevice(const SerialDevice& device) {
    std::string line = device.path;
    for (const std::string* field : {&device.description, &device.manufacturer}) {
        if (!field->empty()) {
            line += kFieldGap + *field;
        }
    }
    if (device.vendorId || device.productId) {
        line += kFieldGap + (device.vendorId ? HexId(*device.vendorId) : std::string("????")) +
                ":" + (device.productId ? HexId(*device.productId) : std::string("????"));
    }
    return line;
}

}  // namespace vrk

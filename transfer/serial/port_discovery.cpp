#include "serial/port_discovery.h"

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

#include "cli/cli_ports.h"

#include <ostream>
#include <string>

#include "cli/cli_texts.h"
#include "serial/com_port_device.h"
#include "serial/port_discovery.h"
#include "serial/port_mapping.h"

namespace vrk::cli {

namespace {

std::string SourceText(ComDeviceSource source, int number) {
    switch (source) {
        case ComDeviceSource::Environment:
            return "(VRK410_COM" + std::to_string(number) + ")";
        case ComDeviceSource::Mapping:
            return std::string("(") + texts::kFromMapping + PortMappingFile() + ")";
        case ComDeviceSource::Default:
            break;
    }
    return std::string("(") + texts::kDefaultDevice + ")";
}

}  // namespace

int RunPortsCommand(std::ostream& out) {
    const auto devices = DiscoverSerialDevices();
    if (devices.empty()) {
        out << texts::kNoDeviceReported << '\n';
    }
    for (const SerialDevice& device : devices) {
        out << texts::kDevice << DescribeSerialDevice(device) << '\n';
    }
    for (int number = kFirstComNumber; number <= kLastComNumber; ++number) {
        const ComDevice com = ComDeviceFor(number);
        out << "COM" << number << " = " << com.path << "  " << SourceText(com.source, number)
            << '\n';
    }
    return 0;
}

const char* PortsUsage() {
    return "  vrk410-cli ports    serial devices found, and the device of each of COM1..COM6\n";
}

}  // namespace vrk::cli

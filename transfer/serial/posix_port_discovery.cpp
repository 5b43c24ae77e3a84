#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <map>
#include <system_error>

#include "serial/port_discovery.h"
#include "serial/posix_port_holder.h"

namespace vrk {

namespace {

namespace fs = std::filesystem;

constexpr const char* kTtyClass = "/sys/class/tty";
constexpr const char* kById = "/dev/serial/by-id";
// A built-in UART the driver registered but found no hardware for reports this port type.
constexpr std::string_view kUnknownUartType = "0";

std::optional<std::uint16_t> HexId(const std::string& text) {
    std::uint16_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (error != std::errc() || end == text.data()) {
        return std::nullopt;
    }
    return value;
}

// The udev names of USB adapters ("usb-Prolific_USB-Serial_Controller-if00-port0") by the
// device they point at: a description when sysfs has no product text.
std::map<std::string, std::string> NamesById() {
    std::map<std::string, std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(kById, error)) {
        std::error_code linkError;
        const fs::path target = fs::canonical(entry.path(), linkError);
        if (!linkError) {
            names.emplace(target.string(), entry.path().filename().string());
        }
    }
    return names;
}

// The USB device above a tty in sysfs holds idVendor, idProduct, manufacturer and product.
void AddUsbFacts(const fs::path& ttyDevice, SerialDevice& device) {
    std::error_code error;
    for (fs::path dir = fs::canonical(ttyDevice, error); !error && dir.has_relative_path();
         dir = dir.parent_path()) {
        if (fs::exists(dir / "idVendor", error)) {
            device.vendorId = HexId(FirstLine(dir / "idVendor"));
            device.productId = HexId(FirstLine(dir / "idProduct"));
            device.manufacturer = FirstLine(dir / "manufacturer");
            device.description = FirstLine(dir / "product");
            return;
        }
    }
}

}  // namespace

std::vector<SerialDevice> DiscoverSerialDevices() {
    std::vector<SerialDevice> devices;
    const auto byId = NamesById();
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(kTtyClass, error)) {
        std::error_code entryError;
        // Virtual terminals and pseudo-terminals have no device behind them.
        if (!fs::exists(entry.path() / "device", entryError)) {
            continue;
        }
        const fs::path uartType = entry.path() / "type";
        if (fs::exists(uartType, entryError) && FirstLine(uartType) == kUnknownUartType) {
            continue;
        }
        SerialDevice device;
        device.path = "/dev/" + entry.path().filename().string();
        AddUsbFacts(entry.path() / "device", device);
        if (const auto name = byId.find(device.path);
            device.description.empty() && name != byId.end()) {
            device.description = name->second;
        }
        devices.push_back(std::move(device));
    }
    std::sort(devices.begin(), devices.end(),
              [](const SerialDevice& a, const SerialDevice& b) { return a.path < b.path; });
    return devices;
}

}  // namespace vrk

#include "serial/port_mapping.h"

#include <filesystem>
#include <fstream>
#include <string_view>
#include <system_error>

#include "serial/system_places.h"

namespace vrk {

namespace {

namespace fs = std::filesystem;

// An INI file of its own beside the program's profile: "[Ports]" and one "COMn=device" line per
// chosen port, as the desktop program has always written it.
constexpr std::string_view kFileName = "VRK410-ports.conf";
constexpr std::string_view kGroup = "[Ports]";
constexpr std::string_view kKeyPrefix = "COM";

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

// Values with characters an INI file treats specially were written in double quotes.
std::string Unquoted(std::string_view value) {
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(Trimmed(value));
}

// 1 … 6 for "COM1" … "COM6".
int KeyNumber(std::string_view key) {
    if (key.size() != kKeyPrefix.size() + 1 || key.substr(0, kKeyPrefix.size()) != kKeyPrefix) {
        return 0;
    }
    const int number = key.back() - '0';
    return number >= kFirstComNumber && number <= kLastComNumber ? number : 0;
}

}  // namespace

PortMapping LoadPortMapping() {
    PortMapping mapping;
    std::ifstream in(fs::path(PortMappingFile()), std::ios::binary);
    std::string line;
    bool inGroup = false;
    while (std::getline(in, line)) {
        const std::string_view text = Trimmed(line);
        if (!text.empty() && text.front() == '[') {
            inGroup = text == kGroup;
            continue;
        }
        const auto equals = text.find('=');
        if (!inGroup || equals == std::string_view::npos) {
            continue;
        }
        if (const int number = KeyNumber(Trimmed(text.substr(0, equals))); number != 0) {
            mapping.deviceFor(number) = Unquoted(text.substr(equals + 1));
        }
    }
    return mapping;
}

bool SavePortMapping(const PortMapping& mapping) {
    const fs::path file(PortMappingFile());
    std::error_code error;
    fs::create_directories(file.parent_path(), error);
    std::string content(kGroup);
    content += '\n';
    for (int number = kFirstComNumber; number <= kLastComNumber; ++number) {
        if (const std::string& device = mapping.deviceFor(number); !device.empty()) {
            content += std::string(kKeyPrefix) + std::to_string(number) + "=" + device + "\n";
        }
    }
    // The old mapping stays in force until the new one is whole.
    fs::path staged = file;
    staged += ".new";
    {
        std::ofstream out(staged, std::ios::binary | std::ios::trunc);
        out << content;
        out.flush();
        if (!out) {
            fs::remove(staged, error);
            return false;
        }
    }
    fs::rename(staged, file, error);
    if (error) {
        fs::remove(staged, error);
        return false;
    }
    return true;
}

std::string PortMappingFile() {
    return (fs::path(UserSettingsFolder()) / kFileName).string();
}

}  // namespace vrk

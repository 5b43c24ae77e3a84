#include "cadhost/version_resource.h"

#include "cadhost/arx_entry.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>

namespace cadhost {
namespace {

// The fields of the ELF64 header and section headers that the section lookup needs.
constexpr std::size_t kElfHeaderSize = 64;
constexpr std::size_t kSectionHeaderOffsetField = 0x28;
constexpr std::size_t kSectionHeaderSizeField = 0x3A;
constexpr std::size_t kSectionCountField = 0x3C;
constexpr std::size_t kSectionNamesIndexField = 0x3E;
constexpr std::size_t kMinSectionHeaderSize = 64;
constexpr std::size_t kSectionNameField = 0x00;
constexpr std::size_t kSectionTypeField = 0x04;
constexpr std::size_t kSectionOffsetField = 0x18;
constexpr std::size_t kSectionSizeField = 0x20;
constexpr std::uint32_t kSectionTypeNoBits = 8;
constexpr unsigned char kElfClass64 = 2;
constexpr unsigned char kElfLittleEndian = 1;

template <class T>
bool readField(std::string_view bytes, std::size_t offset, T& value) {
    if (offset > bytes.size() || bytes.size() - offset < sizeof(T)) {
        return false;
    }
    unsigned char raw[sizeof(T)];
    std::memcpy(raw, bytes.data() + offset, sizeof(T));
    std::uint64_t result = 0;
    for (std::size_t i = sizeof(T); i-- > 0;) {
        result = (result << 8) | raw[i];
    }
    value = static_cast<T>(result);
    return true;
}

std::optional<std::string_view> slice(std::string_view bytes, std::uint64_t offset,
                                      std::uint64_t size) {
    if (offset > bytes.size() || size > bytes.size() - offset) {
        return std::nullopt;
    }
    return bytes.substr(static_cast<std::size_t>(offset), static_cast<std::size_t>(size));
}

}  // namespace

std::string VersionInfo::value(std::string_view key) const {
    for (const auto& [name, text] : entries) {
        if (name == key) {
            return text;
        }
    }
    return {};
}

std::optional<std::string_view> findElfSection(std::string_view file, std::string_view name) {
    if (file.size() < kElfHeaderSize ||
        file.substr(0, 4) !=
            "\x7f"
            "ELF" ||
        static_cast<unsigned char>(file[4]) != kElfClass64 ||
        static_cast<unsigned char>(file[5]) != kElfLittleEndian) {
        return std::nullopt;
    }
    std::uint64_t tableOffset = 0;
    std::uint16_t entrySize = 0;
    std::uint16_t count = 0;
    std::uint16_t namesIndex = 0;
    if (!readField(file, kSectionHeaderOffsetField, tableOffset) ||
        !readField(file, kSectionHeaderSizeField, entrySize) ||
        !readField(file, kSectionCountField, count) ||
        !readField(file, kSectionNamesIndexField, namesIndex) ||
        entrySize < kMinSectionHeaderSize || namesIndex >= count) {
        return std::nullopt;
    }
    const auto table = slice(file, tableOffset, std::uint64_t{entrySize} * count);
    if (!table) {
        return std::nullopt;
    }
    auto sectionBytes = [&](std::size_t index) -> std::optional<std::string_view> {
        const std::size_t header = index * entrySize;
        std::uint32_t type = 0;
        std::uint64_t offset = 0;
        std::uint64_t size = 0;
        if (!readField(*table, header + kSectionTypeField, type) ||
            !readField(*table, header + kSectionOffsetField, offset) ||
            !readField(*table, header + kSectionSizeField, size) || type == kSectionTypeNoBits) {
            return std::nullopt;
        }
        return slice(file, offset, size);
    };
    const auto names = sectionBytes(namesIndex);
    if (!names) {
        return std::nullopt;
    }
    for (std::size_t index = 0; index < count; ++index) {
        std::uint32_t nameOffset = 0;
        if (!readField(*table, index * entrySize + kSectionNameField, nameOffset) ||
            nameOffset >= names->size()) {
            continue;
        }
        const std::string_view rest = names->substr(nameOffset);
        const std::string_view sectionName = rest.substr(0, rest.find('\0'));
        if (sectionName == name) {
            return sectionBytes(index);
        }
    }
    return std::nullopt;
}

VersionInfo parseVersionText(std::string_view text) {
    VersionInfo info;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of(std::string_view("\n\0", 2), start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        const std::size_t equals = line.find('=');
        if (equals != std::string_view::npos && equals > 0) {
            info.entries.emplace_back(std::string(line.substr(0, equals)),
                                      std::string(line.substr(equals + 1)));
        }
        start = end + 1;
    }
    return info;
}

VersionInfo readVersionResource(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return {};
    }
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const auto section = findElfSection(bytes, CADHOST_VERSION_SECTION);
    return section ? parseVersionText(*section) : VersionInfo{};
}

}  // namespace cadhost

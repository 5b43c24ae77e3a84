#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace cadhost {

// A module's version texts, in the order the module lists them.
struct VersionInfo {
    std::vector<std::pair<std::string, std::string>> entries;

    // Empty when the key is absent.
    std::string value(std::string_view key) const;
    bool empty() const { return entries.empty(); }
};

// The bytes of the named section of a 64-bit little-endian ELF file; nothing when the bytes are
// not such a file, the section is absent, or the headers point outside the file.
std::optional<std::string_view> findElfSection(std::string_view file, std::string_view name);

// "Key=Value" lines; blank lines, NUL padding and lines without "=" are skipped.
VersionInfo parseVersionText(std::string_view text);

// The version resource of a module file; empty when it has none or cannot be read.
VersionInfo readVersionResource(const std::string& path);

}  // namespace cadhost

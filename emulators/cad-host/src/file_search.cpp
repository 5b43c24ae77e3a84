#include "cadhost/file_search.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "cadhost/ascii_case.h"

namespace fs = std::filesystem;

namespace cadhost {

std::vector<std::string> splitSearchPath(std::string_view list) {
    std::vector<std::string> directories;
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t end = list.find_first_of(":;", start);
        const std::string_view entry = list.substr(
            start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (!entry.empty()) {
            directories.emplace_back(entry);
        }
        if (end == std::string_view::npos) {
            break;
        }
        start = end + 1;
    }
    return directories;
}

namespace {

bool isRegularFile(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

// The entry of dir whose name equals fileName, exactly or else ignoring ASCII case; among several
// case-blind matches the first in name order, so the answer does not depend on directory order.
std::optional<fs::path> matchInDirectory(const fs::path& dir, const std::string& fileName) {
    const fs::path exact = dir / fileName;
    if (isRegularFile(exact)) {
        return exact;
    }
    std::error_code error;
    fs::directory_iterator it(dir, error);
    if (error) {
        return std::nullopt;
    }
    std::vector<fs::path> matches;
    for (const fs::directory_entry& entry : it) {
        const std::string name = entry.path().filename().string();
        if (equalsIgnoringCase(name, fileName) && isRegularFile(entry.path())) {
            matches.push_back(entry.path());
        }
    }
    if (matches.empty()) {
        return std::nullopt;
    }
    return *std::min_element(matches.begin(), matches.end());
}

std::optional<fs::path> matchBelow(const fs::path& base, const fs::path& relative) {
    const fs::path parent = relative.parent_path();
    const std::string fileName = relative.filename().string();
    if (fileName.empty()) {
        return std::nullopt;
    }
    return matchInDirectory(parent.empty() ? base : base / parent, fileName);
}

std::string absoluteText(const fs::path& path) {
    std::error_code error;
    const fs::path full = fs::absolute(path, error);
    return (error ? path : full).lexically_normal().string();
}

}  // namespace

std::optional<std::string> findOnSearchPath(std::string_view name,
                                            const std::vector<std::string>& directories) {
    if (name.empty() || name.find('\0') != std::string_view::npos) {
        return std::nullopt;
    }
    const fs::path wanted{std::string(name)};
    if (wanted.is_absolute()) {
        const auto found = matchBelow(wanted.root_path(), wanted.relative_path());
        return found ? std::optional(absoluteText(*found)) : std::nullopt;
    }
    for (const std::string& dir : directories) {
        if (const auto found = matchBelow(fs::path(dir), wanted)) {
            return absoluteText(*found);
        }
    }
    return std::nullopt;
}

}  // namespace cadhost

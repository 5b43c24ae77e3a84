#include "schema/search_path_finder.h"

#include <system_error>

#include "schema/gbk_letter_case.h"
#include "schema/host_services.h"

namespace quorbel {
namespace {

constexpr int kNotFound = -5001;

bool isRegularFile(const std::filesystem::path& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

}  // namespace

SearchPathFinder::SearchPathFinder(std::vector<std::filesystem::path> directories)
    : m_directories(std::move(directories)) {}

int SearchPathFinder::findFile(std::string_view name, std::string& fullPath) const {
    if (name.empty()) {
        return kNotFound;
    }
    for (const auto& directory : m_directories) {
        const auto exact = directory / std::filesystem::path(std::string(name));
        if (isRegularFile(exact)) {
            fullPath = exact.string();
            return RTNORM;
        }
        // Several names may differ only in letter case; the smallest one wins, so the choice does
        // not depend on the order in which the directory lists them.
        std::error_code ec;
        std::filesystem::directory_iterator it(directory, ec);
        std::filesystem::path best;
        for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
            const auto candidate = it->path();
            if (equalsIgnoreAsciiCase(candidate.filename().string(), name) &&
                isRegularFile(candidate) && (best.empty() || candidate < best)) {
                best = candidate;
            }
        }
        if (!best.empty()) {
            fullPath = best.string();
            return RTNORM;
        }
    }
    return kNotFound;
}

std::vector<std::filesystem::path> SearchPathFinder::parseSearchPath(std::string_view list) {
    std::vector<std::filesystem::path> directories;
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t end = list.find_first_of(":;", start);
        if (end == std::string_view::npos) {
            end = list.size();
        }
        if (end > start) {
            directories.emplace_back(std::string(list.substr(start, end - start)));
        }
        start = end + 1;
    }
    return directories;
}

}  // namespace quorbel

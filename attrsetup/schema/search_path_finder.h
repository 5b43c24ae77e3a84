#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace quorbel {

// Finds a bare file name in a list of directories, first directory first. Within a directory an
// exact name wins; otherwise a name that differs only in the letter case of ASCII letters is taken,
// the way the host's own search behaves on a case-blind file system.
class SearchPathFinder {
  public:
    explicit SearchPathFinder(std::vector<std::filesystem::path> directories);

    // Answers RTNORM and sets fullPath when found.
    int findFile(std::string_view name, std::string& fullPath) const;

    const std::vector<std::filesystem::path>& directories() const { return m_directories; }

    // "DIR:DIR:..." into directories; ";" separates too, as in search paths written for the host.
    // Empty entries are dropped.
    static std::vector<std::filesystem::path> parseSearchPath(std::string_view list);

  private:
    std::vector<std::filesystem::path> m_directories;
};

}  // namespace quorbel

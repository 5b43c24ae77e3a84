#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cadhost {

// "DIR:DIR" (";" is accepted as well, as Windows-minded users write it); empty entries dropped.
std::vector<std::string> splitSearchPath(std::string_view list);

// The full path of the first match of name on the directories, first directory first. A name with
// a directory part is taken relative to each directory, or as it is when absolute. Letter case of
// the file name is ignored the way the host's own file system ignores it; in a directory that holds
// both spellings the exact one wins.
std::optional<std::string> findOnSearchPath(std::string_view name,
                                            const std::vector<std::string>& directories);

}  // namespace cadhost

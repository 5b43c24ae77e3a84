#pragma once

#include <string>
#include <string_view>

namespace quorbel::editor {

// The text of one line of the available or included list: code, padding, name. The padding keeps
// names in a column for the usual code lengths and never falls below two spaces, because the key
// of a line is read back up to its first space.
std::string featureLine(std::string_view code, std::string_view name);

// The code a feature line stands for: its text up to the first space.
std::string_view featureLineKey(std::string_view line);

}  // namespace quorbel::editor

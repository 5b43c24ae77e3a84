// The find boxes' match: a substring of GBK text that starts on a character, so the second byte
// of one Chinese character and the first of the next never make a match. ASCII letters match in
// either case; Chinese characters only as they are.
#pragma once

#include <string_view>

namespace quorbel::editor {

struct FeatureLine;

bool gbkContains(std::string_view text, std::string_view needle);
// A feature line matches by its code or by its name, never across the spaces between them.
bool featureLineMatches(const FeatureLine& line, std::string_view needle);

}  // namespace quorbel::editor

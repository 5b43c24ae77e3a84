#pragma once

#include <string>
#include <string_view>

namespace quorbel {

// The schema keeps GBK bytes; the source files are UTF-8. These are the only conversions: for the
// built-in texts (once) and for attrcheck's terminal output.
std::string utf8ToGbk(std::string_view utf8);
// Bytes that are not valid GBK become U+FFFD, one per byte.
std::string gbkToUtf8(std::string_view gbk);

}  // namespace quorbel

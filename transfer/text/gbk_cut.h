#pragma once

#include <cstddef>
#include <string_view>

namespace vrk {

// The longest prefix of `text` of at most `limit` bytes that does not end inside a GBK
// double-byte character. A lead byte with nothing after it counts as one byte.
std::size_t GbkSafePrefix(std::string_view text, std::size_t limit);

}  // namespace vrk

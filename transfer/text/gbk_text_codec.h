#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vrk {

// The document is bytes; the editor holds UTF-16. This mapping is lossless in the direction that
// matters: EncodeViewText(DecodeForView(b)) == b for every byte string b. CR LF becomes a line
// break; every other control byte (TAB excepted, the editor keeps it) becomes a Control Pictures
// character, and every byte that is not part of a valid GBK character becomes U+F700 + byte, so
// received framing bytes and damaged data stay visible and are saved back unchanged.
std::u16string DecodeForView(std::string_view bytes);

struct EncodeResult {
    std::string bytes;
    // Index (UTF-16 units) of the first character GBK cannot hold (each such character is "?"
    // in `bytes`); nullopt when everything encoded.
    std::optional<std::size_t> unencodable;
};

EncodeResult EncodeViewText(std::u16string_view text);

// Number of UTF-16 units DecodeForView produces for the first `byteCount` bytes of `bytes`;
// a position inside a character counts as the character's end.
std::size_t ViewPositionOf(std::string_view bytes, std::size_t byteCount);

}  // namespace vrk

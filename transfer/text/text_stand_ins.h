#pragma once

#include <cstdint>

namespace vrk {

// Control bytes are shown as the Control Pictures block (U+2400 + byte, DEL as U+2421) so a
// surveyor recognises STX, ETX and stray CR or LF in a download; bytes that are not GBK become
// U+F700 + byte, a Private Use range GBK never produces.
inline constexpr char16_t kControlPictureBase = 0x2400;
inline constexpr char16_t kDeletePicture = 0x2421;
inline constexpr char16_t kInvalidByteBase = 0xF700;
inline constexpr std::uint8_t kTabByte = 0x09;
inline constexpr std::uint8_t kLfByte = 0x0A;
inline constexpr std::uint8_t kCrByte = 0x0D;
inline constexpr std::uint8_t kDelByte = 0x7F;

inline constexpr bool IsStandIn(char16_t c) {
    return (c >= kControlPictureBase && c <= kDeletePicture) ||
           (c >= kInvalidByteBase + 0x80 && c <= kInvalidByteBase + 0xFF);
}

}  // namespace vrk

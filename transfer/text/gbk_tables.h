#pragma once

#include <array>
#include <cstdint>

namespace vrk {

// Code page 936 as two exact inverses, built once from the system's converter
// (gbk_char_converter.h). A byte sequence is in the tables only if it decodes to one character that
// encodes back to the same bytes and is not one of the editor's stand-ins; everything else is
// treated as invalid, which keeps the mapping lossless.
struct GbkTables {
    static constexpr char16_t kNone = 0;
    // Index: lead byte * 256 + trail byte for pairs, the byte itself for single bytes >= 0x80.
    std::array<char16_t, 65536> decode{};
    std::array<std::uint16_t, 65536> encode{};  // 0 = not encodable; else the byte(s)
    std::array<bool, 65536> encodeIsPair{};
};

const GbkTables& Gbk();

}  // namespace vrk

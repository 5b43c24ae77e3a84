#include <cstddef>
#include <cstdint>

#include "text/gbk_char_converter.h"

namespace vrk {

// cp936_table.cpp, made at build time by cp936_table_maker from ICU.
extern const std::uint16_t kCp936Table[];

namespace {

constexpr unsigned kFirstLead = 0x81;
constexpr unsigned kLastLead = 0xFE;
constexpr unsigned kFirstTrail = 0x40;
constexpr unsigned kLastTrail = 0xFE;
constexpr std::size_t kSingles = 0x80;  // 0x80–0xFF
constexpr std::size_t kTrails = kLastTrail - kFirstTrail + 1;

}  // namespace

struct GbkCharConverter::Engine {};

GbkCharConverter::GbkCharConverter() = default;

GbkCharConverter::~GbkCharConverter() = default;

bool GbkCharConverter::ready() const {
    return true;
}

char16_t GbkCharConverter::decodeExactly(const char* bytes, int length) const {
    const auto first = static_cast<unsigned char>(bytes[0]);
    if (length == 1) {
        return first < 0x80 ? static_cast<char16_t>(first)
                            : static_cast<char16_t>(kCp936Table[first - 0x80]);
    }
    if (length != 2) {
        return 0;
    }
    const auto second = static_cast<unsigned char>(bytes[1]);
    if (first < kFirstLead || first > kLastLead || second < kFirstTrail || second > kLastTrail) {
        return 0;
    }
    return static_cast<char16_t>(
        kCp936Table[kSingles + (first - kFirstLead) * kTrails + (second - kFirstTrail)]);
}

}  // namespace vrk

#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vrk {

// A value's millimetre digits, and the record's width for one value with its sign; larger
// values make the record longer.
inline constexpr std::size_t kCoordMillimetreDigits = 9;
inline constexpr std::size_t kCoordValueWidth = 1 + kCoordMillimetreDigits;
// A longer name makes the record longer.
inline constexpr std::size_t kCoordNameBytes = 10;

// Metres to signed millimetres: "+" or "-", then at least nine digits ("+002000000"). A negative
// value that rounds to zero keeps its "-"; a negative zero gets "+".
std::string FormatCoord(double metres);

// One point as the instrument stores it:
// "_+" name padded to 12 in all, "_ x" X, "_ y" Y, "_ z" H (51 bytes for names up to 10 bytes).
struct CoordRecord {
    std::string name;
    double y = 0.0;  // east
    double x = 0.0;  // north
    double h = 0.0;  // height

    std::string format() const;
};

}  // namespace vrk

#pragma once

#include <string>
#include <string_view>

namespace vrk {

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

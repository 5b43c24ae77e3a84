#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tssim {

// Coordinates are kept in whole millimetres, the resolution of the line records, so a point
// survives any number of download/upload round trips unchanged.
struct Point {
    std::string name;  // GBK bytes, never converted
    std::int64_t northMm = 0;
    std::int64_t eastMm = 0;
    std::int64_t heightMm = 0;

    friend bool operator==(const Point&, const Point&) = default;
};

struct PcodeEntry {
    int number = 0;
    std::string text;  // GBK bytes, at most kPcodeTextBytes on the line

    friend bool operator==(const PcodeEntry&, const PcodeEntry&) = default;
};

struct Memory {
    std::vector<Point> points;
    std::vector<PcodeEntry> pcodes;

    friend bool operator==(const Memory&, const Memory&) = default;
};

}  // namespace tssim

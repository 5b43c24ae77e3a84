#include "link/coord_record.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace vrk {

namespace {

// "_+" and the name.
constexpr std::size_t kNamePartWidth = 2 + kCoordNameBytes;
constexpr double kMillimetresPerMetre = 1000.0;

// Whole millimetres, rounded as printf's "%.f" rounds, but never with a locale's separators.
std::string RoundedDigits(double millimetres) {
    // DBL_MAX has 309 integer digits.
    std::array<char, 400> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), millimetres,
                                      std::chars_format::fixed, 0);
    return std::string(buffer.data(), result.ptr);
}

}  // namespace

std::string FormatCoord(double metres) {
    std::string text(1, metres >= 0.0 || std::isnan(metres) ? '+' : '-');
    double millimetres = std::fabs(metres) * kMillimetresPerMetre;
    if (!std::isfinite(millimetres)) {
        millimetres = std::isnan(millimetres) ? 0.0 : std::numeric_limits<double>::max();
    }
    const std::string digits = RoundedDigits(millimetres);
    if (digits.size() < kCoordMillimetreDigits) {
        text.append(kCoordMillimetreDigits - digits.size(), '0');
    }
    text += digits;
    return text;
}

std::string CoordRecord::format() const {
    std::string record = "_+";
    record += name;
    if (record.size() < kNamePartWidth) {
        record.append(kNamePartWidth - record.size(), ' ');
    }
    record += "_ x";
    record += FormatCoord(x);
    record += "_ y";
    record += FormatCoord(y);
    record += "_ z";
    record += FormatCoord(h);
    return record;
}

}  // namespace vrk

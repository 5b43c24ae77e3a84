#include "delf_file.h"

#include <cstdint>
#include <optional>

#include "text_lines.h"

namespace tssim {
namespace {

constexpr std::size_t kFields = 5;
constexpr int kDecimals = 3;
constexpr std::size_t kMaxIntegerDigits = 12;  // a million kilometres is plenty

// Metres to millimetres without going through binary floating point, so "0.001" is exactly
// one millimetre; further decimals round half away from zero.
std::optional<std::int64_t> metresToMm(std::string_view text) {
    text = trimSpaces(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    std::int64_t mm = 0;
    std::size_t integerDigits = 0;
    std::size_t i = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (++integerDigits > kMaxIntegerDigits) {
            return std::nullopt;
        }
        mm = mm * 10 + (text[i] - '0');
    }
    int decimals = 0;
    bool roundUp = false;
    if (i < text.size() && text[i] == '.') {
        for (++i; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
            if (decimals < kDecimals) {
                mm = mm * 10 + (text[i] - '0');
            } else if (decimals == kDecimals) {
                roundUp = text[i] >= '5';
            }
            ++decimals;
        }
    }
    if (i != text.size() || (integerDigits == 0 && decimals == 0)) {
        return std::nullopt;
    }
    for (int d = decimals; d < kDecimals; ++d) {
        mm *= 10;
    }
    if (roundUp) {
        ++mm;
    }
    return negative ? -mm : mm;
}

std::string mmToMetres(std::int64_t mm) {
    const std::uint64_t magnitude =
        mm < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(mm) : static_cast<std::uint64_t>(mm);
    std::string fraction = std::to_string(magnitude % 1000);
    fraction.insert(0, 3 - fraction.size(), '0');
    return (mm < 0 ? "-" : "") + std::to_string(magnitude / 1000) + "." + fraction;
}

std::vector<std::string_view> splitCommas(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = line.find(',', start);
        fields.push_back(
            line.substr(start, comma == std::string_view::npos ? comma : comma - start));
        if (comma == std::string_view::npos) {
            return fields;
        }
        start = comma + 1;
    }
}

}  // namespace

DelfParse parseDelf(std::string_view text) {
    DelfParse out;
    forEachLine(text, [&out](std::string_view line, std::size_t number) {
        if (trimSpaces(line).empty()) {
            return;
        }
        const std::string where = "line " + std::to_string(number) + ": ";
        const auto fields = splitCommas(line);
        if (fields.size() != kFields) {
            out.errors.push_back(where + "expected name,code,Y,X,H");
            return;
        }
        const std::string_view name = trimSpaces(fields[0]);
        const auto east = metresToMm(fields[2]);
        const auto north = metresToMm(fields[3]);
        const auto height = metresToMm(fields[4]);
        if (name.empty() || name.find(' ') != std::string_view::npos) {
            out.errors.push_back(where + "the point name is empty or has a space");
        } else if (!east || !north || !height) {
            out.errors.push_back(where + "Y, X and H must be numbers in metres");
        } else {
            out.points.push_back(Point{std::string(name), *north, *east, *height});
        }
    });
    return out;
}

std::string formatDelf(const std::vector<Point>& points) {
    std::string text;
    for (const Point& p : points) {
        text += p.name + "," + p.name + "," + mmToMetres(p.eastMm) + "," + mmToMetres(p.northMm) +
                "," + mmToMetres(p.heightMm) + "\r\n";
    }
    return text;
}

}  // namespace tssim

#include "import/survey_number.h"

#include <array>
#include <charconv>
#include <cmath>

namespace vrk {

namespace {

// Wide enough for the largest magnitude times the US survey foot's numerator.
__extension__ typedef unsigned __int128 Wide;

constexpr int kMaxDecimals = 12;
constexpr int kMaxWholeDigits = 15;
constexpr std::int64_t kMaxMillimetres = 1'000'000'000'000'000;  // 10^12 m
// 1 ft = 0.3048 m exactly; 1 US survey ft = 1200/3937 m.
constexpr std::uint64_t kFootMillimetresPer10 = 3048;
constexpr std::uint64_t kUsFootNumerator = 1'200'000;  // millimetres per 3937 US ft
constexpr std::uint64_t kUsFootDenominator = 3937;
// Digits kept in all, so that the magnitude stays far inside 64 bits.
constexpr int kMaxDigits = 18;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

Wide PowerOfTen(int exponent) {
    Wide value = 1;
    for (int i = 0; i < exponent; ++i) {
        value *= 10;
    }
    return value;
}

}  // namespace

std::optional<WrittenNumber> ParseWrittenNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) {
        ++i;
    }
    std::size_t end = text.size();
    while (end > i && IsBlank(text[end - 1])) {
        --end;
    }
    WrittenNumber number;
    if (i < end && (text[i] == '+' || text[i] == '-')) {
        number.negative = text[i++] == '-';
    }
    int wholeDigits = 0;
    int digits = 0;
    bool point = false;
    for (; i < end; ++i) {
        const char c = text[i];
        if (c == '.' && !point) {
            point = true;
            continue;
        }
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        ++digits;
        if (!point) {
            if (wholeDigits > 0 || c != '0') {
                ++wholeDigits;
            }
            if (wholeDigits > kMaxWholeDigits) {
                return std::nullopt;
            }
        } else if (number.scale == kMaxDecimals || wholeDigits + number.scale == kMaxDigits) {
            continue;
        } else {
            ++number.scale;
        }
        number.magnitude = number.magnitude * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (digits == 0) {
        return std::nullopt;
    }
    return number;
}

namespace {

// Metres of up to eighteen digits in 64 bits, the common case, without the wide division.
std::optional<std::uint64_t> MetresInMillimetres(const WrittenNumber& number) {
    constexpr std::uint64_t kPowers[] = {1, 10, 100, 1000};
    constexpr int kMillimetreDigits = 3;
    if (number.scale <= kMillimetreDigits) {
        const std::uint64_t factor = kPowers[kMillimetreDigits - number.scale];
        if (number.magnitude > static_cast<std::uint64_t>(kMaxMillimetres) / factor) {
            return std::nullopt;
        }
        return number.magnitude * factor;
    }
    std::uint64_t divisor = 1;
    for (int i = kMillimetreDigits; i < number.scale; ++i) {
        divisor *= 10;
    }
    return number.magnitude / divisor + (number.magnitude % divisor >= (divisor + 1) / 2 ? 1 : 0);
}

}  // namespace

std::optional<std::int64_t> ToMillimetres(const WrittenNumber& number, LengthUnit unit) {
    if (unit == LengthUnit::Metre) {
        const auto magnitude = MetresInMillimetres(number);
        if (!magnitude || *magnitude > static_cast<std::uint64_t>(kMaxMillimetres)) {
            return std::nullopt;
        }
        const auto millimetres = static_cast<std::int64_t>(*magnitude);
        return number.negative ? -millimetres : millimetres;
    }
    Wide numerator = number.magnitude;
    Wide denominator = PowerOfTen(number.scale);
    switch (unit) {
        case LengthUnit::Metre:
            numerator *= 1000;
            break;
        case LengthUnit::Foot:
            numerator *= kFootMillimetresPer10;
            denominator *= 10;
            break;
        case LengthUnit::UsSurveyFoot:
            numerator *= kUsFootNumerator;
            denominator *= kUsFootDenominator;
            break;
    }
    const Wide rounded = (2 * numerator + denominator) / (2 * denominator);
    if (rounded > static_cast<Wide>(kMaxMillimetres)) {
        return std::nullopt;
    }
    const auto millimetres = static_cast<std::int64_t>(rounded);
    return number.negative ? -millimetres : millimetres;
}

double ToDouble(const WrittenNumber& number) {
    const double value =
        static_cast<double>(number.magnitude) / static_cast<double>(PowerOfTen(number.scale));
    return number.negative ? -value : value;
}

double MetresPer(LengthUnit unit) {
    switch (unit) {
        case LengthUnit::Foot:
            return 0.3048;
        case LengthUnit::UsSurveyFoot:
            return 1200.0 / 3937.0;
        case LengthUnit::Metre:
            break;
    }
    return 1.0;
}

void AppendMetres(std::string& out, std::int64_t millimetres) {
    std::uint64_t magnitude =
        static_cast<std::uint64_t>(millimetres < 0 ? -millimetres : millimetres);
    if (millimetres < 0) {
        out += '-';
    }
    std::array<char, 24> whole{};
    const auto result = std::to_chars(whole.data(), whole.data() + whole.size(), magnitude / 1000);
    out.append(whole.data(), result.ptr);
    magnitude %= 1000;
    out += '.';
    out += static_cast<char>('0' + magnitude / 100);
    out += static_cast<char>('0' + magnitude / 10 % 10);
    out += static_cast<char>('0' + magnitude % 10);
}

std::optional<std::int64_t> RoundToMillimetres(double metres) {
    const double millimetres = std::round(metres * 1000.0);  // half away from zero
    if (!std::isfinite(millimetres) ||
        std::fabs(millimetres) > static_cast<double>(kMaxMillimetres)) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(millimetres);
}

}  // namespace vrk

#include "schema/value_scan.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>
#include <utility>

namespace quorbel {
namespace {

constexpr bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The white space that the C library's number readers skip.
constexpr bool isCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

constexpr bool endsToken(char c) {
    return c == ',' || c == ' ' || c == '\r' || c == '\n';
}

std::size_t skipCSpace(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isCSpace(text[i])) {
        ++i;
    }
    return i;
}

std::size_t skipDigits(std::string_view text, std::size_t i) {
    while (i < text.size() && isDigit(text[i])) {
        ++i;
    }
    return i;
}

// Decimal exponent of the leading significant digit of a mantissa such as "0012.5" or ".003".
long long leadingMagnitude(std::string_view mantissa) {
    const std::size_t point = mantissa.find('.');
    const std::size_t intDigits = (point == std::string_view::npos) ? mantissa.size() : point;
    for (std::size_t i = 0; i < mantissa.size(); ++i) {
        const char c = mantissa[i];
        if (c == '.' || c == '0') {
            continue;
        }
        return (i < intDigits) ? static_cast<long long>(intDigits - i) - 1
                               : -static_cast<long long>(i - intDigits);
    }
    return 0;
}

// Where the token at the start of `text` lies: after leading spaces, up to the first byte
// that ends a token.
std::pair<std::size_t, std::size_t> tokenBounds(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size() && text[start] == ' ') {
        ++start;
    }
    std::size_t end = start;
    while (end < text.size() && !endsToken(text[end])) {
        ++end;
    }
    return {start, end};
}

// Whether a token ending at `end` was ended by a space with more non-separator text behind it.
bool cutAt(std::string_view text, std::size_t start, std::size_t end) {
    if (end == start || end >= text.size() || text[end] != ' ') {
        return false;
    }
    while (end < text.size() && text[end] == ' ') {
        ++end;
    }
    return end < text.size() && !endsToken(text[end]);
}

}  // namespace

std::string_view readToken(std::string_view text) {
    const auto [start, end] = tokenBounds(text);
    return text.substr(start, end - start);
}

bool tokenIsCut(std::string_view text) {
    const auto [start, end] = tokenBounds(text);
    return cutAt(text, start, end);
}

std::string_view readToken(std::string_view text, bool& cut) {
    const auto [start, end] = tokenBounds(text);
    cut = cut || cutAt(text, start, end);
    return text.substr(start, end - start);
}

ScannedInteger scanInteger(std::string_view text) {
    std::size_t i = skipCSpace(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    constexpr long long kMax = std::numeric_limits<int32_t>::max();
    constexpr long long kMin = std::numeric_limits<int32_t>::min();
    long long value = 0;
    bool beyond = false;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > kMax + 1) {
            value = kMax + 1;
            beyond = true;
        }
    }
    value = negative ? -value : value;
    const long long clamped = std::clamp(value, kMin, kMax);
    return {static_cast<int32_t>(clamped), beyond || clamped != value};
}

int32_t readInteger(std::string_view text) {
    return scanInteger(text).value;
}

bool readReal(std::string_view text, double& value) {
    value = 0.0;
    std::size_t i = skipCSpace(text);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::size_t mantissaStart = i;
    const std::size_t intEnd = skipDigits(text, i);
    std::size_t end = intEnd;
    bool anyDigit = intEnd > mantissaStart;
    if (end < text.size() && text[end] == '.') {
        const std::size_t fracEnd = skipDigits(text, end + 1);
        anyDigit = anyDigit || fracEnd > end + 1;
        end = fracEnd;
    }
    if (!anyDigit) {
        return false;
    }
    const std::size_t mantissaEnd = end;
    long long exponent = 0;
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        std::size_t e = end + 1;
        bool negativeExponent = false;
        if (e < text.size() && (text[e] == '+' || text[e] == '-')) {
            negativeExponent = text[e] == '-';
            ++e;
        }
        const std::size_t expEnd = skipDigits(text, e);
        if (expEnd > e) {
            for (std::size_t k = e; k < expEnd; ++k) {
                exponent = std::min(exponent * 10 + (text[k] - '0'), 1'000'000'000LL);
            }
            exponent = negativeExponent ? -exponent : exponent;
            end = expEnd;
        }
    }
    const std::string_view number = text.substr(mantissaStart, end - mantissaStart);
    double magnitude = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), magnitude,
                                        std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        const std::string_view mantissa = text.substr(mantissaStart, mantissaEnd - mantissaStart);
        magnitude =
            (leadingMagnitude(mantissa) + exponent > 0) ? std::numeric_limits<double>::max() : 0.0;
    }
    value = negative ? -magnitude : magnitude;
    return true;
}

std::string formatFixed(double value, int decimals) {
    std::string text;
    appendFixed(text, value, decimals);
    return text;
}

void appendFixed(std::string& out, double value, int decimals) {
    if (!std::isfinite(value)) {
        value = 0.0;
    }
    // The short way for the usual params: the scaled value rounded to a whole number is the
    // correctly rounded decimal whenever the product is well clear of a half, since below 2^40
    // its rounding error is under 2^-12. Ties, negative zeros and large values go the long way.
    constexpr std::array<double, 10> kScales = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
    constexpr double kShortLimit = 1099511627776.0;  // 2^40
    if (decimals >= 0 && decimals < static_cast<int>(kScales.size())) {
        const double scale = kScales[static_cast<std::size_t>(decimals)];
        const double scaled = std::fabs(value) * scale;
        const double whole = std::floor(scaled);
        const double fraction = scaled - whole;
        if (scaled < kShortLimit && std::fabs(fraction - 0.5) > 1e-3) {
            const auto units = static_cast<std::uint64_t>(fraction > 0.5 ? whole + 1 : whole);
            if (units != 0 || !std::signbit(value)) {
                // Digits from the right: at least one before the point, all the decimals after.
                std::array<char, 32> digits{};
                char* p = digits.data() + digits.size();
                std::uint64_t rest = units;
                for (int d = 0; d < decimals; ++d) {
                    *--p = static_cast<char>('0' + rest % 10);
                    rest /= 10;
                }
                if (decimals > 0) {
                    *--p = '.';
                }
                do {
                    *--p = static_cast<char>('0' + rest % 10);
                    rest /= 10;
                } while (rest != 0);
                if (value < 0) {
                    *--p = '-';
                }
                out.append(p, digits.data() + digits.size());
                return;
            }
        }
    }
    // The widest finite double in fixed notation has 309 integer digits.
    std::array<char, 400> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, decimals);
    out.append(buffer.data(), result.ptr);
}

std::size_t countCommas(std::string_view line) {
    return static_cast<std::size_t>(std::count(line.begin(), line.end(), ','));
}

std::string_view afterComma(std::string_view line, std::size_t n) {
    std::size_t pos = 0;
    for (std::size_t k = 0; k < n; ++k) {
        const std::size_t comma = line.find(',', pos);
        if (comma == std::string_view::npos) {
            return {};
        }
        pos = comma + 1;
    }
    return line.substr(pos);
}

}  // namespace quorbel

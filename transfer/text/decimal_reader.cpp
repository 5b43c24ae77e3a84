#include "text/decimal_reader.h"

#include <charconv>
#include <limits>
#include <string>

namespace vrk {

namespace {

std::size_t SkipBlanks(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsDecimalBlank(text[i])) {
        ++i;
    }
    return i;
}

std::size_t SkipDigits(std::string_view text, std::size_t i) {
    while (i < text.size() && IsDecimalDigit(text[i])) {
        ++i;
    }
    return i;
}

// Reads the sign at text[i], if any; answers true for a minus.
bool TakeSign(std::string_view text, std::size_t& i) {
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        return text[i++] == '-';
    }
    return false;
}

// Roughly the power of ten of a scanned number, enough to tell a value too large for double from
// one too small: from_chars leaves the value alone in both cases.
long DecimalMagnitude(std::string_view number) {
    std::size_t i = 0;
    while (i < number.size() && number[i] == '0') {
        ++i;
    }
    long magnitude = 0;
    while (i < number.size() && IsDecimalDigit(number[i])) {
        ++magnitude;
        ++i;
    }
    if (magnitude == 0 && i < number.size() && number[i] == '.') {
        ++i;
        while (i < number.size() && number[i] == '0') {
            --magnitude;
            ++i;
        }
    }
    const auto ePos = number.find_first_of("eE");
    if (ePos != std::string_view::npos) {
        std::size_t k = ePos + 1;
        const bool negative = TakeSign(number, k);
        long exponent = 0;
        constexpr long kEnough = 1'000'000;
        for (; k < number.size() && exponent < kEnough; ++k) {
            exponent = exponent * 10 + (number[k] - '0');
        }
        magnitude += negative ? -exponent : exponent;
    }
    return magnitude;
}

// Where the number in `text` lies: digits from `start` to `end`, after blanks and a sign.
struct DecimalSpan {
    std::size_t start = 0;
    std::size_t end = 0;
    bool negative = false;
    bool found = false;
};

DecimalSpan ScanDecimal(std::string_view text) {
    DecimalSpan span;
    std::size_t i = SkipBlanks(text);
    span.negative = TakeSign(text, i);
    span.start = i;
    std::size_t end = SkipDigits(text, i);
    const std::size_t integerDigits = end - span.start;
    std::size_t fractionDigits = 0;
    if (end < text.size() && text[end] == '.') {
        const std::size_t fractionEnd = SkipDigits(text, end + 1);
        fractionDigits = fractionEnd - end - 1;
        end = fractionEnd;
    }
    if (integerDigits + fractionDigits == 0) {
        return span;
    }
    // The exponent belongs to the number only when at least one digit follows it.
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        std::size_t e = end + 1;
        TakeSign(text, e);
        const std::size_t digitsEnd = SkipDigits(text, e);
        if (digitsEnd > e) {
            end = digitsEnd;
        }
    }
    span.end = end;
    span.found = true;
    return span;
}

}  // namespace

std::size_t DecimalLength(std::string_view text) {
    const DecimalSpan span = ScanDecimal(text);
    return span.found ? span.end : 0;
}

double ReadDecimal(std::string_view text) {
    const DecimalSpan span = ScanDecimal(text);
    if (!span.found) {
        return 0.0;
    }
    const std::size_t start = span.start;
    const std::size_t end = span.end;
    const bool negative = span.negative;
    double value = 0.0;
    const char* first = text.data() + start;
    const char* last = text.data() + end;
    const auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        value = DecimalMagnitude(std::string_view(first, end - start)) > 0
                    ? std::numeric_limits<double>::max()
                    : 0.0;
    }
    return negative ? -value : value;
}

int ReadLeadingInt(std::string_view text) {
    std::size_t i = SkipBlanks(text);
    const bool negative = TakeSign(text, i);
    long long value = 0;
    constexpr long long kLimit = static_cast<long long>(std::numeric_limits<int>::max()) + 1;
    for (; i < text.size() && IsDecimalDigit(text[i]); ++i) {
        if (value < kLimit) {
            value = value * 10 + (text[i] - '0');
        }
    }
    value = negative ? -value : value;
    if (value > std::numeric_limits<int>::max()) {
        return std::numeric_limits<int>::max();
    }
    if (value < std::numeric_limits<int>::min()) {
        return std::numeric_limits<int>::min();
    }
    return static_cast<int>(value);
}

}  // namespace vrk

#include "convert/millimetre_field.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "text/decimal_reader.h"

namespace vrk {

namespace {

constexpr double kMetresPerMillimetre = 0.001;
// A coordinate field starts with two label characters (" x"); the value follows them.
constexpr std::size_t kLabelWidth = 2;
// Below 10^15 millimetres (15 significant digits), millimetres * 0.001 is off n / 1000 by far less
// than the 0.0005 that would change the third decimal, so the digits with a point before the last
// three are the characters that printing the product gives.
constexpr std::size_t kMaxExactDigits = 15;
constexpr std::size_t kDecimals = 3;

static_assert(kWholeMetresRoom >= kMaxExactDigits + 4, "sign, \"0.\" and the digits");

// The common field: blanks, a sign, whole digits, then anything that cannot continue a number.
// Its digits are the output's digits with a point before the last three, so they are copied, not
// computed. False when the value needs the general reading.
char* WriteWholeMillimetres(char* to, std::string_view value) {
    std::size_t i = 0;
    while (i < value.size() && IsDecimalBlank(value[i])) {
        ++i;
    }
    bool negative = false;
    if (i < value.size() && (value[i] == '+' || value[i] == '-')) {
        negative = value[i++] == '-';
    }
    const std::size_t firstDigit = i;
    while (i < value.size() && IsDecimalDigit(value[i])) {
        ++i;
    }
    if (i == firstDigit ||
        (i < value.size() && (value[i] == '.' || value[i] == 'e' || value[i] == 'E'))) {
        return nullptr;
    }
    std::string_view digits = value.substr(firstDigit, i - firstDigit);
    digits.remove_prefix(std::min(digits.find_first_not_of('0'), digits.size()));
    if (digits.size() > kMaxExactDigits) {
        return nullptr;
    }
    if (negative) {
        *to++ = '-';  // "-0" prints as "-0.000", as the product -0.0 does
    }
    if (digits.size() <= kDecimals) {
        *to++ = '0';
        *to++ = '.';
        to = std::fill_n(to, kDecimals - digits.size(), '0');
        to = std::copy(digits.begin(), digits.end(), to);
    } else {
        const std::size_t whole = digits.size() - kDecimals;
        to = std::copy_n(digits.begin(), whole, to);
        *to++ = '.';
        to = std::copy(digits.begin() + static_cast<std::ptrdiff_t>(whole), digits.end(), to);
    }
    return to;
}

std::string_view ValueOf(std::string_view field) {
    return field.size() > kLabelWidth ? field.substr(kLabelWidth) : std::string_view();
}

}  // namespace

char* WriteWholeMetres(char* to, std::string_view field) {
    return WriteWholeMillimetres(to, ValueOf(field));
}

void AppendMetres(std::string& out, std::string_view field) {
    // A field too short to hold a value after its label reads as 0, like a field without digits.
    const std::string_view value = ValueOf(field);
    std::array<char, kWholeMetresRoom> whole{};
    if (const char* end = WriteWholeMillimetres(whole.data(), value)) {
        out.append(whole.data(), static_cast<std::size_t>(end - whole.data()));
        return;
    }
    const double millimetres = ReadDecimal(value);
    std::array<char, 400> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                      millimetres * kMetresPerMillimetre, std::chars_format::fixed, 3);
    out.append(buffer.data(), result.ptr);
}

}  // namespace vrk

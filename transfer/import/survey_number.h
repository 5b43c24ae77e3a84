#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vrk {

// The length units the files of other instruments and of spreadsheets carry.
enum class LengthUnit { Metre, Foot, UsSurveyFoot };

// A number exactly as a file writes it: magnitude / 10^scale, so that rounding to millimetres
// rounds the written digits, not a binary neighbour of them.
struct WrittenNumber {
    std::uint64_t magnitude = 0;
    int scale = 0;  // decimal places of `magnitude`
    bool negative = false;
};

// Blanks, an optional sign, digits with an optional decimal point, blanks: nothing else. Decimals
// beyond the twelfth (or the eighteenth digit) are dropped (they cannot change a millimetre);
// nullopt for anything that is not such a number, and for more than fifteen whole digits.
std::optional<WrittenNumber> ParseWrittenNumber(std::string_view text);

// The number in `unit` as whole millimetres, rounded half away from zero; nullopt when it lies
// beyond a thousand million kilometres, which no survey has.
std::optional<std::int64_t> ToMillimetres(const WrittenNumber& number, LengthUnit unit);

// The number as a double in its own unit, for the reduction of observations.
double ToDouble(const WrittenNumber& number);

// Metres per one `unit`.
double MetresPer(LengthUnit unit);

// Millimetres as DELF writes them: metres with three decimals, "-" only when below zero.
void AppendMetres(std::string& out, std::int64_t millimetres);

// Metres to whole millimetres, half away from zero; nullopt when not finite or out of range.
std::optional<std::int64_t> RoundToMillimetres(double metres);

}  // namespace vrk

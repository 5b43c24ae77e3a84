#include <gtest/gtest.h>

#include <string>

#include "import/survey_number.h"

namespace vrk {
namespace {

std::string Metres(std::string_view written, LengthUnit unit = LengthUnit::Metre) {
    const auto number = ParseWrittenNumber(written);
    if (!number) {
        return "not a number";
    }
    const auto millimetres = ToMillimetres(*number, unit);
    if (!millimetres) {
        return "out of range";
    }
    std::string out;
    AppendMetres(out, *millimetres);
    return out;
}

TEST(SurveyNumberTest, RoundsTheWrittenDigitsHalfAwayFromZero) {
    EXPECT_EQ(Metres("1.0005"), "1.001");  // 1.0005 has no exact binary form
    EXPECT_EQ(Metres("-1.0005"), "-1.001");
    EXPECT_EQ(Metres("2.00049999"), "2.000");
    EXPECT_EQ(Metres("-0.0004"), "0.000");
    EXPECT_EQ(Metres("  +12 "), "12.000");
    EXPECT_EQ(Metres(".5"), "0.500");
    EXPECT_EQ(Metres("3512345.678912345678"), "3512345.679");
    EXPECT_EQ(Metres("999999999999999"), "out of range");
}

TEST(SurveyNumberTest, FeetBecomeMetresByTheirOwnDefinition) {
    EXPECT_EQ(Metres("100", LengthUnit::Foot), "30.480");
    EXPECT_EQ(Metres("1", LengthUnit::Foot), "0.305");  // 0.3048
    // 1,000,000 US survey feet = 304800.6096… m; the international foot gives 304800.000.
    EXPECT_EQ(Metres("1000000", LengthUnit::UsSurveyFoot), "304800.610");
    EXPECT_EQ(Metres("1000000", LengthUnit::Foot), "304800.000");
}

TEST(SurveyNumberTest, RefusesWhatIsNotAPlainDecimal) {
    for (const char* text : {"", " ", "-", "1e3", "1,5", "0x10", "1.2.3", "12a", "inf", "+-1"}) {
        EXPECT_FALSE(ParseWrittenNumber(text).has_value()) << text;
    }
}

}  // namespace
}  // namespace vrk

#include <gtest/gtest.h>

#include <limits>

#include "text/decimal_reader.h"

namespace vrk {
namespace {

TEST(ReadDecimal, ReadsPlainDecimalsAndStopsWhereTheNumberEnds) {
    EXPECT_DOUBLE_EQ(ReadDecimal("1000.000"), 1000.0);
    EXPECT_DOUBLE_EQ(ReadDecimal("  -12.5,7"), -12.5);
    EXPECT_DOUBLE_EQ(ReadDecimal("\t+3.25\r"), 3.25);
    EXPECT_DOUBLE_EQ(ReadDecimal(".5"), 0.5);
    EXPECT_DOUBLE_EQ(ReadDecimal("7."), 7.0);
    EXPECT_DOUBLE_EQ(ReadDecimal("1.5e3m"), 1500.0);
    EXPECT_DOUBLE_EQ(ReadDecimal("2E-2"), 0.02);
    EXPECT_DOUBLE_EQ(ReadDecimal("4e"), 4.0) << "an exponent without digits is not part of it";
    EXPECT_DOUBLE_EQ(ReadDecimal("4e+x"), 4.0);
    EXPECT_DOUBLE_EQ(ReadDecimal("-000012345"), -12345.0);
    EXPECT_DOUBLE_EQ(ReadDecimal("1,5"), 1.0);
}

TEST(ReadDecimal, AnythingElseReadsAsZero) {
    for (const char* text : {"", "   ", "-", "+.", ".", "abc", "inf", "-INF", "nan", "NaN(1)",
                             "infinity", "e5", "\xb5\xe3"}) {
        EXPECT_EQ(ReadDecimal(text), 0.0) << text;
    }
    EXPECT_EQ(ReadDecimal("0x1A"), 0.0) << "hexadecimal stops after the 0";
    EXPECT_EQ(ReadDecimal("0x1p3"), 0.0);
}

TEST(ReadDecimal, HugeAndTinyValuesStayFinite) {
    EXPECT_EQ(ReadDecimal("1e999"), std::numeric_limits<double>::max());
    EXPECT_EQ(ReadDecimal("-1e999"), -std::numeric_limits<double>::max());
    EXPECT_EQ(ReadDecimal(std::string(400, '9')), std::numeric_limits<double>::max());
    EXPECT_EQ(ReadDecimal("1e-999"), 0.0);
    EXPECT_EQ(ReadDecimal("0." + std::string(400, '0') + "1"), 0.0);
}

TEST(ReadLeadingInt, ReadsLikeAtoiButSaturates) {
    EXPECT_EQ(ReadLeadingInt("42,text"), 42);
    EXPECT_EQ(ReadLeadingInt("  -5,x"), -5);
    EXPECT_EQ(ReadLeadingInt("+7"), 7);
    EXPECT_EQ(ReadLeadingInt("007"), 7);
    EXPECT_EQ(ReadLeadingInt("12.9"), 12);
    EXPECT_EQ(ReadLeadingInt(",x"), 0);
    EXPECT_EQ(ReadLeadingInt("-"), 0);
    EXPECT_EQ(ReadLeadingInt(""), 0);
    EXPECT_EQ(ReadLeadingInt("99999999999999999999"), std::numeric_limits<int>::max());
    EXPECT_EQ(ReadLeadingInt("-99999999999999999999"), std::numeric_limits<int>::min());
    EXPECT_EQ(ReadLeadingInt("-2147483648"), std::numeric_limits<int>::min());
}

}  // namespace
}  // namespace vrk

#include "schema/value_scan.h"

#include <gtest/gtest.h>

#include <array>
#include <charconv>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include <clocale>

namespace quorbel {
namespace {

TEST(ValueScan, TokensSkipLeadingSpacesAndEndAtCommaSpaceOrTerminator) {
    EXPECT_EQ(readToken("  abc,def"), "abc");
    EXPECT_EQ(readToken("ab cd,x"), "ab");
    EXPECT_EQ(readToken("abc\r\n"), "abc");
    EXPECT_EQ(readToken(",x"), "");
    EXPECT_EQ(readToken(""), "");
    // Tabs are not separators of a token.
    EXPECT_EQ(readToken("a\tb,c"), "a\tb");
    EXPECT_TRUE(tokenIsCut("ab cd,x"));
    EXPECT_FALSE(tokenIsCut("abc  ,x"));
    EXPECT_FALSE(tokenIsCut("  abc"));
}

TEST(ValueScan, IntegersAreLenientAndSaturate) {
    EXPECT_EQ(readInteger(" \t-12abc"), -12);
    EXPECT_EQ(readInteger("+7"), 7);
    EXPECT_EQ(readInteger("abc"), 0);
    EXPECT_EQ(readInteger(""), 0);
    EXPECT_EQ(readInteger("0x1F"), 0);
    EXPECT_EQ(readInteger("99999999999999999999"), 2147483647);
    EXPECT_EQ(readInteger("-99999999999999999999"), -2147483647 - 1);
    // The editor refuses what the reader would saturate, and only that.
    EXPECT_FALSE(scanInteger("\v-2147483648").overflowed);
    EXPECT_FALSE(scanInteger("2147483647x").overflowed);
    EXPECT_TRUE(scanInteger("-2147483649").overflowed);
    EXPECT_TRUE(scanInteger(" 2147483648").overflowed);
}

TEST(ValueScan, RealsAreDecimalOnly) {
    double v = -1;
    EXPECT_TRUE(readReal(" 1.5e2x", v));
    EXPECT_DOUBLE_EQ(v, 150.0);
    EXPECT_TRUE(readReal("-.25", v));
    EXPECT_DOUBLE_EQ(v, -0.25);
    EXPECT_TRUE(readReal("3.", v));
    EXPECT_DOUBLE_EQ(v, 3.0);
    EXPECT_TRUE(readReal("2e", v));  // an exponent without digits is not part of the number
    EXPECT_DOUBLE_EQ(v, 2.0);
    EXPECT_TRUE(readReal("0x10", v));  // the 0 before the x, not sixteen
    EXPECT_DOUBLE_EQ(v, 0.0);
    for (const char* notNumber : {"inf", "nan", "-infinity", "abc", "", ".", "+", "e5"}) {
        EXPECT_FALSE(readReal(notNumber, v)) << notNumber;
        EXPECT_EQ(v, 0.0) << notNumber;
    }
}

TEST(ValueScan, RealsOutOfRangeStayFinite) {
    double v = 0;
    EXPECT_TRUE(readReal("1e999", v));
    EXPECT_EQ(v, std::numeric_limits<double>::max());
    EXPECT_TRUE(readReal("-1e999", v));
    EXPECT_EQ(v, -std::numeric_limits<double>::max());
    EXPECT_TRUE(readReal("1e-999", v));
    EXPECT_EQ(v, 0.0);
    EXPECT_TRUE(readReal("0.00001e-400", v));
    EXPECT_EQ(v, 0.0);
}

TEST(ValueScan, FixedFormatRoundsAndIgnoresLocale) {
    EXPECT_EQ(formatFixed(1.23456, 4), "1.2346");
    EXPECT_EQ(formatFixed(0.0, 4), "0.0000");
    EXPECT_EQ(formatFixed(-2.5, 4), "-2.5000");
    EXPECT_EQ(formatFixed(std::numeric_limits<double>::infinity(), 4), "0.0000");
    // A decimal comma locale must not leak into the files.
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr) {
        EXPECT_EQ(formatFixed(1.5, 4), "1.5000");
        double v = 0;
        EXPECT_TRUE(readReal("1.5", v));
        EXPECT_DOUBLE_EQ(v, 1.5);
        std::setlocale(LC_NUMERIC, "C");
    }
}

// The short way for the usual values against the standard library's exact formatting.
TEST(ValueScan, FixedFormatIsTheCorrectlyRoundedDecimal) {
    std::mt19937_64 random(20261208);
    std::vector<double> values = {0.0,      -0.0,    0.00005, -0.00005, 0.00015,  0.03125,
                                  -0.03125, 0.5,     -0.5,    1e-9,     -1e-9,    1099511627775.9,
                                  1e12,     1.25e15, -1e300,  5e-324,   123.45675};
    std::uniform_real_distribution<double> wide(-1e7, 1e7);
    for (int i = 0; i < 20000; ++i) {
        values.push_back(wide(random));
        // Values at and beside the halves of the last decimal.
        const double tenThousandths = std::round(wide(random)) + 0.5;
        values.push_back(tenThousandths / 10000);
        values.push_back(std::nextafter(tenThousandths / 10000, 0.0));
        values.push_back(static_cast<double>(random() % 2'000'000) / 32.0 - 31250.0);
    }
    for (const double value : values) {
        for (const int decimals : {0, 1, 4, 9}) {
            std::array<char, 400> expected{};
            const auto end = std::to_chars(expected.data(), expected.data() + expected.size(),
                                           value, std::chars_format::fixed, decimals)
                                 .ptr;
            ASSERT_EQ(formatFixed(value, decimals), std::string(expected.data(), end))
                << std::hexfloat << value << " with " << decimals;
        }
    }
}

TEST(ValueScan, CommaPositions) {
    EXPECT_EQ(countCommas("a,b,,c"), 3u);
    EXPECT_EQ(afterComma("a,b,,c", 1), "b,,c");
    EXPECT_EQ(afterComma("a,b,,c", 3), "c");
    EXPECT_EQ(afterComma("a,b", 2), "");
}

}  // namespace
}  // namespace quorbel

#include "text/gbk_text_codec.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

using vrk::DecodeForView;
using vrk::EncodeViewText;

std::string RoundTrip(const std::string& bytes) {
    const auto encoded = EncodeViewText(DecodeForView(bytes));
    EXPECT_FALSE(encoded.unencodable.has_value());
    return encoded.bytes;
}

TEST(GbkTextCodec, EveryByteStringComesBackUnchanged) {
    std::mt19937 random(410);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> length(0, 300);
    // Bias towards the bytes that matter: CR, LF, lead bytes, framing.
    const std::string interesting = std::string("\r\n\x02\x03\x04\x80\xFF\x81\xFE\x40\x7F", 11);
    for (int run = 0; run < 3000; ++run) {
        std::string bytes;
        const int n = length(random);
        for (int i = 0; i < n; ++i) {
            const int b = byte(random);
            bytes += b < 96 ? interesting[static_cast<std::size_t>(b) % interesting.size()]
                            : static_cast<char>(b);
        }
        ASSERT_EQ(RoundTrip(bytes), bytes) << "run " << run;
    }
}

TEST(GbkTextCodec, EverySingleByteAndPairComesBackUnchanged) {
    for (int a = 0; a < 256; ++a) {
        const std::string one(1, static_cast<char>(a));
        ASSERT_EQ(RoundTrip(one), one);
        for (int b = 0; b < 256; ++b) {
            const std::string two{static_cast<char>(a), static_cast<char>(b)};
            ASSERT_EQ(RoundTrip(two), two) << a << " " << b;
        }
    }
}

TEST(GbkTextCodec, LineBreaksControlsAndInvalidBytesAreVisible) {
    EXPECT_EQ(DecodeForView("a\r\nb"), u"a\nb");
    EXPECT_EQ(DecodeForView("a\nb\rc"), u"a\u240Ab\u240Dc");
    EXPECT_EQ(DecodeForView(std::string("\x02P1\x03\r\n", 6)), u"\u2402P1\u2403\n");
    EXPECT_EQ(DecodeForView(std::string("\0\t\x7F", 3)), u"\u2400\t\u2421");
    // A lead byte with nothing valid after it stays a byte of its own.
    EXPECT_EQ(DecodeForView("\x81"), u"\uF781");
    EXPECT_EQ(DecodeForView("\x81\r\n"), u"\uF781\n");
}

TEST(GbkTextCodec, ChineseTextAndCodePage936SingleBytes) {
    // 控制点 in GBK.
    EXPECT_EQ(DecodeForView("\xBF\xD8\xD6\xC6\xB5\xE3"), u"控制点");
    EXPECT_EQ(DecodeForView("\x80"), u"\u20AC");
    EXPECT_EQ(EncodeViewText(u"控制点1\n").bytes,
              "\xBF\xD8\xD6\xC6\xB5\xE3"
              "1\r\n");
}

TEST(GbkTextCodec, CharactersGbkCannotHoldAreReportedNotDropped) {
    const auto encoded = EncodeViewText(u"P1,\U0001F600,1.0");
    ASSERT_TRUE(encoded.unencodable.has_value());
    EXPECT_EQ(*encoded.unencodable, 3u);
    EXPECT_EQ(encoded.bytes.substr(0, 3), "P1,");
}

TEST(GbkTextCodec, ViewPositionsCountCharactersNotBytes) {
    const std::string bytes =
        "\xBF\xD8"
        "a\r\nb";
    EXPECT_EQ(vrk::ViewPositionOf(bytes, 2), 1u);
    EXPECT_EQ(vrk::ViewPositionOf(bytes, 3), 2u);
    EXPECT_EQ(vrk::ViewPositionOf(bytes, 5), 3u);
    EXPECT_EQ(vrk::ViewPositionOf(bytes, 1000), 4u);
}

}  // namespace

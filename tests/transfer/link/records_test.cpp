#include <gtest/gtest.h>

#include <limits>

#include "link/block_packer.h"
#include "link/coord_record.h"
#include "link/pcode_record.h"
#include "text/gbk_cut.h"

namespace vrk {
namespace {

TEST(FormatCoord, SignAndNineDigitsOfMillimetres) {
    EXPECT_EQ(FormatCoord(2000.0), "+002000000");
    EXPECT_EQ(FormatCoord(50.0), "+000050000");
    EXPECT_EQ(FormatCoord(-12.345), "-000012345");
    EXPECT_EQ(FormatCoord(0.0), "+000000000");
    EXPECT_EQ(FormatCoord(-0.0), "+000000000") << "negative zero gets the plus sign";
    EXPECT_EQ(FormatCoord(-0.0004), "-000000000") << "negative, rounds to zero";
    EXPECT_EQ(FormatCoord(1234567.891), "+1234567891") << "ten digits stay whole";
    EXPECT_EQ(FormatCoord(0.0006), "+000000001");
}

TEST(FormatCoord, ValuesBeyondTheRangeStayNumbers) {
    const std::string huge = FormatCoord(std::numeric_limits<double>::max());
    EXPECT_EQ(huge.front(), '+');
    EXPECT_EQ(huge.find_first_not_of("+0123456789"), std::string::npos);
    EXPECT_EQ(FormatCoord(-std::numeric_limits<double>::max()).front(), '-');
}

TEST(CoordRecord, FiftyOneBytesForShortNames) {
    const CoordRecord p1{"P1", 1000.0, 2000.0, 50.0};
    EXPECT_EQ(p1.format(), "_+P1        _ x+002000000_ y+001000000_ z+000050000");
    EXPECT_EQ(p1.format().size(), 51u);

    const CoordRecord chinese{
        "\xbf\xd8\xd6\xc6\xb5\xe3"
        "1",
        0, 0, 0};  // 控制点1, 7 bytes
    EXPECT_EQ(chinese.format().substr(0, 12),
              "_+\xbf\xd8\xd6\xc6\xb5\xe3"
              "1   ");

    const CoordRecord longName{"ABCDEFGHIJKL", 0, 0, 0};
    EXPECT_EQ(longName.format().substr(0, 17), "_+ABCDEFGHIJKL_ x");
    EXPECT_EQ(longName.format().size(), 53u);
}

TEST(PcodeRecord, NumberIsLimitedAndPadded) {
    const std::pair<int, std::string> cases[] = {{7, "007"},  {42, "042"},  {50, "050"},
                                                 {51, "050"}, {999, "050"}, {0, "000"},
                                                 {-5, "0-5"}, {-12, "-12"}};
    for (const auto& [number, digits] : cases) {
        EXPECT_EQ(PcodeRecord({number, "A"}).format(), "_:" + digits + "A         ") << number;
    }
}

TEST(PcodeRecord, TextIsPaddedOrCutToFifteenBytes) {
    EXPECT_EQ(PcodeRecord({1, "\xb5\xe7\xb8\xcb"}).format(), "_:001\xb5\xe7\xb8\xcb      ");
    EXPECT_EQ(PcodeRecord({1, "ABCDEFGHIJ"}).format(), "_:001ABCDEFGHIJ");
    EXPECT_EQ(PcodeRecord({1, "ABCDEFGHIJKL"}).format(), "_:001ABCDEFGHIJ");
    // 9 ASCII bytes and one GBK character: the cut would split it, so it goes and a space pads.
    EXPECT_EQ(PcodeRecord({2, "ABCDEFGHI\xb5\xe7"}).format(), "_:002ABCDEFGHI ");
    // Characters that end exactly at byte 15 stay.
    EXPECT_EQ(PcodeRecord({3, "\xb5\xe7\xb8\xcb\xb5\xe7\xb8\xcb\xb5\xe7\xb8\xcb"}).format(),
              "_:003\xb5\xe7\xb8\xcb\xb5\xe7\xb8\xcb\xb5\xe7");
    // A long negative number leaves less room; the record is still 15 bytes.
    EXPECT_EQ(PcodeRecord({-1234, "ABCDEFGHIJK"}).format(), "_:-1234ABCDEFGH");
}

TEST(GbkSafePrefix, NeverEndsInsideACharacter) {
    EXPECT_EQ(GbkSafePrefix("ab\xb5\xe7", 3), 2u);
    EXPECT_EQ(GbkSafePrefix("ab\xb5\xe7", 4), 4u);
    EXPECT_EQ(GbkSafePrefix("\xb5\xe7"
                            "a\xb5",
                            4),
              4u)
        << "a lone lead byte at the end is one";
    EXPECT_EQ(GbkSafePrefix("\x80"
                            "a",
                            1),
              1u)
        << "0x80 is a single byte in code page 936";
    EXPECT_EQ(GbkSafePrefix("abc", 0), 0u);
}

std::string Packed(const std::vector<std::string>& records) {
    BlockPacker packer;
    packer.start();
    for (const auto& r : records) {
        packer.add(r);
    }
    packer.finish();
    return packer.output();
}

TEST(BlockPacker, EmptyInputGivesOneClosingBlock) {
    EXPECT_EQ(Packed({}), "_" + std::string(127, ' ') + "\x02");
}

TEST(BlockPacker, RecordsRunAcrossBlocks) {
    const std::string record = CoordRecord{"P1", 1, 2, 3}.format();
    const std::string three = Packed({record, record, record});
    // 153 bytes of records: one full block, then 25 bytes, the closing "_" and padding.
    ASSERT_EQ(three.size(), 2u * 129u);
    const std::string stream = record + record + record;
    EXPECT_EQ(three.substr(0, 128), stream.substr(0, 128));
    EXPECT_EQ(three[128], '\x02');
    EXPECT_EQ(three.substr(129, 26), stream.substr(128) + "_");
    EXPECT_EQ(three.substr(155, 102), std::string(102, ' '));
    EXPECT_EQ(CountUploadBlocks(three), 2u);

    EXPECT_EQ(CountUploadBlocks(Packed(std::vector<std::string>(10, record))), 4u);
}

TEST(BlockPacker, SeventeenCodesFillTwoBlocksExactly) {
    std::vector<std::string> records;
    for (int i = 1; i <= 17; ++i) {
        records.push_back(PcodeRecord{i, "CODE"}.format());
    }
    const std::string out = Packed(records);
    std::string stream;
    for (const auto& r : records) {
        stream += r;
    }
    ASSERT_EQ(stream.size(), 255u);
    ASSERT_EQ(out.size(), 2u * 129u);
    EXPECT_EQ(out.substr(0, 128), stream.substr(0, 128));
    EXPECT_EQ(out.substr(129, 128), stream.substr(128) + "_") << "no space padding";
    EXPECT_EQ(out[257], '\x02');
}

}  // namespace
}  // namespace vrk

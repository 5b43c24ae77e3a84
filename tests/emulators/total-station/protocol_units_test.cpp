// Framing, check values, records and blocks: the byte forms both ends of the line must agree on.
#include <gtest/gtest.h>

#include <string>

#include "block_parser.h"
#include "check_value.h"
#include "frame_reader.h"
#include "protocol.h"
#include "record_writer.h"

namespace tssim {
namespace {

// One byte with the given xor, so the check value of exactly that byte is under test.
std::string withXor(unsigned char x) {
    return std::string(1, static_cast<char>(x));
}

TEST(CheckValue, SignedDecimalZeroPrefixedToThree) {
    EXPECT_EQ(checkValue(withXor(0x05)), "005");
    EXPECT_EQ(checkValue(withXor(0x2A)), "042");
    EXPECT_EQ(checkValue(withXor(0x7F)), "127");
    EXPECT_EQ(checkValue(withXor(0xFB)), "0-5");
    EXPECT_EQ(checkValue(withXor(0x80)), "-128");
    EXPECT_EQ(checkValue(withXor(0xF4)), "-12");
    EXPECT_EQ(checkValue(""), "000");
}

TEST(CheckValue, DataRecordAppendsDigitAndCheckAndWraps) {
    EXPECT_EQ(dataRecord("abc", 0), "abc0080");
    EXPECT_EQ(dataRecord("abc", 1), "abc1081");
    EXPECT_EQ(dataRecord("abc", 10), "abc0080");
    EXPECT_EQ(dataRecord("abc", 19).substr(3, 1), "9");
}

TEST(Records, CoordinateRecordForms) {
    EXPECT_EQ(coordRecord({"P1", 2000000, 1000000, 50000}),
              "_+P1        _ x+002000000_ y+001000000_ z+000050000");
    EXPECT_EQ(coordRecord({"K1", -12345, 0, -4}),
              "_+K1        _ x-000012345_ y+000000000_ z-000000004");
    // Ten-digit millimetres and a name over 10 bytes stay whole and lengthen the record.
    EXPECT_EQ(coordRecord({"ABCDEFGHIJK", 1234567891, 0, 0}),
              "_+ABCDEFGHIJK_ x+1234567891_ y+000000000_ z+000000000");
    const std::string gbkName = "\xBF\xD8\xD6\xC6\xB5\xE3\x31";  // 控制点1, 7 bytes
    EXPECT_EQ(coordRecord({gbkName, 0, 0, 0}).substr(0, 12), "_+" + gbkName + "   ");
}

TEST(Records, PcodeRecordPadsNumberAndFixesTextWidth) {
    EXPECT_EQ(pcodeRecord({1, "\xCA\xF7"}), "_:001\xCA\xF7        ");
    EXPECT_EQ(pcodeRecord({42, "ROAD"}), "_:042ROAD      ");
    EXPECT_EQ(pcodeRecord({7, "ABCDEFGHIJKL"}), "_:007ABCDEFGHIJ");
    EXPECT_EQ(pcodeRecord({-5, "X"}).substr(0, 5), "_:0-5");
}

TEST(Blocks, PackingFillsBlocksAndClosesWithUnderscore) {
    const std::string record51 = coordRecord({"P1", 1, 2, 3});
    ASSERT_EQ(record51.size(), 51u);
    auto blocks = packBlocks({record51, record51, record51});
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_EQ(blocks[0], (record51 + record51 + record51).substr(0, 128));
    EXPECT_EQ(blocks[1].substr(0, 26), (record51 + record51 + record51).substr(128) + "_");
    EXPECT_EQ(blocks[1].find_first_not_of(' ', 26), std::string::npos);

    EXPECT_EQ(packBlocks({std::vector<std::string>(10, record51)}).size(), 4u);

    const auto empty = packBlocks({});
    ASSERT_EQ(empty.size(), 1u);
    EXPECT_EQ(empty[0], "_" + std::string(127, ' '));

    // 17 PCODE records are 255 bytes: the closing "_" fills the second block exactly.
    const auto pcodes = packBlocks(std::vector<std::string>(17, pcodeRecord({1, "A"})));
    ASSERT_EQ(pcodes.size(), 2u);
    EXPECT_EQ(pcodes[1].back(), '_');
}

TEST(Blocks, DownloadLinesAreFramedDataRecordsWithCounter) {
    Memory memory;
    for (int i = 0; i < 30; ++i) {
        memory.points.push_back({"P" + std::to_string(i), i, 2 * i, 3 * i});
    }
    const auto blocks = memoryBlocks(memory, Content::Coordinates);
    const auto lines = downloadLines(memory, Content::Coordinates);
    ASSERT_EQ(lines.size(), blocks.size());
    ASSERT_GT(lines.size(), 10u);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i], frame(dataRecord(blocks[i], static_cast<int>(i))));
    }
    EXPECT_EQ(lines[10][1 + 128], '0');  // the eleventh line wraps the counter
    EXPECT_EQ(lines[0].front(), protocol::kStx);
    EXPECT_EQ(lines[0].substr(lines[0].size() - 3), "\x03\r\n");
}

TEST(BlockParser, ReadsBackWhatTheWriterPacked) {
    Memory memory;
    memory.points = {{"\xBF\xD8\xD6\xC6\xB5\xE3\x31", 2210118, 3512406, 48215},
                     {"P1", -1, -2, -3},
                     {"K12", 0, 0, 0},
                     {"NAMELONG12X", 1234567891, 5, 6}};
    memory.pcodes = {{1, "\xB7\xBF\xBD\xC7"}, {50, "TREE"}, {-5, "X"}, {7, "ABCDEFGHIJ"}};
    const ParsedBlocks coords = parseBlocks(memoryBlocks(memory, Content::Coordinates));
    EXPECT_EQ(coords.points, memory.points);
    EXPECT_EQ(coords.unknownFields, 0u);
    const ParsedBlocks pcodes = parseBlocks(memoryBlocks(memory, Content::Pcode));
    EXPECT_EQ(pcodes.pcodes, memory.pcodes);
}

TEST(BlockParser, CountsBrokenFieldsAndDropsIncompletePoints) {
    std::string stream = "_+A         _ x+000000001_ y+000000002";  // no z
    stream += "_+B         _ x+000000001_ y+000000002_ z+000000003";
    stream += "_ qnonsense_ x+00000000A";
    stream += "_";
    stream.resize(256, ' ');
    const ParsedBlocks parsed = parseBlocks({stream.substr(0, 128), stream.substr(128)});
    ASSERT_EQ(parsed.points.size(), 1u);
    EXPECT_EQ(parsed.points[0].name, "B");
    EXPECT_EQ(parsed.incompletePoints, 1u);
    EXPECT_EQ(parsed.unknownFields, 2u);
}

TEST(FrameReader, FindsFramesInAnyChunkingAndCountsStrayBytes) {
    const std::string bytes =
        "\x02"
        "F00F000\x03\r\nxx\x02"
        "abc\x03\r\n\x02\x04\x03\r\n";
    FrameReader whole;
    const auto frames = whole.feed(bytes);
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(frames[0].payload, "F00F000");
    EXPECT_EQ(frames[1].payload, "abc");
    EXPECT_EQ(frames[2].payload, "\x04");
    EXPECT_EQ(whole.framingErrors(), 1u);

    FrameReader bytewise;
    std::size_t found = 0;
    for (char c : bytes) {
        found += bytewise.feed(std::string(1, c)).size();
    }
    EXPECT_EQ(found, 3u);
}

TEST(FrameReader, BadTrailersAndOverlongFramesAreNotTakenForGoodOnes) {
    FrameReader reader;
    auto frames = reader.feed(
        "\x02"
        "ab\x03X\x02"
        "cd\x02"
        "ef\x03\r\n");
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_FALSE(frames[0].wellFormed);  // ETX not followed by CR LF
    EXPECT_FALSE(frames[1].wellFormed);  // cut off by the next STX
    EXPECT_TRUE(frames[2].wellFormed);

    const std::string endless = "\x02" + std::string(protocol::kMaxFramePayload + 10, 'a');
    EXPECT_TRUE(reader.feed(endless).empty());
    EXPECT_EQ(reader.feed("\x03\r\n\x02ok\x03\r\n").size(), 1u);
}

}  // namespace
}  // namespace tssim

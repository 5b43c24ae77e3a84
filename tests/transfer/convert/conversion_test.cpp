#include <gtest/gtest.h>

#include "convert/block_stream_reader.h"
#include "convert/delf_conversion.h"
#include "convert/pcode_conversion.h"
#include "download_text.h"
#include "link/upload_lines.h"

namespace vrk {
namespace {

using test::DownloadTextOf;

const std::string kP1Block = [] {
    std::string block = "_+P1        _ x+001000000_ y+002000000_ z+000050000_";
    block.resize(128, ' ');
    return block;
}();

std::string Padded(std::string text) {
    text.resize(128, ' ');
    return text;
}

// One download line per block, with the framing a real download carries.
std::string Download(std::initializer_list<std::string> blocks) {
    std::string upload;
    for (const auto& b : blocks) {
        upload += b + "\x02";
    }
    return DownloadTextOf(upload);
}

TEST(BlockStreamReader, FieldsRunAcrossBlocksAndTheLeadBelongsToNone) {
    std::vector<std::string> fields;
    BlockStreamReader reader([&](std::string_view f) { fields.emplace_back(f); });
    reader.feed("no separator here");
    reader.feed("lead_one_tw");
    reader.feed("o_thr");
    reader.feed("ee");
    reader.feed("_");
    reader.feed("__");
    EXPECT_EQ(fields, (std::vector<std::string>{"one", "two", "three", "", ""}));
}

TEST(DownloadLines, SkipCrLfRunsAndStopAtTheLastLf) {
    std::vector<std::string> lines;
    const auto collect = [&](std::string_view l) {
        lines.emplace_back(l);
        return true;
    };
    EXPECT_TRUE(ForEachDownloadLine("a\r\n\r\n\nb\r\ntail", collect));
    EXPECT_EQ(lines, (std::vector<std::string>{"a\r", "b\r"}));
    EXPECT_FALSE(ForEachDownloadLine("no line end", collect));
    EXPECT_FALSE(ForEachDownloadLine("\nstarts with LF", collect));
}

TEST(ConvertToDelf, TheExampleBlockGivesOnePoint) {
    const auto r = ConvertToDelf(Download({kP1Block}));
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(r.text, "P1        ,P1        ,2000.000,1000.000,50.000\r\n");
}

TEST(ConvertToDelf, ValuesAreSignedMillimetres) {
    const auto r = ConvertToDelf(
        Download({Padded("_+A_ x-000012345_ y+000000000_ z-000000001_+B_x_ y_ z 12.5e3_")}));
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.text,
              "A,A,0.000,-12.345,-0.001\r\n"
              "B,B,0.000,0.000,12.500\r\n")
        << "fields too short for a value read as 0";
}

TEST(ConvertToDelf, NegativeZeroLeadingZerosAndLongNamesKeepTheirCharacters) {
    const std::string name(40, 'N');
    const auto r = ConvertToDelf(
        Download({Padded("_+" + name + "_ x-000000000_ y+000000042_ z 0000000000000000000001_")}));
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.text, name + "," + name + ",0.042,-0.000,0.001\r\n");
}

TEST(ConvertToDelf, OnlyWholePointsAreWritten) {
    const auto seven = ConvertToDelf(Download({Padded("_+A_ x1_ y2_ z3_+B_ x4_ y5_ z6")}));
    EXPECT_EQ(seven.text, "A,A,0.002,0.001,0.003\r\n") << "the eighth field is not complete";
    const auto eight = ConvertToDelf(Download({Padded("_+A_ x1_ y2_ z3_+B_ x4_ y5_ z6_")}));
    EXPECT_EQ(eight.text, "A,A,0.002,0.001,0.003\r\nB,B,0.005,0.004,0.006\r\n");
}

TEST(ConvertToDelf, AFirstLineWithoutXyzIsRefused) {
    const std::string text = "header of the download\r\n\n" + Download({kP1Block});
    const auto r = ConvertToDelf(text);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, "文件格式不正确");
}

TEST(ConvertToDelf, ShortLinesAfterTheFirstFieldAndTheUnterminatedLastLineAreIgnored) {
    std::string text = Download({Padded("_+Az_ x1_ y2")});
    text += "\nshort line without letters\r\n";
    text += "\n\x02" + Padded("_ z3_+B_ x4_ y5_ z6_");  // no LF after it
    const auto r = ConvertToDelf(text);
    ASSERT_FALSE(r.ok) << "only the first field group is complete, and it lacks H";
    EXPECT_EQ(r.message, "转换失败");

    const auto ok = ConvertToDelf(Download({Padded("_+Az_ x1_ y2")}) + "\nshort\r\n" +
                                  Download({Padded("_ z3_")}));
    ASSERT_TRUE(ok.ok);
    EXPECT_EQ(ok.text, "Az,Az,0.002,0.001,0.003\r\n");
}

TEST(ConvertToDelf, NothingToConvertFails) {
    for (const std::string& text :
         std::vector<std::string>{"", "no LF at all", "\nP1", "x y z\n", "xyz\n" + kP1Block}) {
        const auto r = ConvertToDelf(text);
        EXPECT_FALSE(r.ok) << text;
        EXPECT_EQ(r.message, "转换失败");
    }
}

TEST(ConvertToDelf, AFirstBlockWithoutSeparatorBelongsToNoField) {
    const auto r =
        ConvertToDelf(Download({Padded("xyz without separator"), Padded("lead_+A_ x1_ y2_ z3_")}));
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.text, "A,A,0.002,0.001,0.003\r\n");
}

TEST(ConvertToDelf, UploadBlocksDownloadedAgainGiveTheSamePoints) {
    const std::string delf =
        "P1,P1,1000.000,2000.000,50.000\r\n"
        "\xbf\xd8\xd6\xc6\xb5\xe3"
        "1,\xbf\xd8\xd6\xc6\xb5\xe3"
        "1,-12.345,0.001,-0.004\r\n"
        "LONGNAME1234,LONGNAME1234,1234567.891,7654321.123,999.999\r\n"
        "K18,K18,0.000,0.000,-0.004\r\n";
    const auto r = ConvertToDelf(DownloadTextOf(BuildCoordUpload(delf)));
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.text,
              "P1        ,P1        ,1000.000,2000.000,50.000\r\n"
              "\xbf\xd8\xd6\xc6\xb5\xe3"
              "1   ,\xbf\xd8\xd6\xc6\xb5\xe3"
              "1   ,-12.345,0.001,-0.004\r\n"
              "LONGNAME1234,LONGNAME1234,1234567.891,7654321.123,999.999\r\n"
              "K18       ,K18       ,0.000,0.000,-0.004\r\n");
}

TEST(ConvertToPcode, NumbersLoseTheirZerosAndTextsKeepTheirSpaces) {
    const auto r = ConvertToPcode(Download({Padded("_:001TREE      _:050POLE      _")}));
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.text, "1,TREE      \r\n50,POLE      \r\n");
}

TEST(ConvertToPcode, AFieldNeedsFourCharactersAfterTheColon) {
    const auto r = ConvertToPcode(Download({Padded("_:12x_:012y_no colon_ab:-05z_")}));
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.text, "12,y\r\n-5,z\r\n");
    EXPECT_FALSE(ConvertToPcode(Download({Padded("_:12x_")})).ok);
}

TEST(ConvertToPcode, LinesWithoutAColonAreSkippedEvenInsideAField) {
    std::string text = Download({Padded("_:001TRE")});
    text += "\n" + Padded("xxxxxxxx_") + "\r\n";  // no colon: not part of the stream
    text += "\n" + Padded("E :_") + "\r\n";
    const auto r = ConvertToPcode(text);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.text, "1,TRE" + std::string(120, ' ') + "E :\r\n");
}

TEST(ConvertToPcode, CoordinatesAndUnterminatedLinesGiveNothing) {
    EXPECT_EQ(ConvertToPcode(Download({kP1Block})).message, "转换失败");
    std::string text = "first\r\n\n\x02" + Padded("_:001TREE_");
    EXPECT_EQ(ConvertToPcode(text).message, "转换失败");
    EXPECT_EQ(ConvertToPcode("").message, "转换失败");
}

TEST(ConvertToPcode, UploadBlocksDownloadedAgainGiveTheSameCodes) {
    std::string lines;
    std::string expected;
    for (int i = 1; i <= 17; ++i) {
        lines += std::to_string(i) + ",\xb5\xe7\xb8\xcb" + std::to_string(i) + "\r\n";
        std::string text = "\xb5\xe7\xb8\xcb" + std::to_string(i);
        text.resize(10, ' ');
        expected += std::to_string(i) + "," + text + "\r\n";
    }
    const auto r = ConvertToPcode(DownloadTextOf(BuildPcodeUpload(lines)));
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.text, expected);
}

}  // namespace
}  // namespace vrk

namespace vrk {
namespace {

TEST(ConversionReport, SaysWhatCameOutAndWhatWasDroppedAtTheEnd) {
    EXPECT_EQ(ConvertToDelf(Download({kP1Block})).report, "DELF: 1 个点");
    EXPECT_EQ(ConvertToDelf(Download({Padded("_+A_ x1_ y2_ z3_+B_ x4_ y5_")})).report,
              "DELF: 1 个点,末尾丢弃3个字段(最后一个点不完整)");
    EXPECT_EQ(ConvertToPcode(Download({Padded("_:001TREE_:002ROAD_")})).report, "PCODE: 2 条");
}

TEST(ConversionReport, AFailureSaysWhereUnderItsMessage) {
    const auto where = [](const ConversionResult& r) { return r.messageWithWhere(); };
    EXPECT_EQ(where(ConvertToDelf("x y z\r\n\nno letters\r\n\n" + Download({kP1Block}))),
              "文件格式不正确\n第3行没有x、y或z");
    EXPECT_EQ(where(ConvertToDelf("no LF at all")), "转换失败\n文本中没有换行符(LF)");
    EXPECT_EQ(where(ConvertToDelf("\nP1")), "转换失败\n文本以换行符(LF)开头");
    EXPECT_EQ(where(ConvertToDelf(Download({Padded("_+Az_ x1_ y2")}))),
              "转换失败\n只读出2个字段,不够一个点");
    EXPECT_EQ(where(ConvertToPcode(Download({kP1Block}))), "转换失败\n读出0个字段,其中没有编码");
}

}  // namespace
}  // namespace vrk

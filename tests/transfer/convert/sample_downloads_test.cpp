#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "convert/delf_conversion.h"
#include "convert/pcode_conversion.h"
#include "sample_downloads.h"

namespace vrk {
namespace {

std::string ReadSample(const std::string& name) {
    std::ifstream in(std::string(SAMPLES_DIR) + "/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(SampleDownloads, TheBundledFilesAreWhatTheGeneratorWrites) {
    EXPECT_EQ(ReadSample("download-coords.txt"), test::SampleCoordDownload())
        << "regenerate with make_sample_downloads data/samples";
    EXPECT_EQ(ReadSample("download-pcode.txt"), test::SamplePcodeDownload());
}

TEST(SampleDownloads, EveryLineIsOneFramedBlock) {
    const std::string text = test::SampleCoordDownload();
    std::size_t start = 0;
    int lines = 0;
    while (start < text.size()) {
        const std::size_t lf = text.find('\n', start);
        ASSERT_NE(lf, std::string::npos);
        const std::string line = text.substr(start, lf - start + 1);
        ASSERT_EQ(line.size(), 1 + 128 + 1 + 3 + 3u) << lines;
        EXPECT_EQ(line.front(), '\x02');
        EXPECT_EQ(line.substr(line.size() - 3), "\x03\r\n");
        EXPECT_EQ(line[129], static_cast<char>('0' + lines % 10));
        ++lines;
        start = lf + 1;
        if (start < text.size()) {
            ASSERT_EQ(text[start], '\n') << "the view's extra LF";
            ++start;
        }
    }
    EXPECT_GE(lines, 8);
}

TEST(SampleDownloads, ConvertBackToTheSurvey) {
    const auto delf = ConvertToDelf(test::SampleCoordDownload());
    ASSERT_TRUE(delf.ok);
    std::string expected;
    for (const auto& p : test::SamplePoints()) {
        std::string name = test::Gbk(p.name);
        if (name.size() < 10) {
            name.resize(10, ' ');
        }
        expected += name + "," + name + "," + p.y + "," + p.x + "," + p.h + "\r\n";
    }
    EXPECT_EQ(delf.text, expected);

    const auto codes = ConvertToPcode(test::SamplePcodeDownload());
    ASSERT_TRUE(codes.ok);
    EXPECT_NE(codes.text.find("14,LONGCODETE\r\n"), std::string::npos);
    EXPECT_NE(codes.text.find("15,ABCDEFGHI \r\n"), std::string::npos)
        << "the character that straddles byte 10 goes whole";
}

}  // namespace
}  // namespace vrk

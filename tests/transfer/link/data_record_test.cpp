#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/data_record.h"
#include "link_fakes.h"

namespace vrk {
namespace {

TEST(CheckValue, IsTheSignedExclusiveOrPaddedToThreeCharacters) {
    EXPECT_EQ(CheckValue("\x05"), "005");
    EXPECT_EQ(CheckValue("\x2A"), "042");
    EXPECT_EQ(CheckValue("\x7F"), "127");
    EXPECT_EQ(CheckValue("\xFB"), "0-5");
    EXPECT_EQ(CheckValue("\x80"), "-128");
    EXPECT_EQ(CheckValue("\xFF"), "0-1");
    EXPECT_EQ(CheckValue("\xF0"), "-16");
    EXPECT_EQ(CheckValue(""), "000");
    EXPECT_EQ(CheckValue("aa"), "000") << "equal bytes cancel out";
}

TEST(DataRecord, AppendsCounterDigitAndCheckValue) {
    int counter = 0;
    EXPECT_EQ(BuildDataRecord("abc", counter), "abc0080");
    EXPECT_EQ(counter, 1);
    EXPECT_EQ(BuildDataRecord("abc", counter), "abc1081");
    EXPECT_EQ(counter, 2);
}

TEST(DataRecord, CounterDigitWrapsOnTheEleventhRecord) {
    int counter = 0;
    std::vector<std::string> records;
    for (int i = 0; i < 12; ++i) {
        records.push_back(BuildDataRecord("", counter));
    }
    // An empty block: the counter digit alone, and its own code as the check value ('0' is 48).
    EXPECT_EQ(records, (std::vector<std::string>{"0048", "1049", "2050", "3051", "4052", "5053",
                                                 "6054", "7055", "8056", "9057", "0048", "1049"}));
}

TEST(DataRecord, GoesOnTheLineFramed) {
    test::Rig rig;
    int counter = 0;
    ASSERT_EQ(SendDataRecordFrame(rig.ctx, "abc", counter), FrameResult::Delivered);
    EXPECT_EQ(rig.port.written, std::string("\x02"
                                            "abc0080"
                                            "\x03\r\n"));
    EXPECT_EQ(counter, 1);
}

}  // namespace
}  // namespace vrk

// The tssim program's options: what a person types must reach the station unchanged.
#include "command_line.h"

#include <gtest/gtest.h>

namespace tssim {
namespace {

TEST(CommandLine, DefaultsServeWithTheProtocolFollowingTheComputer) {
    const ParsedCommandLine parsed = parseCommandLine({});
    ASSERT_TRUE(parsed.error.empty());
    EXPECT_EQ(parsed.options.first, FirstAction::Serve);
    EXPECT_EQ(parsed.options.config.protocol, Protocol::Auto);
    EXPECT_TRUE(parsed.options.config.pacing);
    EXPECT_FALSE(parsed.options.content.has_value());
}

TEST(CommandLine, OptionsAndFaultsReachTheConfiguration) {
    const ParsedCommandLine parsed = parseCommandLine({"--link",
                                                       "/tmp/ttyTS0",
                                                       "--coords",
                                                       "a.delf",
                                                       "--protocol",
                                                       "acknak",
                                                       "--send",
                                                       "pcode",
                                                       "--baud",
                                                       "19200",
                                                       "--nak-first",
                                                       "3",
                                                       "--garbage",
                                                       "\\xff#\\x00\\\\",
                                                       "--slow",
                                                       "250",
                                                       "--silent-before-eot",
                                                       "--hang-up-after-lines",
                                                       "5",
                                                       "--start-after",
                                                       "1.5",
                                                       "--once"});
    ASSERT_TRUE(parsed.error.empty()) << parsed.error;
    const Options& o = parsed.options;
    EXPECT_EQ(o.linkPath, "/tmp/ttyTS0");
    EXPECT_EQ(o.coordsFile, "a.delf");
    EXPECT_EQ(o.config.protocol, Protocol::AckNak);
    EXPECT_EQ(o.first, FirstAction::Send);
    EXPECT_EQ(o.content, Content::Pcode);
    EXPECT_EQ(o.config.baud, 19200);
    EXPECT_EQ(o.config.faults.nakFirstAnswers, 3);
    EXPECT_EQ(o.config.faults.garbageBetweenLines, std::string("\xFF#\0\\", 4));
    EXPECT_EQ(o.config.faults.extraLineGap, std::chrono::milliseconds(250));
    EXPECT_TRUE(o.config.faults.silentBeforeEot);
    EXPECT_EQ(o.config.faults.hangUpAfterLines, 5);
    EXPECT_EQ(o.startAfterSeconds, 1.5);
    EXPECT_TRUE(o.once);
}

TEST(CommandLine, BadInputIsAUsageErrorNamingTheOption) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{"--baud", "1234"},
                                                 {"--protocol", "xmodem"},
                                                 {"--send"},
                                                 {"--nak-first", "-1"},
                                                 {"--garbage", "\\x4"},
                                                 {"--start-after", "soon"},
                                                 {"--frobnicate"}}) {
        const ParsedCommandLine parsed = parseCommandLine(args);
        EXPECT_NE(parsed.error.find(args.front()), std::string::npos) << parsed.error;
    }
}

}  // namespace
}  // namespace tssim

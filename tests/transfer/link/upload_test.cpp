#include <gtest/gtest.h>

#include "link/upload.h"
#include "link_fakes.h"

namespace vrk {
namespace {

const std::string kPoints =
    "P1,P1,1000.000,2000.000,50.000\r\n"
    "P2,P2,1001.000,2001.000,51.000\r\n"
    "P3,P3,1002.000,2002.000,52.000\r\n";

// The two blocks kPoints packs into, and what goes out on the line for them: written out byte for
// byte so a change in packing, framing, counter digit or check value shows here.
const std::string kBlock1 =
    "_+P1        _ x+002000000_ y+001000000_ z+000050000_+P2        _ x+002001000_ y+001001000_ "
    "z+000051000_+P3        _ x+002002000_";
const std::string kBlock2 =
    " y+001002000_ z+000052000_                                                                   "
    "                                   ";
// STX is written \002 and ETX \003 so that a following digit or letter is not read into the escape.
// clang-format off
const std::string kCoordsOnTheLine =
    "\002F00F000\003\r\n"
    "\002Site1     +00001.000000200020-100000S113\003\r\n"
    "\002" + kBlock1 + "0102\003\r\n"
    "\002" + kBlock2 + "1054\003\r\n"
    "\002\004\003\r\n";
// clang-format on
const std::string kPcodeOnTheLine =
    "\002_:001TREE      _:002POLE      _                                                        "
    "                                         0092\003\r\n"
    "\002\004\003\r\n";

TEST(Upload, CoordinatesGoWithHeadersBlocksAndEndFrame) {
    test::Rig rig;
    rig.useProtocol(kProtocolAckNak);
    rig.port.onWrite = [&](std::string_view bytes) {
        if (bytes.back() == '\n' && bytes[1] != '\x04') {
            rig.port.incoming += std::string("\x06\x00\x00", 3);
        }
    };
    rig.view.text = kPoints;
    const UploadJob job = BuildCoordUploadJob(kPoints);
    ASSERT_EQ(CountUploadBlocks(job), 2u);
    UploadThreadProc(rig.ctx, job);

    EXPECT_EQ(rig.port.written, kCoordsOnTheLine);
    EXPECT_EQ(rig.view.text, kBlock1 + "\r\n" + kBlock2 + "\r\n");
    EXPECT_EQ(rig.prompter.messages,
              (std::vector<std::string>{"请先在全站仪上回车,然后在微机上回车!", "通讯结束"}));
    EXPECT_TRUE(rig.sleeper.pauses.empty());
    EXPECT_EQ(rig.port.closes, 1);
    EXPECT_EQ(rig.observer.blocksSent, 2u);
    EXPECT_EQ(rig.observer.blocksTotal, 2u);
    // The view is emptied only once both headers were accepted.
    const auto clear = std::find(rig.events.begin(), rig.events.end(), "clear");
    EXPECT_EQ(std::count(rig.events.begin(), clear, "read 3"), 2);
}

TEST(Upload, NonePausesAfterEveryFrameButTheEndFrame) {
    test::Rig rig;
    const UploadJob job = BuildCoordUploadJob(kPoints);
    UploadThreadProc(rig.ctx, job);
    EXPECT_EQ(rig.port.written, kCoordsOnTheLine);
    EXPECT_EQ(rig.sleeper.pauses.size(), 4u);
    EXPECT_EQ(rig.port.readTimeouts.size(), 0u);
    // The end frame follows the last pause at once and has left the port before it closes.
    const std::vector<std::string> tail(rig.events.end() - 5, rig.events.end());
    EXPECT_EQ(*(rig.events.end() - 6), "sleep 400");
    EXPECT_EQ(tail, (test::Events{"insert", "write 5", "drain", "close", "message 通讯结束"}));
}

TEST(Upload, PcodeGoesWithoutHeaders) {
    test::Rig rig;
    const UploadJob job = BuildPcodeUploadJob("1,TREE\r\n2,POLE\r\n");
    EXPECT_FALSE(job.uploadCoords);
    UploadThreadProc(rig.ctx, job);
    EXPECT_EQ(rig.port.written, kPcodeOnTheLine);
    EXPECT_EQ(rig.prompter.messages.back(), "通讯结束");
}

TEST(Upload, AHeaderThatTimesOutLeavesTheViewAlone) {
    test::Rig rig;
    rig.useProtocol(kProtocolAckNak);
    rig.view.text = kPoints;
    UploadThreadProc(rig.ctx, BuildCoordUploadJob(kPoints));
    EXPECT_EQ(rig.view.text, kPoints);
    EXPECT_EQ(rig.prompter.messages.back(), "通讯超时");
    EXPECT_EQ(rig.port.written.find("\x04"), std::string::npos) << "no end frame";
    EXPECT_EQ(rig.port.closes, 1);
}

TEST(Upload, AFailedBlockLeavesTheAcceptedOnesListed) {
    test::Rig rig;
    rig.useProtocol(kProtocolAckNak);
    rig.port.incoming = "\x06..\x06..\x06..";  // headers and the first block
    rig.port.whenDry = ReadResult::Error;
    const UploadJob job = BuildCoordUploadJob(kPoints);
    UploadThreadProc(rig.ctx, job);
    EXPECT_EQ(rig.view.text, kBlock1 + "\r\n");
    EXPECT_EQ(rig.prompter.messages.back(), "通讯失败");
    EXPECT_EQ(rig.port.written.find("\x02\x04"), std::string::npos);
}

TEST(Upload, APulledCableDuringANoneUploadIsNotReportedAsFinished) {
    test::Rig rig;
    rig.port.writesBeforeFailure = 3;  // headers and one block
    const UploadJob job = BuildCoordUploadJob(kPoints);
    UploadThreadProc(rig.ctx, job);
    EXPECT_EQ(rig.prompter.messages.back(), "通讯失败");
    EXPECT_EQ(std::count(rig.prompter.messages.begin(), rig.prompter.messages.end(), "通讯结束"),
              0);
    EXPECT_EQ(rig.view.text, kBlock1 + "\r\n");
}

TEST(Upload, TheCounterDigitWrapsOnTheEleventhBlock) {
    test::Rig rig;
    std::string codes;
    for (int i = 0; i < 100; ++i) {
        codes += std::to_string(i) + ",CODE\r\n";
    }
    const UploadJob job = BuildPcodeUploadJob(codes);
    ASSERT_GE(CountUploadBlocks(job), 11u);
    UploadThreadProc(rig.ctx, job);
    std::string digits;
    for (const auto& frame : rig.port.writes) {
        if (frame.size() == 136) {
            digits += frame[129];
        }
    }
    EXPECT_EQ(digits.substr(0, 12), "012345678901");
}

TEST(Upload, RepetitionsAreCountedForTheProgress) {
    test::Rig rig;
    rig.useProtocol(kProtocolAckNak);
    rig.port.incoming = "\x15..\x06..\x15..\x15..\x06..";
    std::string codes;
    for (int i = 1; i <= 9; ++i) {
        codes += std::to_string(i) + ",CODE\r\n";
    }
    UploadThreadProc(rig.ctx, BuildPcodeUploadJob(codes));
    EXPECT_EQ(rig.observer.repeats, (std::vector<std::size_t>{1, 2, 3}));
    EXPECT_EQ(rig.observer.lastRepetitions, 3u);
    EXPECT_EQ(rig.prompter.messages.back(), "通讯结束");
}

TEST(Upload, QuittingAtThePromptClosesThePortAndSaysNothing) {
    test::Rig rig;
    rig.view.text = kPoints;
    rig.prompter.onMessage = [&](std::string_view) { rig.abandoned = true; };
    UploadThreadProc(rig.ctx, BuildCoordUploadJob(kPoints));
    EXPECT_EQ(rig.prompter.messages.size(), 1u);
    EXPECT_TRUE(rig.port.written.empty());
    EXPECT_EQ(rig.port.closes, 1);
    EXPECT_EQ(rig.view.text, kPoints);
}

}  // namespace
}  // namespace vrk

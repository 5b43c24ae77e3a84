#include <gtest/gtest.h>

#include "link/data_record.h"
#include "link/send_framed.h"
#include "link/upload.h"
#include "link_fakes.h"

namespace vrk {
namespace {

const std::string kPoints =
    "P1,P1,1000.000,2000.000,50.000\r\n"
    "P2,P2,1001.000,2001.000,51.000\r\n"
    "P3,P3,1002.000,2002.000,52.000\r\n";

std::vector<std::string> BlocksOf(const UploadJob& job) {
    std::vector<std::string> blocks;
    std::size_t start = 0;
    for (std::size_t end = job.m_strUpload.find('\x02'); end != std::string::npos;
         end = job.m_strUpload.find('\x02', start)) {
        blocks.push_back(job.m_strUpload.substr(start, end - start));
        start = end + 1;
    }
    return blocks;
}

std::string ExpectedLine(const UploadJob& job, bool headers) {
    std::string line;
    if (headers) {
        line += BuildFrame("F00F000");
        line += BuildFrame("Site1     +00001.000000200020-100000S113");
    }
    int counter = 0;
    for (const auto& block : BlocksOf(job)) {
        line += BuildFrame(BuildDataRecord(block, counter));
    }
    return line + "\x02\x04\x03\r\n";
}

std::string EchoOf(const UploadJob& job, std::size_t count) {
    std::string echo;
    const auto blocks = BlocksOf(job);
    for (std::size_t i = 0; i < count; ++i) {
        echo += blocks[i] + "\r\n";
    }
    return echo;
}

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
    EXPECT_EQ(UploadThreadProc(rig.ctx, job), 0);

    EXPECT_EQ(rig.port.written, ExpectedLine(job, true));
    EXPECT_EQ(rig.view.text, EchoOf(job, 2));
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
    EXPECT_EQ(rig.port.written, ExpectedLine(job, true));
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
    EXPECT_FALSE(job.m_bUploadCoords);
    UploadThreadProc(rig.ctx, job);
    EXPECT_EQ(rig.port.written, ExpectedLine(job, false));
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
    EXPECT_EQ(rig.view.text, EchoOf(job, 1));
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
    EXPECT_EQ(rig.view.text, EchoOf(job, 1));
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

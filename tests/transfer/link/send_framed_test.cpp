#include <gtest/gtest.h>

#include "link/send_framed.h"
#include "link_fakes.h"

namespace vrk {
namespace {

using test::Events;

const std::string kFrame = std::string("\x02") + "P1" + "\x03\r\n";

TEST(SendFramed, NonePausesAfterTheFrameHasLeftAndNeverReads) {
    test::Rig rig;
    ASSERT_EQ(SendFrame(rig.ctx, "P1"), FrameResult::Delivered);
    EXPECT_EQ(rig.port.written, kFrame);
    EXPECT_EQ(rig.events, (Events{"write 6", "drain", "sleep 400"}));
    EXPECT_TRUE(rig.prompter.messages.empty());
}

TEST(SendFramed, AckNakAcceptsAckWhateverTheOtherTwoBytes) {
    test::Rig rig;
    rig.useProtocol(kProtocolAckNak);
    rig.port.incoming = std::string("\x06\xff\x00", 3);
    ASSERT_EQ(SendFrame(rig.ctx, "P1"), FrameResult::Delivered);
    EXPECT_EQ(rig.events, (Events{"write 6", "read 3"}));
    EXPECT_TRUE(rig.sleeper.pauses.empty());
    EXPECT_EQ(rig.port.readTimeouts.front(), std::chrono::seconds(10));
}

TEST(SendFramed, AnyOtherReplySendsTheSameFrameAgain) {
    test::Rig rig;
    rig.useProtocol(kProtocolAckNak);
    rig.port.incoming = std::string("\x15..") + "\x04.." + "\x06..";
    ASSERT_EQ(SendFrame(rig.ctx, "P1"), FrameResult::Delivered);
    EXPECT_EQ(rig.port.writes, (std::vector<std::string>{kFrame, kFrame, kFrame}));
    EXPECT_EQ(rig.observer.repeats, (std::vector<std::size_t>{1, 2}));
    EXPECT_TRUE(rig.prompter.messages.empty());
}

TEST(SendFramed, GivesUpAfterTheTenthRepetition) {
    test::Rig rig;
    rig.useProtocol(kProtocolAckNak);
    rig.port.onWrite = [&](std::string_view) {
        rig.port.incoming += std::string("\x15\x00\x00", 3);
    };
    EXPECT_NE(SendFrame(rig.ctx, "P1"), FrameResult::Delivered);
    EXPECT_EQ(rig.port.writes.size(), 11u) << "the frame and ten repetitions";
    EXPECT_EQ(rig.prompter.messages, std::vector<std::string>{"通讯失败"});
}

TEST(SendFramed, AckOnTheLastAllowedRepetitionStillCounts) {
    test::Rig rig;
    rig.useProtocol(kProtocolAckNak);
    for (int i = 0; i < 10; ++i) {
        rig.port.incoming += "\x15..";
    }
    rig.port.incoming += "\x06..";
    EXPECT_EQ(SendFrame(rig.ctx, "P1"), FrameResult::Delivered);
    EXPECT_EQ(rig.port.writes.size(), 11u);
}

TEST(SendFramed, ShortReplyTimesOutAndReadErrorFails) {
    {
        test::Rig rig;
        rig.useProtocol(kProtocolAckNak, 10);
        rig.port.incoming = "\x06\x06";
        EXPECT_NE(SendFrame(rig.ctx, "P1"), FrameResult::Delivered);
        EXPECT_EQ(rig.prompter.messages, std::vector<std::string>{"通讯超时"});
        EXPECT_EQ(rig.port.readTimeouts,
                  (std::vector<std::chrono::milliseconds>{std::chrono::seconds(10)}));
        EXPECT_EQ(rig.port.writes.size(), 1u);
    }
    {
        test::Rig rig;
        rig.useProtocol(kProtocolAckNak);
        rig.port.whenDry = ReadResult::Error;
        EXPECT_NE(SendFrame(rig.ctx, "P1"), FrameResult::Delivered);
        EXPECT_EQ(rig.prompter.messages, std::vector<std::string>{"通讯失败"});
    }
}

TEST(SendFramed, AFailedWriteFailsInsteadOfPretendingDelivery) {
    for (const std::int32_t protocol : {kProtocolNone, kProtocolAckNak}) {
        test::Rig rig;
        rig.useProtocol(protocol);
        rig.port.writesBeforeFailure = 0;
        rig.port.incoming = "\x06..";
        EXPECT_NE(SendFrame(rig.ctx, "P1"), FrameResult::Delivered);
        EXPECT_EQ(rig.prompter.messages, std::vector<std::string>{"通讯失败"});
        EXPECT_TRUE(rig.sleeper.pauses.empty());
        EXPECT_EQ(rig.port.readTimeouts.size(), 0u);
    }
}

TEST(SendFramed, ReadsTheProtocolAnewForEveryRepetition) {
    test::Rig rig;
    rig.useProtocol(kProtocolAckNak);
    rig.port.incoming = "\x15..";
    rig.port.onWrite = [&](std::string_view) {
        if (rig.port.writes.size() == 2) {
            rig.useProtocol(kProtocolNone);
        }
    };
    EXPECT_EQ(SendFrame(rig.ctx, "P1"), FrameResult::Delivered);
    EXPECT_EQ(rig.events, (Events{"write 6", "read 3", "write 6", "drain", "sleep 400"}));
}

TEST(SendFramed, AnAbandonedTransferSendsNothingAndSaysNothing) {
    test::Rig rig;
    rig.abandoned = true;
    EXPECT_NE(SendFrame(rig.ctx, "P1"), FrameResult::Delivered);
    EXPECT_TRUE(rig.events.empty());
}

}  // namespace
}  // namespace vrk

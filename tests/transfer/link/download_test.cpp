#include <gtest/gtest.h>

#include "link/download.h"
#include "link_fakes.h"

namespace vrk {
namespace {

using test::Events;

constexpr char kEotByte = '\x04';

TEST(Download, LinesReachTheViewWithTheExtraLfAndEotEndsSilently) {
    test::Rig rig;
    rig.view.text = "old text";
    rig.port.incoming = std::string("\x02L1\x03\r\n\x02L2\x03\r\n") + kEotByte;
    DownloadThreadProc(rig.ctx);
    EXPECT_EQ(rig.view.text, "\x02L1\x03\r\n\n\x02L2\x03\r\n");
    EXPECT_EQ(rig.prompter.messages,
              std::vector<std::string>{"请先在微机上回车,然后在全站仪上回车!"});
    EXPECT_TRUE(rig.port.written.empty()) << "protocol None sends nothing";
    EXPECT_FALSE(rig.view.readOnly);
    EXPECT_EQ(rig.events.front(), "clear");
    EXPECT_EQ(rig.events[1], "open");
    EXPECT_EQ(rig.events[2], "read-only");
    EXPECT_EQ(rig.events[rig.events.size() - 2], "close");
    EXPECT_EQ(rig.events.back(), "writable");
}

TEST(Download, AckNakSendsEnqAfterThePromptAndAckAfterEachLf) {
    test::Rig rig;
    rig.useProtocol(kProtocolAckNak);
    rig.port.incoming = std::string("A\r\nB\r\nC") + kEotByte;
    DownloadThreadProc(rig.ctx);
    EXPECT_EQ(rig.port.written, "\x05\x06\x06");
    EXPECT_EQ(rig.prompter.messages,
              std::vector<std::string>{"请先在全站仪上回车,然后在微机上回车!"});
    EXPECT_EQ(rig.view.text, "A\r\n\nB\r\n") << "the partial last line is dropped";
    const auto prompt = std::find(rig.events.begin(), rig.events.end(),
                                  "message 请先在全站仪上回车,然后在微机上回车!");
    ASSERT_NE(prompt, rig.events.end());
    EXPECT_EQ(*(prompt + 1), "write 1") << "ENQ right after the prompt";
    // Each ACK goes out before its line is shown.
    const auto firstAck = std::find(prompt + 2, rig.events.end(), "write 1");
    const auto firstInsert = std::find(prompt, rig.events.end(), "insert");
    EXPECT_LT(firstAck, firstInsert);
}

TEST(Download, EachReadWaitsTheFullReceiveDelay) {
    test::Rig rig;
    rig.useProtocol(kProtocolNone, 7);
    rig.port.incoming = std::string("ab\n") + kEotByte;
    DownloadThreadProc(rig.ctx);
    ASSERT_EQ(rig.port.readTimeouts.size(), 4u);
    for (const auto timeout : rig.port.readTimeouts) {
        EXPECT_EQ(timeout, std::chrono::seconds(7));
    }
}

TEST(Download, SilenceTimesOutAndLeavesAnEmptyWritableView) {
    test::Rig rig;
    rig.view.text = "old";
    DownloadThreadProc(rig.ctx);
    EXPECT_EQ(rig.view.text, "");
    EXPECT_FALSE(rig.view.readOnly);
    EXPECT_EQ(rig.prompter.messages.back(), "通讯超时");
    EXPECT_EQ(rig.port.closes, 1);
}

TEST(Download, AReadErrorKeepsTheLinesReceivedSoFar) {
    test::Rig rig;
    rig.port.incoming = "one\r\ntwo\r\nthr";
    rig.port.whenDry = ReadResult::Error;
    DownloadThreadProc(rig.ctx);
    EXPECT_EQ(rig.view.text, "one\r\n\ntwo\r\n");
    EXPECT_EQ(rig.prompter.messages.back(), "通讯失败");
    EXPECT_FALSE(rig.view.readOnly);
    EXPECT_EQ(rig.port.closes, 1);
}

// Saved downloads must open again: the view holds no more than a document may have.
TEST(Download, DataBeyondWhatTheViewHoldsEndsAsFailedKeepingTheWholeLinesThatFit) {
    test::Rig rig;
    rig.useProtocol(kProtocolAckNak);
    rig.view.holds = 12;
    rig.port.incoming = std::string("one\r\ntwo\r\nthree\r\n") + kEotByte;
    const TransferOutcome outcome = RunDownload(rig.ctx);
    EXPECT_EQ(rig.view.text, "one\r\n\ntwo\r\n");
    EXPECT_EQ(outcome.end, TransferEnd::Failed);
    EXPECT_EQ(outcome.lines, 2u);
    EXPECT_EQ(rig.port.written, "\x05\x06\x06") << "the line that does not fit is not acknowledged";
    EXPECT_EQ(rig.prompter.messages.back(),
              "通讯失败\n接收的数据超过了本程序能容纳和打开的大小（12 字节）：已收到的完整行保留在"
              "视图中，其后的数据未接收。");
    EXPECT_FALSE(rig.view.readOnly);

    test::Rig exact;
    exact.view.holds = 11;
    exact.port.incoming = std::string("one\r\ntwo\r\n") + kEotByte;
    EXPECT_EQ(RunDownload(exact.ctx).end, TransferEnd::Eot);
    EXPECT_EQ(exact.view.text, "one\r\n\ntwo\r\n");
}

TEST(Download, ALineWhoseAckFailsIsStillShownAndTheTransferEndsAsFailed) {
    test::Rig rig;
    rig.useProtocol(kProtocolAckNak);
    rig.port.incoming = std::string("one\r\ntwo\r\n") + kEotByte;
    rig.port.writesBeforeFailure = 1;  // ENQ goes out, the first ACK does not
    const TransferOutcome outcome = RunDownload(rig.ctx);
    EXPECT_EQ(rig.view.text, "one\r\n");
    EXPECT_EQ(rig.prompter.messages.back(), "通讯失败");
    EXPECT_EQ(outcome.end, TransferEnd::Failed);
    EXPECT_EQ(outcome.lines, 1u);
    EXPECT_EQ(outcome.bytesSent, 1u);
    EXPECT_EQ(outcome.bytesReceived, 5u);
}

TEST(Download, AnUnopenablePortLeavesTheViewEmptyAndEditable) {
    test::Rig rig;
    rig.view.text = "old";
    rig.port.openResult = OpenResult::CannotOpen;
    DownloadThreadProc(rig.ctx);
    EXPECT_EQ(rig.view.text, "");
    EXPECT_EQ(rig.events, (Events{"clear", "open", "message 无法创建通讯口!"}));
}

TEST(Download, ManyLinesArriveInOrder) {
    test::Rig rig;
    std::string expected;
    for (int i = 0; i < 500; ++i) {
        const std::string line = "line " + std::to_string(i) + "\r\n";
        rig.port.incoming += line;
        expected += (i == 0 ? "" : "\n") + line;
    }
    rig.port.incoming += kEotByte;
    DownloadThreadProc(rig.ctx);
    EXPECT_EQ(rig.view.text, expected);
    EXPECT_EQ(rig.prompter.messages.size(), 1u);
}

// Switches to Ack/Nak once the first line is in the view, as a change in the dialog would.
class ProtocolSwitch final : public TransferObserver {
  public:
    explicit ProtocolSwitch(test::Rig& rig) : rig_(rig) {}
    void onReceived(std::size_t lines, std::size_t) override {
        if (lines == 1) {
            rig_.useProtocol(kProtocolAckNak);
        }
    }

  private:
    test::Rig& rig_;
};

TEST(Download, AProtocolChangeDuringTheDownloadTakesEffectAtTheNextLine) {
    test::Rig rig;
    rig.port.incoming = std::string("a\nb\n") + kEotByte;
    ProtocolSwitch protocolSwitch(rig);
    TransferContext ctx{rig.settings, rig.port,       rig.view,     rig.prompter,
                        rig.sleeper,  protocolSwitch, rig.abandoned};
    DownloadThreadProc(ctx);
    EXPECT_EQ(rig.port.written, "\x06") << "no ENQ, one ACK for the second line";
}

TEST(Download, QuittingAtThePromptClosesThePortAndTouchesNothingMore) {
    test::Rig rig;
    rig.port.incoming = "data\r\n";
    rig.prompter.onMessage = [&](std::string_view) { rig.abandoned = true; };
    DownloadThreadProc(rig.ctx);
    EXPECT_EQ(rig.port.closes, 1);
    EXPECT_EQ(rig.events.back(), "close");
    EXPECT_EQ(rig.prompter.messages.size(), 1u);
}

}  // namespace
}  // namespace vrk

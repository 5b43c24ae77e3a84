#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "transcript/transcript_format.h"
#include "transcript/transcript_log.h"
#include "transcript/transcript_recorder.h"

namespace {

using namespace std::chrono_literals;
using vrk::Direction;
using vrk::TranscriptLog;

TEST(TranscriptFormat, ShowsHexAndTheSameBytesAsText) {
    // STX "A1" 点 (GBK B5 E3) ETX CR LF NAK and a byte that is no character.
    const std::string bytes =
        "\x02"
        "A1\xB5\xE3\x03\r\n\x15\xFF";
    EXPECT_EQ(vrk::FormatBytesLine(1250ms, Direction::Tx, bytes),
              "1.250 TX 02 41 31 B5 E3 03 0D 0A 15 FF  <STX>A1点<ETX><CR><LF><NAK><FF>");
    EXPECT_EQ(vrk::FormatBytesLine(7ms, Direction::Rx, "\x06\x04\x05"),
              "0.007 RX 06 04 05  <ACK><EOT><ENQ>");
    EXPECT_EQ(vrk::FormatEventLine(10s, "超时"), "10.000 -- 超时");
}

TEST(TranscriptRecorder, GroupsBytesByDirectionSixteenAtATimeWithoutSplittingACharacter) {
    TranscriptLog log;
    vrk::TranscriptRecorder recorder(log);
    recorder.begin({"test", "下传数据", true});
    // One byte a read, as a download reads: 15 letters, then 点 across the 16-byte boundary.
    for (const char byte : std::string("ABCDEFGHIJKLMNO\xB5\xE3\n")) {
        recorder.read(1, 1s, vrk::ReadResult::Ok, std::string_view(&byte, 1), {});
    }
    recorder.sent("\x06");
    recorder.finish({vrk::TransferEnd::Eot, {}, 1, 0, 1, 18, 0});
    const std::string text = log.text();
    const auto after = [&text](std::string_view what) {
        const std::size_t at = text.find(what);
        return at == std::string::npos ? std::string() : text.substr(at, text.find('\n', at) - at);
    };
    EXPECT_EQ(after("RX 41"), "RX 41 42 43 44 45 46 47 48 49 4A 4B 4C 4D 4E 4F  ABCDEFGHIJKLMNO");
    EXPECT_EQ(after("RX B5"), "RX B5 E3 0A  点<LF>");
    EXPECT_EQ(after("TX"), "TX 06  <ACK>");
    EXPECT_EQ(text.find("诊断"), std::string::npos)
        << "a transfer that ended well is not diagnosed";
}

TEST(TranscriptRecorder, APortThatNeverOpenedEndsWithItsOpenMessageAndNoDiagnosis) {
    TranscriptLog log;
    vrk::TranscriptRecorder recorder(log);
    recorder.begin({"test", "下传数据", true});
    recorder.opened({"COM1"}, "/dev/ttyUSB0", true, vrk::OpenResult::CannotSetParams,
                    "设备不支持该波特率。");
    recorder.closed();
    recorder.finish({vrk::TransferEnd::Failed, "设备不支持该波特率。", 0, 0, 0, 0, 0});
    const std::string text = log.text();
    EXPECT_NE(text.find("\n结果:无法设置通讯参数!:设备不支持该波特率。\n"), std::string::npos);
    EXPECT_EQ(text.find("诊断"), std::string::npos)
        << "no cable or instrument advice for a port that never opened";
}

TEST(TranscriptLog, KeepsOnlyTheNewestWholeLinesAndSaysWhatWasDropped) {
    constexpr std::size_t kLimit = 1024;
    TranscriptLog log(kLimit);
    const std::string line(39, 'x');  // 40 bytes with its line break
    for (int i = 0; i < 100; ++i) {
        log.appendLine(std::to_string(100 + i) + line.substr(3));
    }
    const std::string text = log.text();
    const std::string note = "(记录过长:前面 3000 字节已舍弃,以下是其后的部分)\n";
    ASSERT_EQ(text.substr(0, note.size()), note);
    const std::string kept = text.substr(note.size());
    EXPECT_EQ(kept.size(), 25u * 40u);
    EXPECT_EQ(kept.substr(0, 3), "175");
    EXPECT_EQ(kept.substr(kept.size() - 40, 3), "199");

    // A reader whose place was dropped starts again from what is kept.
    const TranscriptLog::Chunk chunk = log.readSince(1, 0);
    EXPECT_TRUE(chunk.restarted);
    EXPECT_EQ(chunk.text, kept);
    log.appendLine("new");
    const TranscriptLog::Chunk next = log.readSince(chunk.generation, chunk.end);
    EXPECT_FALSE(next.restarted);
    EXPECT_EQ(next.text, "new\n");
}

}  // namespace

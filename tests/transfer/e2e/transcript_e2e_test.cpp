// The transcript against the emulated instrument: its TX and RX bytes are exactly what the
// station took from and put on the line, and each misbehaviour the station can show gets its own
// first line of diagnosis in the failure message.

#include <gtest/gtest.h>

#include <sstream>

#include "e2e_harness.h"
#include "link/download.h"
#include "link/upload.h"
#include "sample_data.h"
#include "transcript/traced_transfer.h"

namespace {

using namespace std::chrono_literals;
using e2e::Computer;

using e2e::kStationWait;

// The bytes of every line of one direction, read back from the hex column.
std::string BytesOf(const std::string& transcript, std::string_view direction) {
    std::string bytes;
    std::istringstream lines(transcript);
    std::string line;
    const std::string marker = " " + std::string(direction) + " ";
    while (std::getline(lines, line)) {
        const std::size_t at = line.find(marker);
        if (at == std::string::npos || line.find(" -- ") != std::string::npos) {
            continue;
        }
        const std::size_t end = line.find("  ", at + marker.size());
        std::istringstream hex(line.substr(at + marker.size(), end - at - marker.size()));
        std::string pair;
        while (hex >> pair) {
            bytes += static_cast<char>(std::stoi(pair, nullptr, 16));
        }
    }
    return bytes;
}

class TranscriptE2E : public ::testing::Test {
  protected:
    void start(tssim::Protocol protocol, const tssim::Faults& faults = {}) {
        station = std::make_unique<tssim::TotalStation>(e2e::StationConfig(protocol, faults));
        ASSERT_TRUE(station->open()) << station->error();
        station->setMemory(e2e::SampleMemory());
    }

    vrk::TransferOutcome run(bool download, const vrk::UploadJob& job = {}) {
        computer = std::make_unique<Computer>(station->slavePath(), vrk::kProtocolAckNak, 1);
        auto context = computer->context();
        const vrk::TraceSetup setup{{"test", download ? "下传数据" : "上传坐标", download},
                                    [](const std::string&) { return std::string("pty"); },
                                    "详细记录见 通讯记录",
                                    {}};
        return vrk::RunTraced(context, recorder, setup, [&](vrk::TransferContext& ctx) {
            return download ? vrk::RunDownload(ctx) : vrk::RunUpload(ctx, job);
        });
    }

    // The failure message after the start prompt: text, cause, where to look.
    std::vector<std::string> failureLines() const {
        const auto reports = computer->prompter.reports();
        EXPECT_EQ(reports.size(), 1u);
        std::vector<std::string> lines;
        std::istringstream in(reports.empty() ? std::string() : reports.back());
        for (std::string line; std::getline(in, line);) {
            lines.push_back(line);
        }
        return lines;
    }

    void expectDiagnosis(std::string_view message, std::string_view cause) {
        const auto lines = failureLines();
        ASSERT_EQ(lines.size(), 3u);
        EXPECT_EQ(lines[0], message);
        EXPECT_EQ(lines[1], cause);
        EXPECT_EQ(lines[2], "详细记录见 通讯记录");
        EXPECT_NE(log.text().find("诊断:" + std::string(cause)), std::string::npos);
    }

    vrk::TranscriptLog log;
    vrk::TranscriptRecorder recorder{log};
    std::unique_ptr<tssim::TotalStation> station;
    std::unique_ptr<Computer> computer;
};

TEST_F(TranscriptE2E, DownloadTranscriptHoldsExactlyTheBytesOnTheLine) {
    start(tssim::Protocol::AckNak);
    ASSERT_TRUE(station->startSend(tssim::Content::Coordinates));
    const vrk::TransferOutcome outcome = run(true);
    ASSERT_TRUE(station->waitFinished(kStationWait));
    EXPECT_EQ(outcome.end, vrk::TransferEnd::Eot);

    const auto stats = station->stats();
    const std::string text = log.text();
    EXPECT_EQ(BytesOf(text, "TX"), stats.wireReceived);
    EXPECT_EQ(BytesOf(text, "RX"), stats.wireSent);
    EXPECT_EQ(outcome.lines, stats.linesSent);
    EXPECT_EQ(outcome.bytesSent, stats.wireReceived.size());
    EXPECT_EQ(outcome.bytesReceived, stats.wireSent.size());
}

TEST_F(TranscriptE2E, UploadTranscriptWithRefusalsHoldsExactlyTheBytesOnTheLine) {
    tssim::Faults faults;
    faults.nakFirstAnswers = 2;
    start(tssim::Protocol::AckNak, faults);
    ASSERT_TRUE(station->startReceive());
    const vrk::UploadJob job = vrk::BuildCoordUploadJob(e2e::SampleSurvey());
    const vrk::TransferOutcome outcome = run(false, job);
    ASSERT_TRUE(station->waitFinished(kStationWait));
    EXPECT_EQ(outcome.end, vrk::TransferEnd::Finished);

    const auto stats = station->stats();
    const std::string text = log.text();
    EXPECT_EQ(BytesOf(text, "TX"), stats.wireReceived);
    EXPECT_EQ(BytesOf(text, "RX"), stats.wireSent);
    EXPECT_EQ(outcome.blocks, vrk::CountUploadBlocks(job));
    EXPECT_EQ(outcome.repetitions, stats.naksSent);
    EXPECT_GT(stats.naksSent, 0u);
}

TEST_F(TranscriptE2E, SilentInstrumentIsDiagnosedAsNothingReceived) {
    tssim::Faults faults;
    faults.neverAnswer = true;
    start(tssim::Protocol::AckNak, faults);
    ASSERT_TRUE(station->startReceive());
    const auto outcome = run(false, vrk::BuildCoordUploadJob(e2e::SampleSurvey()));
    EXPECT_EQ(outcome.end, vrk::TransferEnd::TimedOut);
    expectDiagnosis(
        "通讯超时",
        "没有收到全站仪的任何数据:请检查电缆和通讯口,并确认全站仪已进入接收状态、正在等待数据。");
}

TEST_F(TranscriptE2E, ShortRepliesAreDiagnosedAsAProtocolSetting) {
    tssim::Faults faults;
    faults.shortAnswer = true;
    start(tssim::Protocol::AckNak, faults);
    ASSERT_TRUE(station->startReceive());
    const auto outcome = run(false, vrk::BuildCoordUploadJob(e2e::SampleSurvey()));
    EXPECT_EQ(outcome.end, vrk::TransferEnd::TimedOut);
    expectDiagnosis("通讯超时", "全站仪的应答不足 3 个字节:全站仪的通讯协议不是 Ack/Nak。");
}

TEST_F(TranscriptE2E, EndlessRefusalsAreDiagnosedAsARefusedRecord) {
    tssim::Faults faults;
    faults.nakFirstAnswers = 1000;
    start(tssim::Protocol::AckNak, faults);
    ASSERT_TRUE(station->startReceive());
    const auto outcome = run(false, vrk::BuildCoordUploadJob(e2e::SampleSurvey()));
    EXPECT_EQ(outcome.end, vrk::TransferEnd::Failed);
    EXPECT_FALSE(outcome.reason.empty());
    expectDiagnosis("通讯失败", "仪器多次拒收同一记录:请检查全站仪的通讯协议设置或所发送的数据。");
}

TEST_F(TranscriptE2E, HangUpIsDiagnosedAsADisconnectedCable) {
    tssim::Faults faults;
    faults.hangUpAfterLines = 2;
    start(tssim::Protocol::AckNak, faults);
    ASSERT_TRUE(station->startSend(tssim::Content::Coordinates));
    const auto outcome = run(true);
    EXPECT_EQ(outcome.end, vrk::TransferEnd::Failed);
    EXPECT_EQ(outcome.lines, 2u);
    expectDiagnosis("通讯失败", "通讯口中断:电缆或 USB 转换器可能已断开。");
}

TEST_F(TranscriptE2E, GarbledBytesAreDiagnosedAsDifferentLineSettings) {
    tssim::Faults faults;
    faults.garbageBetweenLines = std::string(600, '\xFE');
    faults.silentBeforeEot = true;
    start(tssim::Protocol::AckNak, faults);
    ASSERT_TRUE(station->startSend(tssim::Content::Coordinates));
    const auto outcome = run(true);
    station->stop();
    EXPECT_EQ(outcome.end, vrk::TransferEnd::TimedOut);
    expectDiagnosis("通讯超时", "收到的数据无法识别:波特率、校验位或数据位与全站仪的设置不一致。");
}

}  // namespace

#include <gtest/gtest.h>

#include "e2e_harness.h"
#include "link/upload.h"
#include "sample_data.h"

namespace {

using namespace std::chrono_literals;
using e2e::Computer;

using e2e::kStationWait;
constexpr std::size_t kHeaderFrames = 2;

vrk::UploadJob CoordJob(std::string_view text) {
    return vrk::BuildCoordUploadJob(text);
}
vrk::UploadJob PcodeJob(std::string_view text) {
    return vrk::BuildPcodeUploadJob(text);
}
std::size_t BlockCount(const vrk::UploadJob& job) {
    return vrk::CountUploadBlocks(job);
}

// What the view lists after the first `count` blocks were accepted.
std::string EchoOf(const vrk::UploadJob& job, std::size_t count) {
    std::string echo;
    std::size_t start = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t end = job.uploadBuffer.find('\x02', start);
        echo += job.uploadBuffer.substr(start, end - start) + "\r\n";
        start = end + 1;
    }
    return echo;
}

class UploadE2E : public ::testing::Test {
  protected:
    void start(tssim::Protocol protocol, const tssim::Faults& faults = {}) {
        station = std::make_unique<tssim::TotalStation>(e2e::StationConfig(protocol, faults));
        ASSERT_TRUE(station->open()) << station->error();
        ASSERT_TRUE(station->startReceive()) << station->error();
    }

    void run(const vrk::UploadJob& job, int protocol, int delaySeconds = 10) {
        computer = std::make_unique<Computer>(station->slavePath(), protocol, delaySeconds);
        computer->view.setText("before the upload");
        auto context = computer->context();
        vrk::UploadThreadProc(context, job);
    }

    std::vector<std::string> reports() const { return computer->prompter.reports(); }

    std::unique_ptr<tssim::TotalStation> station;
    std::unique_ptr<Computer> computer;
};

TEST_F(UploadE2E, CoordinatesAreAcceptedFrameByFrameAndStored) {
    const std::string survey = e2e::SampleSurvey();
    const auto job = CoordJob(survey);
    start(tssim::Protocol::AckNak);
    run(job, vrk::kProtocolAckNak);
    ASSERT_TRUE(station->waitFinished(kStationWait));
    EXPECT_EQ(station->outcome(), tssim::Outcome::Completed) << station->outcomeMessage();

    const auto stats = station->stats();
    EXPECT_EQ(stats.headersReceived, kHeaderFrames);
    EXPECT_EQ(stats.recordsAccepted, BlockCount(job));
    EXPECT_EQ(stats.checkFailures, 0u);
    EXPECT_EQ(stats.counterErrors, 0u);
    EXPECT_EQ(stats.framingErrors, 0u);
    EXPECT_TRUE(stats.endFrameReceived);
    EXPECT_EQ(station->memory().points, tssim::parseDelf(survey).points);
    EXPECT_EQ(reports(), std::vector<std::string>{std::string(e2e::kFinished)});
    EXPECT_EQ(computer->view.getText(), EchoOf(job, BlockCount(job)));
    EXPECT_TRUE(e2e::PortIsFree(station->slavePath()));
}

TEST_F(UploadE2E, CodesGoWithoutHeadersAndWithAPauseAfterEachBlock) {
    const std::string codes = e2e::SamplePcode();
    const auto job = PcodeJob(codes);
    start(tssim::Protocol::None);
    run(job, vrk::kProtocolNone);
    ASSERT_TRUE(station->waitFinished(kStationWait));
    EXPECT_EQ(station->outcome(), tssim::Outcome::Completed) << station->outcomeMessage();

    const auto stats = station->stats();
    EXPECT_EQ(stats.headersReceived, 0u);
    EXPECT_EQ(stats.recordsAccepted, BlockCount(job));
    EXPECT_EQ(stats.checkFailures + stats.counterErrors + stats.framingErrors, 0u);
    EXPECT_EQ(stats.acksSent + stats.naksSent, 0u) << "protocol None is not answered";
    EXPECT_EQ(computer->sleeper.pauses, BlockCount(job));
    EXPECT_EQ(station->memory().pcodes, tssim::parsePcode(codes).entries);
    EXPECT_EQ(reports(), std::vector<std::string>{std::string(e2e::kFinished)});
}

TEST_F(UploadE2E, HangUpMidUploadFailsAndListsTheBlocksAccepted) {
    tssim::Faults faults;
    faults.hangUpAfterFrames = kHeaderFrames + 3;  // the last frame is still answered
    const auto job = CoordJob(e2e::SampleSurvey());
    start(tssim::Protocol::AckNak, faults);
    run(job, vrk::kProtocolAckNak, 1000);
    ASSERT_TRUE(station->waitFinished(kStationWait));
    EXPECT_EQ(station->outcome(), tssim::Outcome::HungUp);

    EXPECT_EQ(reports(), std::vector<std::string>{std::string(e2e::kFailed)});
    EXPECT_EQ(computer->view.getText(), EchoOf(job, 3));
    EXPECT_FALSE(station->stats().endFrameReceived);
    EXPECT_FALSE(computer->port->isOpen());
}

TEST_F(UploadE2E, NakStormIsBoundedAndFails) {
    tssim::Faults faults;
    faults.nakFirstAnswers = 1'000'000;
    const auto job = PcodeJob(e2e::SamplePcode());
    start(tssim::Protocol::AckNak, faults);
    run(job, vrk::kProtocolAckNak);
    station->stop();

    EXPECT_EQ(reports(), std::vector<std::string>{std::string(e2e::kFailed)});
    EXPECT_EQ(computer->view.getText(), "") << "cleared before the first block, none accepted";
    const auto stats = station->stats();
    EXPECT_EQ(stats.acksSent, 0u);
    EXPECT_GT(stats.naksSent, 1u);
    EXPECT_FALSE(stats.endFrameReceived);
    EXPECT_TRUE(e2e::PortIsFree(station->slavePath()));
}

TEST_F(UploadE2E, TwoByteAnswerTimesOutAfterTheDelay) {
    tssim::Faults faults;
    faults.shortAnswer = true;
    const auto job = CoordJob(e2e::SampleSurvey());
    start(tssim::Protocol::AckNak, faults);
    run(job, vrk::kProtocolAckNak, 1);
    station->stop();

    EXPECT_EQ(reports(), std::vector<std::string>{std::string(e2e::kTimedOut)});
    EXPECT_EQ(computer->view.getText(), "before the upload") << "a header failed: view unchanged";
    EXPECT_EQ(station->stats().framesReceived, 1u) << "nothing after the first header";
    EXPECT_TRUE(e2e::PortIsFree(station->slavePath()));
}

TEST_F(UploadE2E, SilentInstrumentTimesOut) {
    tssim::Faults faults;
    faults.neverAnswer = true;
    const auto job = PcodeJob(e2e::SamplePcode());
    start(tssim::Protocol::AckNak, faults);
    run(job, vrk::kProtocolAckNak, 1);
    station->stop();

    EXPECT_EQ(reports(), std::vector<std::string>{std::string(e2e::kTimedOut)});
    EXPECT_EQ(computer->view.getText(), "");
    EXPECT_FALSE(station->stats().endFrameReceived);
    EXPECT_TRUE(e2e::PortIsFree(station->slavePath()));
}

}  // namespace

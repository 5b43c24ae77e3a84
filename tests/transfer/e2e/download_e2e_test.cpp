#include <gtest/gtest.h>

#include <thread>

#include "e2e_harness.h"
#include "link/download.h"
#include "sample_data.h"

namespace {

using namespace std::chrono_literals;
using e2e::Computer;

using e2e::kStationWait;

class DownloadE2E : public ::testing::Test {
  protected:
    void start(tssim::Protocol protocol, tssim::Content content = tssim::Content::Coordinates) {
        station = std::make_unique<tssim::TotalStation>(e2e::StationConfig(protocol));
        ASSERT_TRUE(station->open()) << station->error();
        station->setMemory(memory);
        ASSERT_TRUE(station->startSend(content)) << station->error();
    }

    void run(int protocol, int delaySeconds = 10) {
        computer = std::make_unique<Computer>(station->slavePath(), protocol, delaySeconds);
        tssim::TotalStation* instrument = station.get();
        computer->prompter.onStartPrompt = [instrument] { instrument->signalStart(); };
        auto context = computer->context();
        vrk::DownloadThreadProc(context);
    }

    tssim::Memory memory = e2e::SampleMemory();
    std::unique_ptr<tssim::TotalStation> station;
    std::unique_ptr<Computer> computer;
};

TEST_F(DownloadE2E, AckNakDownloadHoldsExactlyTheLinesSent) {
    start(tssim::Protocol::AckNak);
    run(vrk::kProtocolAckNak);
    ASSERT_TRUE(station->waitFinished(kStationWait));
    EXPECT_EQ(station->outcome(), tssim::Outcome::Completed) << station->outcomeMessage();

    const auto lines = station->downloadLines(tssim::Content::Coordinates);
    EXPECT_EQ(computer->view.getText(), e2e::ViewTextOf(lines));
    EXPECT_TRUE(computer->prompter.reports().empty());
    EXPECT_EQ(computer->prompter.messages.front(), e2e::kPromptStationFirst);
    const auto stats = station->stats();
    EXPECT_EQ(stats.enqReceived, 1u);
    EXPECT_EQ(stats.acksReceived, lines.size());
    EXPECT_FALSE(computer->view.readOnly());
    EXPECT_TRUE(e2e::PortIsFree(station->slavePath()));
}

TEST_F(DownloadE2E, NoneDownloadOfCodesHoldsExactlyTheLinesSent) {
    start(tssim::Protocol::None, tssim::Content::Pcode);
    run(vrk::kProtocolNone);
    ASSERT_TRUE(station->waitFinished(kStationWait));
    EXPECT_EQ(station->outcome(), tssim::Outcome::Completed) << station->outcomeMessage();

    EXPECT_EQ(computer->view.getText(),
              e2e::ViewTextOf(station->downloadLines(tssim::Content::Pcode)));
    EXPECT_TRUE(computer->prompter.reports().empty());
    EXPECT_EQ(computer->prompter.messages.front(), e2e::kPromptComputerFirst);
    EXPECT_EQ(station->stats().acksReceived, 0u) << "protocol None acknowledges nothing";
    EXPECT_TRUE(e2e::PortIsFree(station->slavePath()));
}

TEST_F(DownloadE2E, FiveHundredLinesArriveInOrder) {
    // About 2.5 coordinate records fill a line's block; find the count that makes 500 lines.
    std::size_t points = 1240;
    tssim::TotalStation sizing;
    do {
        memory = e2e::ManyPoints(++points);
        sizing.setMemory(memory);
    } while (sizing.downloadLines(tssim::Content::Coordinates).size() < 500);
    start(tssim::Protocol::AckNak);
    run(vrk::kProtocolAckNak);
    ASSERT_TRUE(station->waitFinished(kStationWait));
    const auto lines = station->downloadLines(tssim::Content::Coordinates);
    ASSERT_EQ(lines.size(), 500u);
    EXPECT_EQ(computer->view.getText(), e2e::ViewTextOf(lines));
    EXPECT_EQ(computer->observer.lastLines, 500u);
}

class FaultyDownloadE2E : public DownloadE2E {
  protected:
    void startWith(tssim::Protocol protocol, const tssim::Faults& faults) {
        tssim::Config config = e2e::StationConfig(protocol);
        config.faults = faults;
        station = std::make_unique<tssim::TotalStation>(config);
        ASSERT_TRUE(station->open()) << station->error();
        station->setMemory(memory);
        ASSERT_TRUE(station->startSend(tssim::Content::Coordinates)) << station->error();
    }
};

// The receive delay is long: ending with "通讯失败" rather than "通讯超时" shows the hang-up
// was noticed at once and not waited out.
TEST_F(FaultyDownloadE2E, HangUpKeepsTheLinesSoFarAndFailsAtOnce) {
    tssim::Faults faults;
    faults.hangUpAfterLines = 7;
    startWith(tssim::Protocol::AckNak, faults);
    run(vrk::kProtocolAckNak, 1000);
    ASSERT_TRUE(station->waitFinished(kStationWait));
    EXPECT_EQ(station->outcome(), tssim::Outcome::HungUp);

    auto lines = station->downloadLines(tssim::Content::Coordinates);
    lines.resize(7);
    EXPECT_EQ(computer->view.getText(), e2e::ViewTextOf(lines));
    EXPECT_EQ(computer->prompter.reports(), std::vector<std::string>{std::string(e2e::kFailed)});
    EXPECT_FALSE(computer->view.readOnly());
    EXPECT_FALSE(computer->port->isOpen());
}

TEST_F(FaultyDownloadE2E, InstrumentSilentBeforeEotTimesOutWithEveryLineKept) {
    tssim::Faults faults;
    faults.silentBeforeEot = true;
    startWith(tssim::Protocol::AckNak, faults);
    run(vrk::kProtocolAckNak, 1);
    station->stop();
    EXPECT_EQ(computer->view.getText(),
              e2e::ViewTextOf(station->downloadLines(tssim::Content::Coordinates)));
    EXPECT_EQ(computer->prompter.reports(), std::vector<std::string>{std::string(e2e::kTimedOut)});
    EXPECT_FALSE(computer->view.readOnly());
    EXPECT_TRUE(e2e::PortIsFree(station->slavePath()));
}

TEST_F(FaultyDownloadE2E, InstrumentThatNeverStartsTimesOutWithAnEmptyView) {
    // The station is listening for uploads: it sends nothing, whatever the computer does.
    station = std::make_unique<tssim::TotalStation>(e2e::StationConfig(tssim::Protocol::None));
    ASSERT_TRUE(station->open()) << station->error();
    ASSERT_TRUE(station->startReceive());
    run(vrk::kProtocolNone, 1);
    station->stop();
    EXPECT_EQ(computer->view.getText(), "");
    EXPECT_EQ(computer->prompter.reports(), std::vector<std::string>{std::string(e2e::kTimedOut)});
    EXPECT_FALSE(computer->view.readOnly());
    EXPECT_TRUE(e2e::PortIsFree(station->slavePath()));
}

TEST_F(FaultyDownloadE2E, GarbageBetweenLinesIsStoredAsReceived) {
    tssim::Faults faults;
    faults.garbageBetweenLines = std::string("\x15#?\x7f\xff", 5);
    startWith(tssim::Protocol::AckNak, faults);
    run(vrk::kProtocolAckNak);
    ASSERT_TRUE(station->waitFinished(kStationWait));
    EXPECT_EQ(station->outcome(), tssim::Outcome::Completed) << station->outcomeMessage();

    auto lines = station->downloadLines(tssim::Content::Coordinates);
    for (std::size_t i = 1; i < lines.size(); ++i) {
        lines[i] = faults.garbageBetweenLines + lines[i];
    }
    EXPECT_EQ(computer->view.getText(), e2e::ViewTextOf(lines));
    EXPECT_TRUE(computer->prompter.reports().empty());
}

TEST_F(FaultyDownloadE2E, BusyPortIsRefusedAndTheOtherTransferKeepsIt) {
    start(tssim::Protocol::AckNak);
    vrk::SerialPort holder({station->slavePath(), nullptr});
    vrk::PortParams params;
    params.portName = "COM1";
    ASSERT_EQ(holder.open(params), vrk::OpenResult::Ok);

    run(vrk::kProtocolAckNak, 1);
    EXPECT_EQ(computer->view.getText(), "");
    ASSERT_EQ(computer->prompter.reports().size(), 1u);
    EXPECT_EQ(computer->prompter.reports()[0].rfind(std::string(e2e::kCannotOpen) + "\n", 0), 0u)
        << "the fixed first line, then why";
    EXPECT_FALSE(computer->view.readOnly());
    EXPECT_TRUE(holder.isOpen());
    EXPECT_EQ(station->stats().enqReceived, 0u) << "nothing was sent";
    holder.close();
    EXPECT_TRUE(e2e::PortIsFree(station->slavePath()));
}

// The desktop program runs transfers on a plain worker thread with no event loop of its own.
TEST_F(DownloadE2E, RunsOnAWorkerThreadWithoutAnEventLoop) {
    start(tssim::Protocol::AckNak);
    computer = std::make_unique<Computer>(station->slavePath(), vrk::kProtocolAckNak);
    std::thread worker([this] {
        auto context = computer->context();
        vrk::DownloadThreadProc(context);
    });
    worker.join();
    ASSERT_TRUE(station->waitFinished(kStationWait));
    EXPECT_EQ(computer->view.getText(),
              e2e::ViewTextOf(station->downloadLines(tssim::Content::Coordinates)));
    EXPECT_TRUE(computer->prompter.reports().empty());
}

}  // namespace

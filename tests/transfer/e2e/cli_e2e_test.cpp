#include <gtest/gtest.h>
#include <signal.h>

#include <thread>

#include "cli_run.h"
#include "e2e_harness.h"
#include "sample_data.h"

namespace {

using namespace std::chrono_literals;
using e2e::RunCli;

using e2e::kStationWait;

class CliE2E : public ::testing::Test {
  protected:
    void SetUp() override {
        station = std::make_unique<tssim::TotalStation>(e2e::StationConfig(protocol()));
        ASSERT_TRUE(station->open()) << station->error();
        station->setMemory(e2e::SampleMemory());
    }
    virtual tssim::Protocol protocol() const { return tssim::Protocol::AckNak; }

    e2e::TempDir dir;
    std::unique_ptr<tssim::TotalStation> station;
};

TEST_F(CliE2E, DownloadThroughAnEnvironmentMappedPortWritesTheViewBytes) {
    ASSERT_TRUE(station->startSend(tssim::Content::Coordinates));
    const auto result =
        RunCli(dir, {"download", "--protocol", "acknak", "--yes", "-o", dir.file("survey.txt")},
               {"VRK410_COM1=" + station->slavePath()});
    ASSERT_TRUE(station->waitFinished(kStationWait));
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(e2e::ReadFile(dir.file("survey.txt")),
              e2e::ViewTextOf(station->downloadLines(tssim::Content::Coordinates)));
    EXPECT_NE(result.err.find(e2e::kPromptStationFirst), std::string::npos);
    EXPECT_EQ(result.out, "");
}

TEST_F(CliE2E, DownloadToStandardOutputThroughADevicePath) {
    ASSERT_TRUE(station->startSend(tssim::Content::Pcode));
    const auto result = RunCli(dir, {"download", "--port", station->slavePath(),
                                     "--protocol=acknak", "--baud", "19200", "--yes"});
    ASSERT_TRUE(station->waitFinished(kStationWait));
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, e2e::ViewTextOf(station->downloadLines(tssim::Content::Pcode)));
}

TEST_F(CliE2E, FailedDownloadKeepsWhatArrivedAndExitsOne) {
    tssim::Config config = e2e::StationConfig(tssim::Protocol::AckNak);
    config.faults.silentBeforeEot = true;
    station = std::make_unique<tssim::TotalStation>(config);
    ASSERT_TRUE(station->open());
    station->setMemory(e2e::SampleMemory());
    ASSERT_TRUE(station->startSend(tssim::Content::Pcode));
    const auto result = RunCli(dir, {"download", "--port", station->slavePath(), "--protocol",
                                     "acknak", "--delay", "1", "--yes", "-o", dir.file("p.txt")});
    station->stop();
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find(e2e::kTimedOut), std::string::npos) << result.err;
    EXPECT_EQ(e2e::ReadFile(dir.file("p.txt")),
              e2e::ViewTextOf(station->downloadLines(tssim::Content::Pcode)));
    EXPECT_TRUE(e2e::PortIsFree(station->slavePath()));
}

// Ctrl+C abandons the transfer; pressed again while the program winds up, it must not cost the
// lines received or the transcript.
TEST_F(CliE2E, InterruptsKeepWhatArrivedAndTheTranscript) {
    tssim::Config config = e2e::StationConfig(tssim::Protocol::AckNak);
    config.faults.silentBeforeEot = true;
    station = std::make_unique<tssim::TotalStation>(config);
    ASSERT_TRUE(station->open());
    station->setMemory(e2e::SampleMemory());
    ASSERT_TRUE(station->startSend(tssim::Content::Pcode));
    e2e::Command cli(
        dir, {E2E_CLI_PATH, "download", "--port", station->slavePath(), "--protocol", "acknak",
              "--delay", "60", "--yes", "-o", dir.file("p.txt"), "--trace", dir.file("trace.txt")});
    ASSERT_NE(cli.pid(), 0);
    std::this_thread::sleep_for(2s);  // every line is in; the station stays silent
    ::kill(cli.pid(), SIGINT);
    ::kill(cli.pid(), SIGINT);
    std::this_thread::sleep_for(20ms);
    ::kill(cli.pid(), SIGINT);
    // Most likely while the program winds up, or once it has ended (the pid stays ours until
    // finish() reaps it): neither may cost the exit code.
    std::this_thread::sleep_for(300ms);
    ::kill(cli.pid(), SIGINT);
    const auto result = cli.finish();
    station->stop();
    EXPECT_EQ(result.exitCode, 1) << result.err;
    EXPECT_NE(result.err.find("已中断"), std::string::npos) << result.err;
    EXPECT_EQ(e2e::ReadFile(dir.file("p.txt")),
              e2e::ViewTextOf(station->downloadLines(tssim::Content::Pcode)));
    const std::string trace = e2e::ReadFile(dir.file("trace.txt"));
    EXPECT_NE(trace.find("下传数据"), std::string::npos) << trace;
    EXPECT_TRUE(e2e::PortIsFree(station->slavePath()));
}

TEST_F(CliE2E, CoordinateUploadEndsWithTheFinishedMessage) {
    ASSERT_TRUE(station->startReceive());
    const auto result = RunCli(
        dir, {"upload", "coords", e2e::SamplePath("survey.delf"), "--port", station->slavePath(),
              "--protocol", "acknak", "--yes", "--trace", dir.file("t")});
    ASSERT_TRUE(station->waitFinished(kStationWait));
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.err.find(e2e::kFinished), std::string::npos);
    const std::string trace = e2e::ReadFile(dir.file("t"));
    EXPECT_EQ(trace.rfind("vrk410-cli ", 0), 0u) << trace.substr(0, 200);
    EXPECT_NE(trace.find("\n结果:通讯结束\n"), std::string::npos);
    EXPECT_TRUE(station->stats().endFrameReceived);
    EXPECT_EQ(station->memory().points, tssim::parseDelf(e2e::SampleSurvey()).points);
}

TEST_F(CliE2E, FailedTransferWithoutTracePrintsTheDiagnosis) {
    tssim::Config config = e2e::StationConfig(tssim::Protocol::AckNak);
    config.faults.neverAnswer = true;
    station = std::make_unique<tssim::TotalStation>(config);
    ASSERT_TRUE(station->open());
    ASSERT_TRUE(station->startReceive());
    const auto result =
        RunCli(dir, {"upload", "pcode", e2e::SamplePath("pcode.txt"), "--port",
                     station->slavePath(), "--protocol", "acknak", "--delay", "1", "--yes"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find(std::string(e2e::kTimedOut) + "\n没有收到全站仪的任何数据"),
              std::string::npos)
        << result.err;
    EXPECT_NE(result.err.find("vrk410-cli: 诊断:没有收到全站仪的任何数据"), std::string::npos);
}

// A busy port is refused by the same path; its reason line is checked with vrk410-cli ports.
TEST_F(CliE2E, UploadToAnAbsentPortExitsOneWithTheMessage) {
    const auto result =
        RunCli(dir, {"upload", "pcode", e2e::SamplePath("pcode.txt"), "--port", "COM6", "--yes"},
               {"VRK410_COM6=" + dir.file("no-such-device")});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find(e2e::kCannotOpen), std::string::npos) << result.err;
}

TEST_F(CliE2E, WrongCommandLinesExitTwoWithoutTouchingThePort) {
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"download", "--baud", "110"},
                                               {"download", "--delay", "0"},
                                               {"download", "--delay", "1001"},
                                               {"download", "--parity", "mark"},
                                               {"download", "--data-bits", "9"},
                                               {"upload", "coords"},
                                               {"upload", "points", "x"},
                                               {"upload", "pcode", "a", "b"},
                                               {"download", "extra"},
                                               {"download", "--port"}}) {
        const auto result = RunCli(dir, args);
        EXPECT_EQ(result.exitCode, 2) << args.back();
        EXPECT_NE(result.err.find("用法:"), std::string::npos);
    }
    EXPECT_EQ(RunCli(dir, {"upload", "coords", dir.file("missing.delf"), "--yes"}).exitCode, 1);
}

}  // namespace

// The station on a real pseudo-terminal, driven from the slave side with plain termios.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "check_value.h"
#include "protocol.h"
#include "pty_client.h"
#include "record_writer.h"
#include "total_station.h"

namespace tssim {
namespace {

using std::chrono::milliseconds;
using testing::PtyClient;

constexpr milliseconds kPatience{5000};  // only reached when something is broken
constexpr milliseconds kQuiet{150};      // long enough to be sure nothing more comes

const std::string kEot(1, protocol::kEot);
const std::string kEnq(1, protocol::kEnq);
const std::string kAck(1, protocol::kAck);

Memory sampleMemory() {
    Memory m;
    m.points = {{"\xBF\xD8\xD6\xC6\xB5\xE3\x31", 2210118, 3512406, 48215},  // 控制点1
                {"\xB7\xBF\xBD\xC7\x31\x32", 2639015, 3599023, 50347},      // 房角12
                {"P1", 2300000, 3600000, 0},
                {"K12", -1, -2, -4},
                {"P2", 1, 2, 3},
                {"P3", 4, 5, 6}};
    m.pcodes = {{1, "\xCA\xF7"}, {2, "WALL"}, {50, "ABCDEFGHIJ"}};
    return m;
}

Config fastConfig(Protocol protocol) {
    Config config;
    config.protocol = protocol;
    config.pacing = false;
    return config;
}

std::string joined(const std::vector<std::string>& lines) {
    std::string all;
    for (const auto& line : lines) {
        all += line;
    }
    return all;
}

class StationTest : public ::testing::Test {
  protected:
    void start(Config config) {
        station_ = std::make_unique<TotalStation>(std::move(config));
        ASSERT_TRUE(station_->open()) << station_->error();
        station_->setMemory(sampleMemory());
    }
    std::unique_ptr<PtyClient> connect() {
        auto client = std::make_unique<PtyClient>(station_->slavePath());
        EXPECT_TRUE(client->isOpen());
        return client;
    }
    // Sends one frame and returns the station's answer (what arrives within kQuiet).
    std::string exchangeFrame(PtyClient& client, const std::string& payload,
                              milliseconds patience = kPatience) {
        EXPECT_TRUE(client.write(frame(payload)));
        std::string answer;
        client.readCount(answer, 3, patience);
        return answer;
    }
    void uploadBlocks(PtyClient& client, const std::vector<std::string>& blocks, bool headers) {
        if (headers) {
            EXPECT_EQ(exchangeFrame(client, std::string(protocol::kHeaderJob))[0], protocol::kAck);
            EXPECT_EQ(exchangeFrame(client, std::string(protocol::kHeaderSite))[0], protocol::kAck);
        }
        int counter = 0;
        for (const auto& block : blocks) {
            EXPECT_EQ(exchangeFrame(client, dataRecord(block, counter++))[0], protocol::kAck);
        }
        EXPECT_TRUE(client.write(frame(kEot)));
    }
    std::unique_ptr<TotalStation> station_;
};

TEST_F(StationTest, ProtocolNoneDownloadSendsEveryLineThenEotAfterTheStartSignal) {
    start(fastConfig(Protocol::None));
    ASSERT_TRUE(station_->startSend(Content::Coordinates));
    auto client = connect();
    std::string early;
    EXPECT_FALSE(client->readCount(early, 1, kQuiet)) << "sent before the start signal";
    station_->signalStart();
    std::string received;
    ASSERT_TRUE(client->readUntil(received, protocol::kEot, kPatience));
    const auto lines = station_->downloadLines(Content::Coordinates);
    EXPECT_EQ(received, joined(lines) + kEot);
    ASSERT_TRUE(station_->waitFinished(kPatience));
    EXPECT_EQ(station_->outcome(), Outcome::Completed);
    EXPECT_EQ(station_->stats().linesSent, lines.size());
    EXPECT_EQ(station_->stats().bytesSent, received.size());
}

TEST_F(StationTest, AckNakDownloadWaitsForEnqAndForTheAckOfEachLine) {
    start(fastConfig(Protocol::AckNak));
    ASSERT_TRUE(station_->startSend(Content::Pcode));
    auto client = connect();
    station_->signalStart();  // means nothing for Ack/Nak
    std::string bytes;
    EXPECT_FALSE(client->readCount(bytes, 1, kQuiet)) << "sent before ENQ";
    ASSERT_TRUE(client->write(kEnq));
    const auto lines = station_->downloadLines(Content::Pcode);
    ASSERT_GE(lines.size(), 1u);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string line;
        ASSERT_TRUE(client->readUntil(line, protocol::kLf, kPatience));
        EXPECT_EQ(line, lines[i]);
        std::string more;
        EXPECT_FALSE(client->readCount(more, 1, i == 0 ? kQuiet : milliseconds(0)))
            << "line " << i + 2 << " came before the ACK";
        ASSERT_TRUE(client->write(kAck));
    }
    std::string end;
    ASSERT_TRUE(client->readCount(end, 1, kPatience));
    EXPECT_EQ(end, kEot);
    ASSERT_TRUE(station_->waitFinished(kPatience));
    EXPECT_EQ(station_->outcome(), Outcome::Completed);
    EXPECT_EQ(station_->stats().acksReceived, lines.size());
    EXPECT_EQ(station_->stats().enqReceived, 1u);
}

TEST_F(StationTest, AckNakDownloadGivesUpWhenTheAckNeverComes) {
    Config config = fastConfig(Protocol::AckNak);
    config.ackTimeout = milliseconds(200);
    start(config);
    ASSERT_TRUE(station_->startSend(Content::Coordinates));
    auto client = connect();
    ASSERT_TRUE(client->write(kEnq));
    std::string line;
    ASSERT_TRUE(client->readUntil(line, protocol::kLf, kPatience));
    ASSERT_TRUE(station_->waitFinished(kPatience));
    EXPECT_EQ(station_->outcome(), Outcome::TimedOut);
    EXPECT_EQ(station_->stats().linesSent, 1u);
    std::string more;
    EXPECT_FALSE(client->readCount(more, 1, kQuiet)) << "no EOT after giving up";
}

TEST_F(StationTest, AckNakCoordinateUploadIsVerifiedAndReplacesThePoints) {
    start(fastConfig(Protocol::AckNak));
    ASSERT_TRUE(station_->startReceive());
    auto client = connect();
    Memory uploaded;
    for (int i = 0; i < 30; ++i) {  // 12 blocks: the counter digit wraps
        uploaded.points.push_back({"U" + std::to_string(i), 1000 * i, -7 * i, i});
    }
    const auto blocks = memoryBlocks(uploaded, Content::Coordinates);
    ASSERT_GT(blocks.size(), 10u);
    uploadBlocks(*client, blocks, true);
    ASSERT_TRUE(station_->waitFinished(kPatience));
    EXPECT_EQ(station_->outcome(), Outcome::Completed);
    const Stats s = station_->stats();
    EXPECT_EQ(s.framesReceived, blocks.size() + 3);
    EXPECT_EQ(s.recordsAccepted, blocks.size());
    EXPECT_EQ(s.checkFailures, 0u);
    EXPECT_EQ(s.counterErrors, 0u);
    EXPECT_EQ(s.acksSent, blocks.size() + 2);
    EXPECT_EQ(station_->receivedBlocks(), blocks);
    EXPECT_EQ(station_->memory().points, uploaded.points);
    EXPECT_EQ(station_->memory().pcodes, sampleMemory().pcodes);
}

TEST_F(StationTest, CheckFailureIsAnsweredWithNakAndTheResendWithAck) {
    start(fastConfig(Protocol::AckNak));
    ASSERT_TRUE(station_->startReceive());
    auto client = connect();
    const auto blocks = memoryBlocks(sampleMemory(), Content::Pcode);
    std::string corrupted = dataRecord(blocks[0], 0);
    corrupted[3] ^= 0x01;
    const std::string nak = exchangeFrame(*client, corrupted);
    ASSERT_EQ(nak.size(), 3u);
    EXPECT_EQ(nak[0], protocol::kNak);
    uploadBlocks(*client, blocks, false);
    ASSERT_TRUE(station_->waitFinished(kPatience));
    EXPECT_EQ(station_->stats().checkFailures, 1u);
    EXPECT_EQ(station_->stats().naksSent, 1u);
    EXPECT_EQ(station_->stats().counterErrors, 0u);
    EXPECT_EQ(station_->memory().pcodes, sampleMemory().pcodes);
    EXPECT_FALSE(station_->frames().front().checkOk);
}

TEST_F(StationTest, ShortAnswerLeavesTheComputerWaitingForTheThirdByte) {
    Config config = fastConfig(Protocol::AckNak);
    config.faults.shortAnswer = true;
    start(config);
    ASSERT_TRUE(station_->startReceive());
    auto client = connect();
    const std::string answer = exchangeFrame(*client, std::string(protocol::kHeaderJob), kQuiet);
    EXPECT_EQ(answer.size(), 2u);
}

TEST_F(StationTest, HangUpAfterLinesClosesTheLineAfterExactlyThoseLines) {
    Config config = fastConfig(Protocol::None);
    config.faults.hangUpAfterLines = 2;
    start(config);
    Memory big;
    big.points.assign(20, Point{"P", 1, 2, 3});
    station_->setMemory(big);
    ASSERT_TRUE(station_->startSend(Content::Coordinates));
    auto client = connect();
    station_->signalStart();
    std::string received;
    EXPECT_FALSE(client->readUntil(received, protocol::kEot, kPatience));
    EXPECT_TRUE(client->hungUp());
    const auto lines = station_->downloadLines(Content::Coordinates);
    EXPECT_EQ(received, lines[0] + lines[1]);
    ASSERT_TRUE(station_->waitFinished(kPatience));
    EXPECT_EQ(station_->outcome(), Outcome::HungUp);
    EXPECT_FALSE(station_->startSend(Content::Coordinates));
}

TEST_F(StationTest, GarbageBetweenLinesAndSilenceBeforeEot) {
    Config config = fastConfig(Protocol::None);
    config.faults.garbageBetweenLines = "\xFF#\x7F";
    config.faults.silentBeforeEot = true;
    start(config);
    ASSERT_TRUE(station_->startSend(Content::Coordinates));
    auto client = connect();
    station_->signalStart();
    const auto lines = station_->downloadLines(Content::Coordinates);
    ASSERT_GE(lines.size(), 2u);
    std::string expected = lines[0];
    for (std::size_t i = 1; i < lines.size(); ++i) {
        expected += config.faults.garbageBetweenLines + lines[i];
    }
    std::string received;
    client->readCount(received, expected.size(), kPatience);
    EXPECT_EQ(received, expected);
    std::string more;
    EXPECT_FALSE(client->readCount(more, 1, kQuiet)) << "EOT despite the silence fault";
    EXPECT_FALSE(station_->waitFinished(milliseconds(0)));
    station_->stop();
    EXPECT_EQ(station_->outcome(), Outcome::Silent);
}

TEST_F(StationTest, HangUpAfterFramesAnswersTheLastFrameFirst) {
    Config config = fastConfig(Protocol::AckNak);
    config.faults.hangUpAfterFrames = 2;
    start(config);
    ASSERT_TRUE(station_->startReceive());
    auto client = connect();
    EXPECT_EQ(exchangeFrame(*client, std::string(protocol::kHeaderJob))[0], protocol::kAck);
    EXPECT_EQ(exchangeFrame(*client, std::string(protocol::kHeaderSite))[0], protocol::kAck);
    ASSERT_TRUE(station_->waitFinished(kPatience));
    EXPECT_EQ(station_->outcome(), Outcome::HungUp);
    std::string bytes;
    EXPECT_FALSE(client->readCount(bytes, 1, kPatience));
    EXPECT_TRUE(client->hungUp());
    EXPECT_EQ(station_->memory(), sampleMemory()) << "an aborted upload must not be stored";
}

TEST(StationLink, NeverReplacesAFileThatIsNotALink) {
    const auto path =
        std::filesystem::temp_directory_path() / ("tssim-test-file-" + std::to_string(::getpid()));
    { std::ofstream(path) << "keep me"; }
    {
        TotalStation station;
        EXPECT_FALSE(station.open(path.string()));
        EXPECT_NE(station.error().find(path.string()), std::string::npos);
    }
    std::ifstream in(path);
    std::string content;
    std::getline(in, content);
    EXPECT_EQ(content, "keep me");
    std::filesystem::remove(path);
}

TEST_F(StationTest, HangUpOnDemandEndsAWaitingUpload) {
    start(fastConfig(Protocol::AckNak));
    ASSERT_TRUE(station_->startReceive());
    auto client = connect();
    station_->hangUp();
    EXPECT_EQ(station_->outcome(), Outcome::HungUp);
    std::string bytes;
    EXPECT_FALSE(client->readCount(bytes, 1, kPatience));
    EXPECT_TRUE(client->hungUp());
}

TEST_F(StationTest, OnePtyServesAnUploadThenADownloadOfWhatWasUploaded) {
    const auto link =
        std::filesystem::temp_directory_path() / ("tssim-test-link-" + std::to_string(::getpid()));
    {
        TotalStation station(fastConfig(Protocol::AckNak));
        ASSERT_TRUE(station.open(link.string())) << station.error();
        EXPECT_EQ(std::filesystem::read_symlink(link), station.slavePath());
        Memory uploaded;
        uploaded.pcodes = {{3, "\xCA\xF7"}, {4, "NEW"}};
        // An answer the computer never read must not reach the next exchange.
        ASSERT_TRUE(station.startReceive());
        {
            PtyClient abandoned(link.string());
            ASSERT_TRUE(abandoned.write(frame(std::string(protocol::kHeaderJob))));
            for (int i = 0; i < 500 && station.stats().acksSent == 0; ++i) {
                std::this_thread::sleep_for(milliseconds(10));
            }
            ASSERT_EQ(station.stats().acksSent, 1u);
        }
        station.stop();
        ASSERT_TRUE(station.startReceive());
        {
            PtyClient client(link.string());
            ASSERT_TRUE(client.isOpen());
            uploadBlocks(client, memoryBlocks(uploaded, Content::Pcode), false);
            ASSERT_TRUE(station.waitFinished(kPatience));
        }
        EXPECT_EQ(station.memory().pcodes, uploaded.pcodes);
        ASSERT_TRUE(station.startSend(Content::Pcode));
        PtyClient client(link.string());
        ASSERT_TRUE(client.write(kEnq));
        std::string line;
        ASSERT_TRUE(client.readUntil(line, protocol::kLf, kPatience));
        EXPECT_EQ(line, downloadLines(uploaded, Content::Pcode)[0]);
    }
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
}

TEST_F(StationTest, AutoServingFollowsWhateverTheComputerStarts) {
    start(fastConfig(Protocol::Auto));
    const auto lines = station_->downloadLines(Content::Pcode);
    {  // ENQ: an Ack/Nak download
        ASSERT_TRUE(station_->startServing(Content::Pcode));
        auto client = connect();
        ASSERT_TRUE(client->write(kEnq));
        for (const auto& expected : lines) {
            std::string line;
            ASSERT_TRUE(client->readUntil(line, protocol::kLf, kPatience));
            EXPECT_EQ(line, expected);
            ASSERT_TRUE(client->write(kAck));
        }
        ASSERT_TRUE(station_->waitFinished(kPatience));
        EXPECT_EQ(station_->outcome(), Outcome::Completed);
    }
    {  // the start key: a protocol-None download
        ASSERT_TRUE(station_->startServing(Content::Pcode));
        auto client = connect();
        station_->signalStart();
        std::string received;
        ASSERT_TRUE(client->readUntil(received, protocol::kEot, kPatience));
        EXPECT_EQ(received, joined(lines) + kEot);
        ASSERT_TRUE(station_->waitFinished(kPatience));
    }
    {  // frames from a computer that never reads answers: a protocol-None upload
        ASSERT_TRUE(station_->startServing(Content::Pcode));
        auto client = connect();
        Memory uploaded;
        uploaded.points = {{"N1", 1, 2, 3}, {"N2", 4, 5, 6}};
        ASSERT_TRUE(client->write(frame(protocol::kHeaderJob)));
        // Give the station time to answer, as the computer's 400 ms pause would.
        for (int i = 0; i < 500 && station_->stats().acksSent == 0; ++i) {
            std::this_thread::sleep_for(milliseconds(10));
        }
        std::this_thread::sleep_for(milliseconds(100));
        ASSERT_TRUE(client->write(frame(protocol::kHeaderSite)));
        int counter = 0;
        for (const auto& block : memoryBlocks(uploaded, Content::Coordinates)) {
            ASSERT_TRUE(client->write(frame(dataRecord(block, counter++))));
        }
        ASSERT_TRUE(client->write(frame(kEot)));
        ASSERT_TRUE(station_->waitFinished(kPatience));
        EXPECT_EQ(station_->outcome(), Outcome::Completed);
        EXPECT_EQ(station_->memory().points, uploaded.points);
        EXPECT_GE(station_->stats().acksSent, 1u);
        EXPECT_LE(station_->stats().acksSent, 2u);  // one more only on a very slow machine
        std::string leftover;
        EXPECT_FALSE(client->readCount(leftover, 1, kQuiet)) << "answers left on the line";
    }
}

}  // namespace
}  // namespace tssim

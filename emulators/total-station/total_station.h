#pragma once

// The emulated total station: the instrument's side of the serial line, on the master side of
// a pseudo-terminal, serving one exchange at a time in a background thread.
//
// Typical use from a test (plain C++, no Qt needed):
//
//     tssim::Config config;
//     config.protocol = tssim::Protocol::AckNak;
//     config.pacing = false;                      // protocol None only: no line-time pauses
//     tssim::TotalStation station(config);
//     ASSERT_TRUE(station.open()) << station.error();
//     station.setMemory(memory);  // points/PCODE entries; parseDelf(), parsePcode() read files
//
//     // Download (the computer receives):
//     ASSERT_TRUE(station.startSend(tssim::Content::Coordinates));
//     ... open station.slavePath() as the port and run the download; with protocol None call
//     station.signalStart() once the port is open and reading (e.g. when the prompt is
//     answered) ...
//     ASSERT_TRUE(station.waitFinished(std::chrono::seconds(5)));
//     EXPECT_EQ(station.outcome(), tssim::Outcome::Completed);
//     // station.downloadLines(content) are the exact bytes put on the line, line by line.
//
//     // Upload (the computer sends):
//     ASSERT_TRUE(station.startReceive());
//     ... run the upload on station.slavePath() ...
//     ASSERT_TRUE(station.waitFinished(std::chrono::seconds(5)));
//     station.stats();           // frames, check failures, counter errors, ACK/NAK sent ...
//     station.frames();          // every frame as received, with the verdict and answer
//     station.memory();          // replaced by a completed upload
//
// startServing(content) waits for whatever the computer starts (ENQ, an upload, or with
// protocol None/Auto the start signal); with Protocol::Auto the station also follows the
// computer's protocol, as the tssim program does for people.
//
// Start the exchange before the computer opens the port and talks: startSend()/startReceive()
// drop whatever the station wrote earlier and nobody read, so stale answers never reach the
// next exchange. The pty stays usable between exchanges (the station keeps its own handle on
// the slave side), so one station can serve a download, an upload and a download again.
// hangUp() closes the master side at once, like a pulled cable; the station is then finished
// (open() again gives a new pty). Faults are switched on through Config::faults (see
// station_config.h); the hang-up faults first wait until the computer has read what was sent,
// so the lines or answers it got before the hang-up are an exact number.

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "memory.h"
#include "station_config.h"
#include "station_stats.h"

namespace tssim {

class TotalStation {
  public:
    explicit TotalStation(Config config = {});
    ~TotalStation();  // stops the exchange, closes the pty, removes the link
    TotalStation(const TotalStation&) = delete;
    TotalStation& operator=(const TotalStation&) = delete;

    // Opens the pty pair; with a link path also keeps a symlink to the slave there (an
    // existing symlink is replaced, any other file is left alone and open() fails).
    bool open(const std::string& linkPath = {});
    const std::string& slavePath() const;
    const std::string& error() const;  // why the last call answered false

    void setMemory(Memory memory);
    Memory memory() const;
    // The lines a download of `content` puts on the line, each STX block digit check ETX CR LF.
    std::vector<std::string> downloadLines(Content content) const;

    bool startSend(Content content);
    bool startReceive();
    // Whatever the computer starts: ENQ (Ack/Nak download of `content`), an upload, or, with
    // protocol None or Auto, signalStart() (protocol-None download).
    bool startServing(Content content);
    // Protocol None download: the press of Enter on the instrument. May come before the
    // exchange is waiting for it, but not before startSend().
    void signalStart();
    // False when the exchange is still running after `timeout`.
    bool waitFinished(std::chrono::milliseconds timeout);
    bool running() const;
    // Ends the running exchange (Outcome::Stopped) and waits for its thread.
    void stop();
    // Closes the master side now, during an exchange or between exchanges.
    void hangUp();

    Outcome outcome() const;
    std::string outcomeMessage() const;  // what ended the exchange, for people
    Stats stats() const;                 // of the current or last exchange
    std::vector<FrameRecord> frames() const;
    // The blocks of the data records accepted by the last upload, in order.
    std::vector<std::string> receivedBlocks() const;

  private:
    bool start(Content content, bool download, bool upload);

    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace tssim

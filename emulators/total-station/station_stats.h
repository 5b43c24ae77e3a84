#pragma once

#include <cstddef>
#include <string>

namespace tssim {

enum class Outcome {
    Idle,       // no exchange started yet
    Running,    // an exchange is in progress
    Completed,  // download: EOT sent; upload: end frame received
    TimedOut,   // Ack/Nak download: no ENQ or no ACK in time
    HungUp,     // the master side was closed (hang-up fault or hangUp())
    Silent,     // download with silentBeforeEot: all lines sent, then stopped by stop()
    Stopped,    // stop() ended the exchange
    Failed,     // an I/O error on the master side
};

const char* toString(Outcome outcome);

struct Stats {
    // Upload (instrument receives)
    std::size_t framesReceived = 0;  // every complete frame: headers, data, end, resends
    std::size_t headersReceived = 0;
    std::size_t recordsAccepted = 0;  // data records with a good check value
    std::size_t checkFailures = 0;
    std::size_t counterErrors = 0;  // accepted records whose digit broke the sequence
    std::size_t framingErrors = 0;  // stray bytes outside frames, bad trailers, overlong frames
    std::size_t acksSent = 0;
    std::size_t naksSent = 0;
    bool endFrameReceived = false;
    // Download (instrument sends)
    std::size_t enqReceived = 0;
    std::size_t acksReceived = 0;
    std::size_t linesSent = 0;
    // Both
    std::size_t bytesSent = 0;
    std::size_t bytesReceived = 0;
    // Every byte the station put on the line and took from it, in order, so a test can hold
    // the computer's own record of the exchange against it.
    std::string wireSent;
    std::string wireReceived;
};

enum class FrameKind { Header, Data, End, Malformed };

// A frame as the station received it during an upload.
struct FrameRecord {
    FrameKind kind = FrameKind::Malformed;
    std::string payload;     // the bytes between STX and ETX
    bool checkOk = false;    // Data: the check value matches
    bool counterOk = false;  // Data: the counter digit is the one expected
    char answer = 0;         // first byte answered (ACK, NAK), 0 when nothing was sent
};

// One line per figure that is not zero, for people.
std::string describe(const Stats& stats);

}  // namespace tssim

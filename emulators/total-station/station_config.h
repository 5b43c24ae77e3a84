#pragma once

#include <chrono>
#include <functional>
#include <string>

namespace tssim {

// Auto follows the computer, for people who set the protocol only in the office program: a
// download with ENQ is Ack/Nak, one started by the start signal is None; an upload is answered
// until the computer shows that it does not read the answers.
enum class Protocol { None, AckNak, Auto };

// What a download sends out of the memory.
enum class Content { Coordinates, Pcode };

// Each member is one misbehaviour of a real instrument or cable; all are off by default and
// all are deterministic, so a test that switches one on sees the same bytes on every run.
struct Faults {
    // Upload: answer each frame with NAK this many times before the ACK (a large number makes
    // a NAK storm). Counted per frame, so a resent frame meets the same treatment.
    int nakFirstAnswers = 0;
    // Upload: answer with ACK and one byte only, so the computer waits for a third byte.
    bool shortAnswer = false;
    // Upload: read every frame but never answer.
    bool neverAnswer = false;
    // Download: close the master side after this many lines (negative: never).
    int hangUpAfterLines = -1;
    // Upload: close the master side after this many received frames, headers and resends
    // included (negative: never). The last frame is still answered.
    int hangUpAfterFrames = -1;
    // Download: these bytes are written between two lines (after a line's LF, before the next
    // STX). Empty: none. Bytes LF and EOT are the receiver's own delimiters; they are sent as
    // given, so a test can use them on purpose.
    std::string garbageBetweenLines;
    // Download: send every line, then neither EOT nor anything else until stopped.
    bool silentBeforeEot = false;
    // Download: added to the gap after every line (slow pacing), protocol None and Ack/Nak.
    std::chrono::milliseconds extraLineGap{0};
    // Upload with Ack/Nak: wait this long before answering a frame.
    std::chrono::milliseconds answerDelay{0};
};

struct Config {
    Protocol protocol = Protocol::None;
    // Only used to pace a protocol-None download the way a real line would (a pty has no
    // baud rate of its own).
    int baud = 1200;
    // Protocol None download: wait the line time at `baud` plus `lineGap` after each line.
    // Tests switch this off.
    bool pacing = true;
    std::chrono::milliseconds lineGap{50};
    // Ack/Nak download: how long to wait for the ACK of a line before giving up.
    std::chrono::milliseconds ackTimeout{10000};
    // Ack/Nak download: how long to wait for the ENQ that starts it (zero: no limit).
    std::chrono::milliseconds enqTimeout{0};
    Faults faults;
    // Progress and summary lines, called from the exchange thread. Empty: silent.
    std::function<void(const std::string&)> log;
};

}  // namespace tssim

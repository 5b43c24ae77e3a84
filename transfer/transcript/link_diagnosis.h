#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace vrk {

// What the transcript shows about the line, gathered while it is written.
struct LinkObservations {
    bool download = false;
    std::size_t bytesReceived = 0;
    std::size_t highBitBytesReceived = 0;
    std::size_t longestRunWithoutLf = 0;  // received bytes in a row with no LF among them
    std::size_t shortReplies = 0;         // replies that stopped at one or two bytes
    std::size_t mostRefusalsOfOneFrame = 0;
    bool portFailed = false;  // a read, write or drain failed: the line went away
    bool portOpened = false;
};

// Why a transfer that failed or timed out probably did, most specific first, one plain Chinese
// sentence each; empty when the transcript shows nothing telling. A port that never opened saw
// nothing of the line: its own reason, already in the open message, is all there is to say.
std::vector<std::string> Diagnose(const LinkObservations& seen);

}  // namespace vrk

#pragma once

#include <cstddef>
#include <string>

namespace vrk {

// How a transfer ended. Callers decide success on this, never on the text of a message.
enum class TransferEnd {
    Eot,        // download: the instrument sent EOT
    Finished,   // upload: the end frame went out
    TimedOut,   // "通讯超时" was shown
    Failed,     // "通讯失败" or an open message was shown
    Abandoned,  // the program quit or the user interrupted; nothing was shown
};

struct TransferOutcome {
    TransferEnd end = TransferEnd::Failed;
    std::string reason;      // for Failed: what the port or the protocol says went wrong, if known
    std::size_t lines = 0;   // download: lines shown
    std::size_t blocks = 0;  // upload: blocks the instrument accepted
    std::size_t bytesSent = 0;
    std::size_t bytesReceived = 0;
    std::size_t repetitions = 0;  // frames sent again after a reply other than ACK

    bool succeeded() const { return end == TransferEnd::Eot || end == TransferEnd::Finished; }
};

}  // namespace vrk

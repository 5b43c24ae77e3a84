#include "station_stats.h"

#include <utility>
#include <vector>

namespace tssim {

const char* toString(Outcome outcome) {
    switch (outcome) {
        case Outcome::Idle:
            return "idle";
        case Outcome::Running:
            return "running";
        case Outcome::Completed:
            return "completed";
        case Outcome::TimedOut:
            return "timed out";
        case Outcome::HungUp:
            return "hung up";
        case Outcome::Silent:
            return "fell silent";
        case Outcome::Stopped:
            return "stopped";
        case Outcome::Failed:
            return "failed";
    }
    return "unknown";
}

std::string describe(const Stats& s) {
    const std::vector<std::pair<const char*, std::size_t>> figures = {
        {"frames received", s.framesReceived},
        {"headers", s.headersReceived},
        {"records accepted", s.recordsAccepted},
        {"check failures", s.checkFailures},
        {"counter errors", s.counterErrors},
        {"framing errors", s.framingErrors},
        {"ACK sent", s.acksSent},
        {"NAK sent", s.naksSent},
        {"ENQ received", s.enqReceived},
        {"ACK received", s.acksReceived},
        {"lines sent", s.linesSent},
        {"bytes sent", s.bytesSent},
        {"bytes received", s.bytesReceived},
    };
    std::string text;
    for (const auto& [label, value] : figures) {
        if (value != 0) {
            text += std::string(label) + ": " + std::to_string(value) + "\n";
        }
    }
    if (s.endFrameReceived) {
        text += "end frame received\n";
    }
    return text;
}

}  // namespace tssim

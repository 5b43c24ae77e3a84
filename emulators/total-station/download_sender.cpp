#include "download_sender.h"

#include "protocol.h"

namespace tssim {
namespace {

using Io = PtyChannel::Io;
using std::chrono::milliseconds;

// Before a hang-up the computer gets this long to read what was sent, so that "lines so far"
// is a fixed number; a real cable would have delivered them.
constexpr milliseconds kDeliveryWait{2000};

std::chrono::nanoseconds lineTime(std::size_t bytes, int baud) {
    const auto bits = static_cast<long long>(bytes) * protocol::kBitsPerByte;
    return std::chrono::nanoseconds(bits * 1'000'000'000LL / (baud > 0 ? baud : 1200));
}

class Sender {
  public:
    Sender(ExchangeLink& link, const std::vector<std::string>& lines, Protocol protocol)
        : link_(link),
          config_(link.config()),
          lines_(lines),
          ackNak_(protocol == Protocol::AckNak) {}

    ExchangeEnd run(bool started) {
        if (started) {
            link_.count([this](Stats& s) { s.enqReceived += ackNak_ ? 1 : 0; });
        } else if (ackNak_) {
            link_.log("waiting for ENQ from the computer");
            if (const Io io = awaitByte(protocol::kEnq, config_.enqTimeout); io != Io::Ok) {
                return link_.ioEnd(io, "waiting for ENQ");
            }
            link_.count([](Stats& s) { ++s.enqReceived; });
        } else {
            link_.log("waiting for the start signal");
            if (link_.waitForStart() != Io::Ok) {
                return link_.interrupted();
            }
        }
        link_.log("sending " + std::to_string(lines_.size()) + " lines");
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            if (auto end = sendLine(i)) {
                return *end;
            }
        }
        if (config_.faults.silentBeforeEot) {
            link_.log("all lines sent; falling silent instead of sending EOT");
            link_.idle();
            ExchangeEnd end = link_.interrupted();
            if (end.outcome == Outcome::Stopped) {
                end = {Outcome::Silent, "fell silent before EOT"};
            }
            return end;
        }
        const std::string eot(1, protocol::kEot);
        if (const Io io = link_.write(eot); io != Io::Ok) {
            return link_.ioEnd(io, "sending EOT");
        }
        return {Outcome::Completed, "sent " + std::to_string(lines_.size()) + " lines and EOT"};
    }

  private:
    std::optional<ExchangeEnd> sendLine(std::size_t i) {
        const std::string where = "at line " + std::to_string(i + 1);
        if (const Io io = link_.write(lines_[i]); io != Io::Ok) {
            return link_.ioEnd(io, where);
        }
        link_.count([](Stats& s) { ++s.linesSent; });
        if (ackNak_) {
            if (const Io io = awaitByte(protocol::kAck, config_.ackTimeout); io != Io::Ok) {
                return link_.ioEnd(io, "waiting for the ACK of line " + std::to_string(i + 1));
            }
            link_.count([](Stats& s) { ++s.acksReceived; });
        }
        if (static_cast<long long>(i + 1) == config_.faults.hangUpAfterLines) {
            link_.waitUntilRead(kDeliveryWait);
            link_.hangUpNow();
            return ExchangeEnd{Outcome::HungUp,
                               "hung up after " + std::to_string(i + 1) + " lines"};
        }
        std::chrono::nanoseconds gap = config_.faults.extraLineGap;
        if (!ackNak_ && config_.pacing) {
            gap += lineTime(lines_[i].size(), config_.baud) + config_.lineGap;
        }
        if (gap > std::chrono::nanoseconds::zero() && link_.pause(gap) != Io::Ok) {
            return link_.interrupted();
        }
        if (i + 1 < lines_.size() && !config_.faults.garbageBetweenLines.empty()) {
            if (const Io io = link_.write(config_.faults.garbageBetweenLines); io != Io::Ok) {
                return link_.ioEnd(io, where);
            }
        }
        if (config_.log) {
            link_.log("line " + std::to_string(i + 1) + "/" + std::to_string(lines_.size()) +
                      " sent");
        }
        return std::nullopt;
    }

    // Bytes before the awaited one are the computer's business (a stray key, line noise).
    Io awaitByte(char wanted, milliseconds timeout) {
        const auto deadline = timeout > milliseconds::zero()
                                  ? std::optional(PtyChannel::Clock::now() + timeout)
                                  : std::nullopt;
        while (true) {
            const std::size_t at = pending_.find(wanted);
            if (at != std::string::npos) {
                pending_.erase(0, at + 1);
                return Io::Ok;
            }
            pending_.clear();
            if (const Io io = link_.read(pending_, deadline); io != Io::Ok) {
                return io;
            }
        }
    }

    ExchangeLink& link_;
    const Config& config_;
    const std::vector<std::string>& lines_;
    bool ackNak_;
    std::string pending_;
};

}  // namespace

ExchangeEnd runDownload(ExchangeLink& link, const std::vector<std::string>& lines,
                        Protocol protocol, bool started) {
    return Sender(link, lines, protocol).run(started);
}

}  // namespace tssim

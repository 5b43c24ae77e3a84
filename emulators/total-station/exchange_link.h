#pragma once

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "pty_channel.h"
#include "station_config.h"
#include "station_stats.h"

namespace tssim {

// Requests from the controlling thread to a running exchange.
struct ExchangeControl {
    std::atomic<bool> stop{false};
    std::atomic<bool> hangUp{false};
    std::atomic<bool> start{false};
};

struct ExchangeEnd {
    Outcome outcome = Outcome::Completed;
    std::string message;
};

// What one exchange uses of the station: the channel with waits that only stop() and
// hangUp() cut short, byte counting, and the log.
class ExchangeLink {
  public:
    using StatsUpdate = std::function<void(const std::function<void(Stats&)>&)>;

    ExchangeLink(PtyChannel& channel, ExchangeControl& control, const Config& config,
                 StatsUpdate update);

    const Config& config() const { return config_; }
    void log(const std::string& line) const;
    void count(const std::function<void(Stats&)>& change) const { update_(change); }

    // Ok, Timeout, Closed or Error; an interruption by stop() or hangUp() gives Woken, after
    // which interrupted() tells how the exchange ends.
    PtyChannel::Io read(std::string& out, std::optional<PtyChannel::Clock::time_point> deadline);
    PtyChannel::Io write(std::string_view bytes);
    PtyChannel::Io pause(std::chrono::nanoseconds duration);
    // Until signalStart(); Woken when interrupted instead.
    PtyChannel::Io waitForStart();
    // Until stop() or hangUp().
    void idle();

    bool waitUntilRead(std::chrono::milliseconds timeout) {
        return channel_.waitUntilRead(timeout);
    }
    std::size_t unreadOutput() const { return channel_.unreadOutput(); }
    void dropUnreadOutput() { channel_.dropUnreadOutput(); }
    // Ok: the computer sent bytes (appended to `out`); Timeout: the start signal came first;
    // otherwise as read().
    PtyChannel::Io awaitComputer(std::string& out);
    void hangUpNow();
    ExchangeEnd interrupted();
    ExchangeEnd ioEnd(PtyChannel::Io io, const std::string& during);

  private:
    bool aborting() const { return control_.stop || control_.hangUp; }

    PtyChannel& channel_;
    ExchangeControl& control_;
    const Config& config_;
    StatsUpdate update_;
};

}  // namespace tssim

#include "exchange_link.h"

namespace tssim {

using Io = PtyChannel::Io;

ExchangeLink::ExchangeLink(PtyChannel& channel, ExchangeControl& control, const Config& config,
                           StatsUpdate update)
    : channel_(channel), control_(control), config_(config), update_(std::move(update)) {}

void ExchangeLink::log(const std::string& line) const {
    if (config_.log) {
        config_.log(line);
    }
}

Io ExchangeLink::read(std::string& out, std::optional<PtyChannel::Clock::time_point> deadline) {
    while (!aborting()) {
        const std::size_t before = out.size();
        const Io io = channel_.read(out, deadline);
        if (io == Io::Ok) {
            update_([got = std::string_view(out).substr(before)](Stats& s) {
                s.bytesReceived += got.size();
                s.wireReceived += got;
            });
        }
        if (io != Io::Woken) {
            return io;
        }
    }
    return Io::Woken;
}

Io ExchangeLink::write(std::string_view bytes) {
    // A write only waits when the computer stops reading; stop() and hangUp() still end it.
    while (!aborting()) {
        const std::size_t before = bytes.size();
        const std::string_view original = bytes;
        const Io io = channel_.write(bytes);
        update_([sent = original.substr(0, before - bytes.size())](Stats& s) {
            s.bytesSent += sent.size();
            s.wireSent += sent;
        });
        if (io != Io::Woken) {
            return io;
        }
    }
    return Io::Woken;
}

Io ExchangeLink::pause(std::chrono::nanoseconds duration) {
    const auto deadline = PtyChannel::Clock::now() + duration;
    while (!aborting()) {
        const auto left = deadline - PtyChannel::Clock::now();
        if (left <= std::chrono::nanoseconds::zero() || channel_.sleep(left) == Io::Ok) {
            return Io::Ok;
        }
    }
    return Io::Woken;
}

Io ExchangeLink::waitForStart() {
    while (!aborting()) {
        if (control_.start) {
            return Io::Ok;
        }
        channel_.sleep(std::chrono::hours(1));
    }
    return Io::Woken;
}

Io ExchangeLink::awaitComputer(std::string& out) {
    while (!aborting()) {
        if (control_.start) {
            return Io::Timeout;
        }
        const std::size_t before = out.size();
        const Io io = channel_.read(out, std::nullopt);
        if (io == Io::Ok) {
            update_([got = std::string_view(out).substr(before)](Stats& s) {
                s.bytesReceived += got.size();
                s.wireReceived += got;
            });
        }
        if (io != Io::Woken) {
            return io;
        }
    }
    return Io::Woken;
}

void ExchangeLink::idle() {
    while (!aborting()) {
        channel_.sleep(std::chrono::hours(1));
    }
}

void ExchangeLink::hangUpNow() {
    channel_.hangUp();
}

ExchangeEnd ExchangeLink::interrupted() {
    if (control_.hangUp) {
        hangUpNow();
        return {Outcome::HungUp, "hung up on request"};
    }
    return {Outcome::Stopped, "stopped"};
}

ExchangeEnd ExchangeLink::ioEnd(Io io, const std::string& during) {
    switch (io) {
        case Io::Woken:
            return interrupted();
        case Io::Timeout:
            return {Outcome::TimedOut, "timed out " + during};
        case Io::Closed:
            return {Outcome::HungUp, "the line closed " + during};
        default:
            return {Outcome::Failed, "I/O error " + during};
    }
}

}  // namespace tssim

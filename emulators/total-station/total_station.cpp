#include "total_station.h"

#include <condition_variable>
#include <mutex>
#include <thread>

#include "block_parser.h"
#include "download_sender.h"
#include "exchange_link.h"
#include "pty_channel.h"
#include "record_writer.h"
#include "upload_listener.h"
#include "upload_receiver.h"

namespace tssim {

struct TotalStation::Impl {
    explicit Impl(Config c) : config(std::move(c)) {}

    bool begin() {
        if (!channel.isOpen()) {
            error = "the station's line is not open";
            return false;
        }
        if (running) {
            error = "an exchange is already running";
            return false;
        }
        if (worker.joinable()) {
            worker.join();
        }
        control.stop = false;
        control.hangUp = false;
        control.start = false;
        channel.dropUnreadOutput();
        std::lock_guard lock(mutex);
        stats = {};
        frames.clear();
        running = true;
        outcome = Outcome::Running;
        message.clear();
        return true;
    }

    ExchangeLink link() {
        return ExchangeLink(channel, control, config,
                            [this](const std::function<void(Stats&)>& change) {
                                std::lock_guard lock(mutex);
                                change(stats);
                            });
    }

    void finish(const ExchangeEnd& end) {
        {
            std::lock_guard lock(mutex);
            outcome = end.outcome;
            message = end.message;
            running = false;
        }
        if (config.log) {
            config.log(std::string(toString(end.outcome)) + ": " + end.message);
            config.log(describe(stats));
        }
        finished.notify_all();
    }

    void receive() {
        UploadReceiver receiver(config.protocol, config.faults);
        ExchangeLink exchange = link();
        const ExchangeEnd end = runUpload(exchange, receiver, [this](const UploadReceiver& r) {
            std::lock_guard lock(mutex);
            const std::size_t bytesSent = stats.bytesSent;
            const std::size_t bytesReceived = stats.bytesReceived;
            stats = r.stats();
            stats.bytesSent = bytesSent;
            stats.bytesReceived = bytesReceived;
            frames.insert(frames.end(), r.frames().begin() + static_cast<long>(frames.size()),
                          r.frames().end());
            blocks = r.blocks();
        });
        if (end.outcome == Outcome::Completed) {
            store(receiver);
        }
        finish(end);
    }

    // Only a completed upload replaces the memory: an instrument drops an aborted one.
    void store(const UploadReceiver& receiver) {
        const ParsedBlocks parsed = parseBlocks(receiver.blocks());
        std::lock_guard lock(mutex);
        if (receiver.coordinateUpload()) {
            memory.points = parsed.points;
        } else {
            memory.pcodes = parsed.pcodes;
        }
        if (config.log) {
            config.log("stored " +
                       (receiver.coordinateUpload()
                            ? std::to_string(parsed.points.size()) + " points"
                            : std::to_string(parsed.pcodes.size()) + " PCODE entries") +
                       (parsed.unknownFields + parsed.incompletePoints > 0
                            ? ", skipped " + std::to_string(parsed.unknownFields) +
                                  " unreadable fields and " +
                                  std::to_string(parsed.incompletePoints) + " incomplete points"
                            : std::string()));
        }
    }

    void join() {
        if (worker.joinable()) {
            worker.join();
        }
    }

    Config config;
    PtyChannel channel;
    ExchangeControl control;
    std::thread worker;
    mutable std::mutex mutex;
    std::condition_variable finished;
    bool running = false;
    Memory memory;
    Stats stats;
    Outcome outcome = Outcome::Idle;
    std::string message;
    std::vector<FrameRecord> frames;
    std::vector<std::string> blocks;
    std::string error;
};

TotalStation::TotalStation(Config config) : impl_(std::make_unique<Impl>(std::move(config))) {}

TotalStation::~TotalStation() {
    stop();
    impl_->channel.close();
}

bool TotalStation::open(const std::string& linkPath) {
    stop();
    if (!impl_->channel.open(linkPath)) {
        impl_->error = impl_->channel.error();
        return false;
    }
    return true;
}

const std::string& TotalStation::slavePath() const {
    return impl_->channel.slavePath();
}
const std::string& TotalStation::error() const {
    return impl_->error;
}

void TotalStation::setMemory(Memory memory) {
    std::lock_guard lock(impl_->mutex);
    impl_->memory = std::move(memory);
}

Memory TotalStation::memory() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->memory;
}

std::vector<std::string> TotalStation::downloadLines(Content content) const {
    return tssim::downloadLines(memory(), content);
}

bool TotalStation::startSend(Content content) {
    const std::vector<std::string> lines = downloadLines(content);
    if (!impl_->begin()) {
        return false;
    }
    impl_->worker = std::thread([this, lines] {
        ExchangeLink exchange = impl_->link();
        impl_->finish(runDownload(exchange, lines));
    });
    return true;
}

bool TotalStation::startReceive() {
    if (!impl_->begin()) {
        return false;
    }
    {
        std::lock_guard lock(impl_->mutex);
        impl_->blocks.clear();
    }
    impl_->worker = std::thread([this] { impl_->receive(); });
    return true;
}

void TotalStation::signalStart() {
    impl_->control.start = true;
    impl_->channel.wake();
}

bool TotalStation::waitFinished(std::chrono::milliseconds timeout) {
    std::unique_lock lock(impl_->mutex);
    return impl_->finished.wait_for(lock, timeout, [this] { return !impl_->running; });
}

bool TotalStation::running() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->running;
}

void TotalStation::stop() {
    impl_->control.stop = true;
    impl_->channel.wake();
    impl_->join();
}

void TotalStation::hangUp() {
    impl_->control.hangUp = true;
    impl_->channel.wake();
    impl_->join();
    // The exchange may have ended on its own just before the request reached it.
    if (impl_->channel.isOpen()) {
        impl_->channel.hangUp();
        std::lock_guard lock(impl_->mutex);
        impl_->outcome = Outcome::HungUp;
        impl_->message = "hung up on request";
    }
}

Outcome TotalStation::outcome() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->outcome;
}

std::string TotalStation::outcomeMessage() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->message;
}

Stats TotalStation::stats() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->stats;
}

std::vector<FrameRecord> TotalStation::frames() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->frames;
}

std::vector<std::string> TotalStation::receivedBlocks() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->blocks;
}

}  // namespace tssim

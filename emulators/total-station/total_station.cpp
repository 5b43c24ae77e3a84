#include "total_station.h"

#include <condition_variable>
#include <mutex>
#include <thread>

#include "block_parser.h"
#include "download_sender.h"
#include "exchange_link.h"
#include "protocol.h"
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
            const std::string outcomeName = toString(end.outcome);
            config.log(end.message == outcomeName ? outcomeName : outcomeName + ": " + end.message);
            config.log(describe(stats));
        }
        finished.notify_all();
    }

    void serve(const std::vector<std::string>& lines, bool download, bool upload) {
        ExchangeLink exchange = link();
        const Protocol protocol = config.protocol;
        if (download && !upload && protocol != Protocol::Auto) {
            finish(runDownload(exchange, lines, protocol));
            return;
        }
        if (upload && !download) {
            receive(exchange, {});
            return;
        }
        std::string bytes;
        while (true) {
            const PtyChannel::Io io = exchange.awaitComputer(bytes);
            if (io == PtyChannel::Io::Timeout) {
                if (download && protocol != Protocol::AckNak) {
                    finish(runDownload(exchange, lines, Protocol::None, true));
                    return;
                }
                control.start = false;  // no start key in Ack/Nak: the computer sends ENQ
                continue;
            }
            if (io != PtyChannel::Io::Ok) {
                finish(exchange.ioEnd(io, "waiting for the computer"));
                return;
            }
            const std::size_t enq = download && protocol != Protocol::None
                                        ? bytes.find(protocol::kEnq)
                                        : std::string::npos;
            const std::size_t stx = upload ? bytes.find(protocol::kStx) : std::string::npos;
            if (enq != std::string::npos && enq < stx) {
                finish(runDownload(exchange, lines, Protocol::AckNak, true));
                return;
            }
            if (stx != std::string::npos) {
                receive(exchange, bytes.substr(stx));
                return;
            }
            bytes.clear();
        }
    }

    void receive(ExchangeLink& exchange, std::string received) {
        UploadReceiver receiver(config.protocol, config.faults);
        const auto publish = [this](const UploadReceiver& r) {
            std::lock_guard lock(mutex);
            Stats counted = r.stats();
            counted.bytesSent = stats.bytesSent;
            counted.bytesReceived = stats.bytesReceived;
            counted.wireSent = std::move(stats.wireSent);
            counted.wireReceived = std::move(stats.wireReceived);
            stats = std::move(counted);
            frames.insert(frames.end(), r.frames().begin() + static_cast<long>(frames.size()),
                          r.frames().end());
            blocks = r.blocks();
        };
        const ExchangeEnd end = runUpload(exchange, receiver, publish, std::move(received),
                                          config.protocol == Protocol::Auto);
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
    return start(content, true, false);
}

bool TotalStation::startReceive() {
    return start(Content::Coordinates, false, true);
}

bool TotalStation::startServing(Content content) {
    return start(content, true, true);
}

bool TotalStation::start(Content content, bool download, bool upload) {
    std::vector<std::string> lines;
    if (download) {
        lines = downloadLines(content);
    }
    if (!impl_->begin()) {
        return false;
    }
    {
        std::lock_guard lock(impl_->mutex);
        impl_->blocks.clear();
    }
    impl_->worker = std::thread([this, lines = std::move(lines), download, upload] {
        impl_->serve(lines, download, upload);
    });
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

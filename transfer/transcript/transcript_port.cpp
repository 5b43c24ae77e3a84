#include "transcript/transcript_port.h"

#include "link/comm_settings_rules.h"

namespace vrk {

OpenResult TranscriptPort::open(const PortParams& params) {
    const OpenResult result = port_.open(params);
    PortParams shown = params;
    std::string device;
    if (!portAsGiven_.empty()) {
        shown.portName = portAsGiven_;
    } else if (deviceFor_) {
        device = deviceFor_(params.portName);
    }
    recorder_.opened(shown, device, IsAckNak(settings_.load()), result,
                     result == OpenResult::Ok ? std::string() : port_.failureReason());
    return result;
}

ReadResult TranscriptPort::read(std::size_t count, std::chrono::milliseconds timeout,
                                std::string& out) {
    const std::size_t before = out.size();
    const ReadResult result = port_.read(count, timeout, out);
    const std::string_view got = std::string_view(out).substr(before);
    if (result == ReadResult::Error) {
        recorder_.read(count, timeout, result, got, port_.failureReason());
    } else {
        recorder_.read(count, timeout, result, got, {});
    }
    return result;
}

bool TranscriptPort::write(std::string_view bytes) {
    const bool written = port_.write(bytes);
    if (written) {
        recorder_.sent(bytes);
    } else {
        recorder_.writeFailed(port_.failureReason());
    }
    return written;
}

bool TranscriptPort::drain() {
    const auto start = TranscriptRecorder::Clock::now();
    const bool drained = port_.drain();
    recorder_.drained(drained, TranscriptRecorder::Clock::now() - start,
                      drained ? std::string() : port_.failureReason());
    return drained;
}

void TranscriptPort::close() {
    port_.close();
    recorder_.closed();
}

}  // namespace vrk

#pragma once

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "link/byte_port.h"
#include "link/link_constants.h"
#include "link/transfer_outcome.h"
#include "transcript/link_diagnosis.h"
#include "transcript/transcript_format.h"
#include "transcript/transcript_log.h"

namespace vrk {

// What the header of a transcript names besides the line itself.
struct TranscriptHeader {
    std::string program;  // "VRK410 1.0"
    std::string kind;     // "下传数据", "上传坐标", "上传PCODE"
    bool download = false;
};

// Turns what happened on the line into transcript lines: bytes grouped into runs of one
// direction, events on their own lines, and a footer with the outcome and the diagnosis. Used by
// the transfer thread only; the log it writes to may be read from any thread.
class TranscriptRecorder {
  public:
    using Clock = std::chrono::steady_clock;

    explicit TranscriptRecorder(TranscriptLog& log) : log_(log) {}

    // Clears the log and writes the header.
    void begin(const TranscriptHeader& header);

    void opened(const PortParams& params, std::string_view device, bool ackNak, OpenResult result,
                std::string_view reason);
    void sent(std::string_view bytes);
    void writeFailed(std::string_view reason);
    // The outcome of one read call that asked for `requested` bytes.
    void read(std::size_t requested, std::chrono::milliseconds timeout, ReadResult result,
              std::string_view bytes, std::string_view reason) {
        // A download reads a byte at a time: a byte that only lengthens the current line is
        // noted here, without the general path's checks.
        if (result == ReadResult::Ok && requested != kReplySize && bytes.size() == 1 &&
            runDirection_ == Direction::Rx && !run_.empty() &&
            run_.size() + 1 < kTranscriptBytesPerLine) {
            observeReceived(bytes.front());
            run_ += bytes.front();
            return;
        }
        readAny(requested, timeout, result, bytes, reason);
    }
    void drained(bool ok, Clock::duration waited, std::string_view reason);
    void closed();
    void finish(const TransferOutcome& outcome);

    std::vector<std::string> diagnosis() const { return Diagnose(seen_); }

  private:
    void readAny(std::size_t requested, std::chrono::milliseconds timeout, ReadResult result,
                 std::string_view bytes, std::string_view reason);
    void observeReceived(char byte) {
        ++seen_.bytesReceived;
        if (static_cast<unsigned char>(byte) >= 0x80) {
            ++seen_.highBitBytesReceived;
        }
        runWithoutLf_ = byte == kLf ? 0 : runWithoutLf_ + 1;
        seen_.longestRunWithoutLf = std::max(seen_.longestRunWithoutLf, runWithoutLf_);
    }
    void record(Direction direction, std::string_view bytes);
    void flushRun();
    void event(std::string_view what);
    std::chrono::nanoseconds sinceOpen(Clock::time_point at) const;

    TranscriptLog& log_;
    Clock::time_point started_{};
    Clock::time_point openedAt_{};
    bool open_ = false;
    // The message the user was shown when the port could not be opened; a port name that was
    // never tried (none chosen) gets "无法创建通讯口!" as well.
    std::string_view openFailedMessage_;

    Direction runDirection_ = Direction::Tx;
    Clock::time_point runStart_{};
    std::string run_;
    std::string line_;  // reused for every line, so recording allocates nothing per line

    LinkObservations seen_;
    std::size_t runWithoutLf_ = 0;
    std::string lastFrame_;
    bool lastReplyRefused_ = false;
    std::size_t refusalsOfFrame_ = 0;
};

// Local time as ISO 8601 with its offset, e.g. "2026-05-04T08:15:30+08:00".
std::string LocalIsoTime();

}  // namespace vrk

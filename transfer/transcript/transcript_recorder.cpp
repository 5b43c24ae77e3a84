#include "transcript/transcript_recorder.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <ctime>

#include "link/link_constants.h"
#include "link/link_texts.h"
#include "link/parity_name.h"

namespace vrk {

namespace {

std::string_view OpenFailureMessage(OpenResult result) {
    switch (result) {
        case OpenResult::CannotCreateBuffers:
            return kMsgCannotCreateBuffers;
        case OpenResult::CannotSetParams:
            return kMsgCannotSetParams;
        case OpenResult::CannotOpen:
        case OpenResult::Ok:
            break;
    }
    return kMsgCannotOpenPort;
}

std::string_view EndName(TransferEnd end) {
    switch (end) {
        case TransferEnd::Eot:
            return "收到 EOT,下传结束";
        case TransferEnd::Finished:
            return kMsgFinished;
        case TransferEnd::TimedOut:
            return kMsgTimedOut;
        case TransferEnd::Failed:
            return kMsgFailed;
        case TransferEnd::Abandoned:
            return "已放弃(程序退出或用户中断)";
    }
    return {};
}

std::string SecondsText(std::chrono::nanoseconds duration) {
    std::array<char, 32> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%.3f",
                  std::chrono::duration<double>(duration).count());
    return buffer.data();
}

std::string WithReason(std::string what, std::string_view reason) {
    if (!reason.empty()) {
        what += ":";
        what += reason;
    }
    return what;
}

}  // namespace

std::string LocalIsoTime() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::array<char, 40> buffer{};
    std::strftime(buffer.data(), buffer.size(), "%Y-%m-%dT%H:%M:%S%z", &local);
    std::string text = buffer.data();
    // strftime gives +0800; ISO 8601's extended form, like the date before it, wants +08:00.
    // Windows' C library writes a zone name there instead, or nothing: then the time stands
    // without an offset.
    const std::size_t offset = text.size() - std::min<std::size_t>(text.size(), 5);
    const bool numeric = text.size() >= 5 && (text[offset] == '+' || text[offset] == '-') &&
                         text.find_first_not_of("0123456789", offset + 1) == std::string::npos;
    if (!numeric) {
        constexpr std::size_t kDateTimeLength = 19;  // 2026-12-08T12:49:23
        return text.substr(0, kDateTimeLength);
    }
    text.insert(text.size() - 2, ":");
    return text;
}

void TranscriptRecorder::begin(const TranscriptHeader& header) {
    log_.clear();
    started_ = Clock::now();
    openedAt_ = started_;
    open_ = false;
    openFailedMessage_ = kMsgCannotOpenPort;
    run_.clear();
    seen_ = LinkObservations{};
    seen_.download = header.download;
    runWithoutLf_ = 0;
    lastFrame_.clear();
    lastReplyRefused_ = false;
    refusalsOfFrame_ = 0;
    log_.appendLine(header.program + " 通讯记录");
    log_.appendLine("开始时间:" + LocalIsoTime());
    log_.appendLine("传输:" + header.kind);
}

void TranscriptRecorder::opened(const PortParams& params, std::string_view device, bool ackNak,
                                OpenResult result, std::string_view reason) {
    openedAt_ = Clock::now();
    std::string line = "通讯口:" + params.portName;
    if (!device.empty()) {
        line += " (" + std::string(device) + ")";
    }
    log_.appendLine(line);
    log_.appendLine("设置:" + std::to_string(params.baudRate) + " 波特," +
                    std::to_string(params.dataBits) + " 数据位," + std::to_string(params.stopBits) +
                    " 停止位," + std::string(ParityName(params.parity)) + ",协议 " +
                    (ackNak ? "Ack/Nak" : "无") + ",接收延时 " +
                    std::to_string(params.readTimeout.count() / 1000) + " 秒");
    if (result == OpenResult::Ok) {
        open_ = true;
        seen_.portOpened = true;
        event("打开通讯口");
        return;
    }
    openFailedMessage_ = OpenFailureMessage(result);
    event(WithReason(std::string(openFailedMessage_), reason));
}

void TranscriptRecorder::sent(std::string_view bytes) {
    // A frame written again right after a refusal is the same record refused once more.
    if (lastReplyRefused_ && bytes == lastFrame_) {
        ++refusalsOfFrame_;
        seen_.mostRefusalsOfOneFrame = std::max(seen_.mostRefusalsOfOneFrame, refusalsOfFrame_);
    } else {
        refusalsOfFrame_ = 0;
    }
    if (bytes.size() > 1) {
        lastFrame_.assign(bytes);
    }
    lastReplyRefused_ = false;
    record(Direction::Tx, bytes);
}

void TranscriptRecorder::writeFailed(std::string_view reason) {
    seen_.portFailed = true;
    event(WithReason("写入失败", reason));
}

void TranscriptRecorder::readAny(std::size_t requested, std::chrono::milliseconds timeout,
                                 ReadResult result, std::string_view bytes,
                                 std::string_view reason) {
    for (const char byte : bytes) {
        observeReceived(byte);
    }
    record(Direction::Rx, bytes);
    if (requested == kReplySize && !bytes.empty()) {
        lastReplyRefused_ = bytes.front() != kAck;
    }
    switch (result) {
        case ReadResult::Ok:
            return;
        case ReadResult::Timeout:
            if (requested == kReplySize && !bytes.empty()) {
                ++seen_.shortReplies;
            }
            event("超时:" + std::to_string(timeout.count() / 1000) + " 秒内收到 " +
                  std::to_string(bytes.size()) + "/" + std::to_string(requested) + " 字节");
            return;
        case ReadResult::Error:
            seen_.portFailed = true;
            event(WithReason("读取失败", reason));
            return;
    }
}

void TranscriptRecorder::drained(bool ok, Clock::duration waited, std::string_view reason) {
    if (!ok) {
        seen_.portFailed = true;
        event(WithReason("等待发送完毕失败", reason));
        return;
    }
    event("发送完毕,等待 " + SecondsText(waited) + " 秒");
}

void TranscriptRecorder::closed() {
    if (open_) {
        open_ = false;
        event("关闭通讯口");
    }
}

void TranscriptRecorder::finish(const TransferOutcome& outcome) {
    flushRun();
    const std::string_view result = outcome.end == TransferEnd::Failed && !seen_.portOpened
                                        ? openFailedMessage_
                                        : EndName(outcome.end);
    log_.appendLine(WithReason("结果:" + std::string(result), outcome.reason));
    std::string counts = seen_.download ? "行数:" + std::to_string(outcome.lines)
                                        : "块数:" + std::to_string(outcome.blocks);
    counts += ",发送 " + std::to_string(outcome.bytesSent) + " 字节,接收 " +
              std::to_string(outcome.bytesReceived) + " 字节,重发 " +
              std::to_string(outcome.repetitions) + " 次";
    log_.appendLine(counts);
    log_.appendLine("用时:" + SecondsText(Clock::now() - started_) + " 秒");
    if (outcome.end == TransferEnd::TimedOut || outcome.end == TransferEnd::Failed) {
        for (const std::string& line : diagnosis()) {
            log_.appendLine("诊断:" + line);
        }
    }
}

void TranscriptRecorder::record(Direction direction, std::string_view bytes) {
    while (!bytes.empty()) {
        if (!run_.empty() && direction == runDirection_ && run_.size() == kTranscriptBytesPerLine &&
            EndsInsideCharacter(run_)) {
            // The first byte of a character goes to the next line with its second one.
            const char lead = run_.back();
            run_.pop_back();
            flushRun();
            run_.assign(1, lead);
            runStart_ = Clock::now();
        }
        if (run_.empty() || direction != runDirection_ || run_.size() == kTranscriptBytesPerLine) {
            flushRun();
            runDirection_ = direction;
            runStart_ = Clock::now();
        }
        const std::size_t take = std::min(bytes.size(), kTranscriptBytesPerLine - run_.size());
        run_.append(bytes.substr(0, take));
        bytes.remove_prefix(take);
    }
}

void TranscriptRecorder::flushRun() {
    if (!run_.empty()) {
        line_.clear();
        AppendBytesLine(line_, sinceOpen(runStart_), runDirection_, run_);
        log_.appendLine(line_);
        run_.clear();
    }
}

void TranscriptRecorder::event(std::string_view what) {
    flushRun();
    log_.appendLine(FormatEventLine(sinceOpen(Clock::now()), what));
}

std::chrono::nanoseconds TranscriptRecorder::sinceOpen(Clock::time_point at) const {
    return at - openedAt_;
}

}  // namespace vrk

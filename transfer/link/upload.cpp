#include "link/upload.h"

#include "link/block_packer.h"
#include "link/counting_port.h"
#include "link/data_record.h"
#include "link/link_constants.h"
#include "link/link_texts.h"
#include "link/open_port.h"
#include "link/send_framed.h"
#include "link/upload_lines.h"

namespace vrk {

namespace {

// Adds up the repetitions of all frames so the progress line can show them.
class RepetitionCounter final : public TransferObserver {
  public:
    explicit RepetitionCounter(TransferObserver& next) : next_(next) {}

    void onReceived(std::size_t lines, std::size_t bytes) override {
        next_.onReceived(lines, bytes);
    }
    void onBlockSent(std::size_t sent, std::size_t total, std::size_t repetitions) override {
        next_.onBlockSent(sent, total, repetitions);
    }
    void onRepeat(std::size_t /*repetitionOfFrame*/) override { next_.onRepeat(++total_); }
    void onEnd(TransferEnd end) override { next_.onEnd(end); }

    std::size_t total() const { return total_; }

  private:
    TransferObserver& next_;
    std::size_t total_ = 0;
};

// Sends every block as a data record, echoing each accepted one into the view.
FrameResult SendBlocks(TransferContext& ctx, RepetitionCounter& counter, std::string_view upload,
                       std::size_t& sent) {
    const std::size_t total = CountUploadBlocks(upload);
    int recordCounter = 0;
    std::size_t start = 0;
    for (std::size_t end = upload.find(kBlockSeparator); end != std::string_view::npos;
         end = upload.find(kBlockSeparator, start)) {
        const std::string_view block = upload.substr(start, end - start);
        const FrameResult result = SendDataRecordFrame(ctx, block, recordCounter);
        if (result != FrameResult::Delivered) {
            return result;
        }
        if (ctx.abandoned.load()) {
            return FrameResult::Abandoned;
        }
        std::string echo(block);
        echo += "\r\n";
        ctx.view.insertAtCaret(echo);
        counter.onBlockSent(++sent, total, counter.total());
        start = end + 1;
    }
    return FrameResult::Delivered;
}

FrameResult SendHeaders(TransferContext& ctx) {
    const FrameResult first = SendFrame(ctx, kCoordHeader1);
    return first == FrameResult::Delivered ? SendFrame(ctx, kCoordHeader2) : first;
}

TransferEnd EndOf(FrameResult result) {
    switch (result) {
        case FrameResult::Delivered:
            return TransferEnd::Finished;
        case FrameResult::TimedOut:
            return TransferEnd::TimedOut;
        case FrameResult::Abandoned:
            return TransferEnd::Abandoned;
        case FrameResult::Failed:
        case FrameResult::Refused:
            break;
    }
    return TransferEnd::Failed;
}

// The end frame goes out without waiting for a reply, but it must have left the port before the
// port is closed, or the instrument never learns that the upload is complete.
bool SendEndFrame(TransferContext& ctx) {
    return ctx.port.write(kEndFrame) && ctx.port.drain();
}

}  // namespace

UploadJob BuildCoordUploadJob(std::string_view viewText) {
    return UploadJob{true, BuildCoordUpload(viewText)};
}

UploadJob BuildPcodeUploadJob(std::string_view viewText) {
    return UploadJob{false, BuildPcodeUpload(viewText)};
}

std::size_t CountUploadBlocks(const UploadJob& job) {
    return CountUploadBlocks(job.uploadBuffer);
}

namespace {

TransferOutcome Send(TransferContext& ctx, const UploadJob& job) {
    TransferOutcome outcome;
    if (!OpenPort(ctx)) {
        outcome.reason = ctx.port.failureReason();
        return outcome;
    }
    ctx.prompter.showMessage(kMsgStationFirst);
    RepetitionCounter counter(ctx.observer);
    TransferContext counted{ctx.settings, ctx.port, ctx.view,     ctx.prompter,
                            ctx.sleeper,  counter,  ctx.abandoned};
    FrameResult result = FrameResult::Abandoned;
    if (!ctx.abandoned.load()) {
        result = job.uploadCoords ? SendHeaders(counted) : FrameResult::Delivered;
    }
    if (result == FrameResult::Delivered && ctx.abandoned.load()) {
        result = FrameResult::Abandoned;
    }
    if (result == FrameResult::Delivered) {
        ctx.view.clearText();
        result = SendBlocks(counted, counter, job.uploadBuffer, outcome.blocks);
    }
    outcome.repetitions = counter.total();
    if (result == FrameResult::Refused) {
        outcome.reason = std::string(kReasonRefused);
    } else if (result == FrameResult::Failed) {
        outcome.reason = ctx.port.failureReason();
    }
    if (result != FrameResult::Delivered) {
        ctx.port.close();
        outcome.end = EndOf(result);
        return outcome;
    }
    const bool endFrameSent = SendEndFrame(ctx);
    if (!endFrameSent) {
        outcome.reason = ctx.port.failureReason();
    }
    ctx.port.close();
    if (ctx.abandoned.load()) {
        outcome.end = TransferEnd::Abandoned;
        return outcome;
    }
    outcome.end = endFrameSent ? TransferEnd::Finished : TransferEnd::Failed;
    ctx.observer.onEnd(outcome.end);
    ctx.prompter.showMessage(endFrameSent ? kMsgFinished : kMsgFailed);
    return outcome;
}

}  // namespace

TransferOutcome RunUpload(TransferContext& ctx, const UploadJob& job) {
    if (ctx.abandoned.load()) {
        return TransferOutcome{TransferEnd::Abandoned, {}, 0, 0, 0, 0, 0};
    }
    CountingPort port(ctx.port);
    TransferContext counted{ctx.settings, port,         ctx.view,     ctx.prompter,
                            ctx.sleeper,  ctx.observer, ctx.abandoned};
    TransferOutcome outcome = Send(counted, job);
    outcome.bytesSent = port.sent();
    outcome.bytesReceived = port.received();
    return outcome;
}

int UploadThreadProc(TransferContext& ctx, const UploadJob& job) {
    RunUpload(ctx, job);
    return 0;
}

}  // namespace vrk

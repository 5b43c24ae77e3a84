#include "link/upload.h"

#include "link/block_packer.h"
#include "link/data_record.h"
#include "link/link_constants.h"
#include "link/link_messages.h"
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

    std::size_t total() const { return total_; }

  private:
    TransferObserver& next_;
    std::size_t total_ = 0;
};

bool SendBlocks(TransferContext& ctx, RepetitionCounter& counter, std::string_view upload) {
    const std::size_t total = CountUploadBlocks(upload);
    std::size_t sent = 0;
    int recordCounter = 0;
    std::size_t start = 0;
    for (std::size_t end = upload.find(kBlockSeparator); end != std::string_view::npos;
         end = upload.find(kBlockSeparator, start)) {
        const std::string_view block = upload.substr(start, end - start);
        if (!SendDataRecord(ctx, block, recordCounter) || ctx.abandoned.load()) {
            return false;
        }
        std::string echo(block);
        echo += "\r\n";
        ctx.view.insertAtCaret(echo);
        counter.onBlockSent(++sent, total, counter.total());
        start = end + 1;
    }
    return true;
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
    return CountUploadBlocks(job.m_strUpload);
}

int UploadThreadProc(TransferContext& ctx, const UploadJob& job) {
    if (ctx.abandoned.load() || !OpenPort(ctx)) {
        return 0;
    }
    ctx.prompter.showMessage(kMsgStationFirst);
    RepetitionCounter counter(ctx.observer);
    TransferContext counted{ctx.settings, ctx.port, ctx.view,     ctx.prompter,
                            ctx.sleeper,  counter,  ctx.abandoned};
    const auto endAbandonedOrFailed = [&ctx] {
        ctx.port.close();
        return 0;
    };
    if (ctx.abandoned.load()) {
        return endAbandonedOrFailed();
    }
    if (job.m_bUploadCoords &&
        (!SendFramed(counted, kCoordHeader1) || !SendFramed(counted, kCoordHeader2))) {
        return endAbandonedOrFailed();
    }
    if (ctx.abandoned.load()) {
        return endAbandonedOrFailed();
    }
    ctx.view.clearText();
    if (!SendBlocks(counted, counter, job.m_strUpload)) {
        return endAbandonedOrFailed();
    }
    if (!SendEndFrame(ctx)) {
        ctx.port.close();
        if (!ctx.abandoned.load()) {
            ctx.prompter.showMessage(kMsgFailed);
        }
        return 0;
    }
    ctx.port.close();
    if (!ctx.abandoned.load()) {
        ctx.prompter.showMessage(kMsgFinished);
    }
    return 0;
}

}  // namespace vrk

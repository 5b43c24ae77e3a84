#include "link/send_framed.h"

#include "link/comm_settings_rules.h"
#include "link/link_constants.h"
#include "link/link_texts.h"

namespace vrk {

namespace {

FrameResult Fail(TransferContext& ctx, TransferEnd end, FrameResult result) {
    ctx.observer.onEnd(end);
    ctx.prompter.showMessage(end == TransferEnd::TimedOut ? kMsgTimedOut : kMsgFailed);
    return result;
}

}  // namespace

std::string BuildFrame(std::string_view payload) {
    std::string frame;
    frame.reserve(payload.size() + 4);
    frame += kStx;
    frame += payload;
    frame += kEtx;
    frame += kCr;
    frame += kLf;
    return frame;
}

FrameResult SendFrame(TransferContext& ctx, std::string_view payload) {
    const std::string frame = BuildFrame(payload);
    for (std::size_t repetition = 0;; ++repetition) {
        if (ctx.abandoned.load()) {
            return FrameResult::Abandoned;
        }
        if (!ctx.port.write(frame)) {
            return Fail(ctx, TransferEnd::Failed, FrameResult::Failed);
        }
        const CommSettings settings = ctx.settings.load();
        if (!IsAckNak(settings)) {
            // The pause is for the instrument, so it counts from the moment the frame is out:
            // at low baud rates the frame alone takes longer than the pause.
            if (!ctx.port.drain()) {
                return Fail(ctx, TransferEnd::Failed, FrameResult::Failed);
            }
            ctx.sleeper.sleepFor(kNonePause);
            return FrameResult::Delivered;
        }
        std::string reply;
        switch (ctx.port.read(kReplySize, ReadTimeoutFor(settings), reply)) {
            case ReadResult::Error:
                return Fail(ctx, TransferEnd::Failed, FrameResult::Failed);
            case ReadResult::Timeout:
                return Fail(ctx, TransferEnd::TimedOut, FrameResult::TimedOut);
            case ReadResult::Ok:
                break;
        }
        if (!reply.empty() && reply.front() == kAck) {
            return FrameResult::Delivered;
        }
        if (repetition == kMaxRepetitions) {
            return Fail(ctx, TransferEnd::Failed, FrameResult::Refused);
        }
        ctx.observer.onRepeat(repetition + 1);
    }
}

}  // namespace vrk

#include "link/download.h"

#include <string>

#include "link/comm_settings_rules.h"
#include "link/counting_port.h"
#include "link/link_constants.h"
#include "link/link_texts.h"
#include "link/open_port.h"

namespace vrk {

namespace {

constexpr std::size_t kBytesPerMiB = 1024 * 1024;

// The size a view holds, as the user reads it: "16 MiB", or bytes when not whole MiB.
std::string SizeText(std::size_t bytes) {
    return bytes % kBytesPerMiB == 0 ? std::to_string(bytes / kBytesPerMiB) + " MiB"
                                     : std::to_string(bytes) + " 字节";
}

std::string ViewFullReason(std::size_t capacity) {
    std::string reason(kReasonViewFull);
    const std::string placeholder = "%1";
    reason.replace(reason.find(placeholder), placeholder.size(), SizeText(capacity));
    return reason;
}

// Reads until the transfer ends, placing each complete line in the view. `viewFull` is set when
// it ended because the view could hold no more.
TransferEnd ReceiveLines(TransferContext& ctx, std::size_t& lines, bool& viewFull) {
    const std::size_t capacity = ctx.view.capacity();
    std::size_t shown = 0;
    std::string line;
    std::size_t bytes = 0;
    for (;;) {
        if (ctx.abandoned.load()) {
            return TransferEnd::Abandoned;
        }
        const CommSettings settings = ctx.settings.load();
        std::string received;
        switch (ctx.port.read(1, ReadTimeoutFor(settings), received)) {
            case ReadResult::Error:
                return ctx.abandoned.load() ? TransferEnd::Abandoned : TransferEnd::Failed;
            case ReadResult::Timeout:
                return ctx.abandoned.load() ? TransferEnd::Abandoned : TransferEnd::TimedOut;
            case ReadResult::Ok:
                break;
        }
        if (received.empty()) {
            return TransferEnd::Failed;
        }
        const char byte = received.front();
        if (byte == kEot) {
            return TransferEnd::Eot;
        }
        ++bytes;
        // A line that cannot fit is neither acknowledged nor waited for to its end.
        if (line.size() + 1 > capacity - shown) {
            viewFull = true;
            return TransferEnd::Failed;
        }
        // The protocol is read anew for every line: a change in the dialog takes effect at once.
        const bool ackFailed =
            byte == kLf && IsAckNak(ctx.settings.load()) && !ctx.port.write(std::string(1, kAck));
        line += byte;
        if (byte == kLf) {
            if (ctx.abandoned.load()) {
                return TransferEnd::Abandoned;
            }
            // The line is complete even when its ACK could not go out: the user keeps it, and
            // the failure ends the transfer after it.
            ctx.view.appendText(line);
            shown += line.size();
            ++lines;
            // Lines after the first keep a leading LF: the stored download has always had it.
            line.assign(1, kLf);
        }
        ctx.observer.onReceived(lines, bytes);
        if (ackFailed) {
            return TransferEnd::Failed;
        }
    }
}

TransferOutcome Receive(TransferContext& ctx) {
    TransferOutcome outcome;
    ctx.view.clearText();
    if (!OpenPort(ctx)) {
        outcome.reason = ctx.port.failureReason();
        return outcome;
    }
    ctx.view.setReadOnly(true);
    const bool ackNak = IsAckNak(ctx.settings.load());
    ctx.prompter.showMessage(ackNak ? kMsgStationFirst : kMsgComputerFirst);
    if (ctx.abandoned.load()) {
        ctx.port.close();
        outcome.end = TransferEnd::Abandoned;
        return outcome;
    }
    outcome.end = TransferEnd::Failed;
    bool viewFull = false;
    if (!ackNak || ctx.port.write(std::string(1, kEnq))) {
        outcome.end = ReceiveLines(ctx, outcome.lines, viewFull);
    }
    if (outcome.end == TransferEnd::Failed) {
        outcome.reason = viewFull ? ViewFullReason(ctx.view.capacity()) : ctx.port.failureReason();
    }
    ctx.port.close();
    switch (outcome.end) {
        case TransferEnd::Abandoned:
            // The program is going away: the view may no longer be there to answer.
            return outcome;
        case TransferEnd::Failed:
            // A full view is no fault of the line: the user is told the reason, not a diagnosis.
            if (!viewFull) {
                ctx.observer.onEnd(outcome.end);
            }
            ctx.prompter.showMessage(viewFull ? std::string(kMsgFailed) + '\n' + outcome.reason
                                              : std::string(kMsgFailed));
            break;
        case TransferEnd::TimedOut:
            ctx.observer.onEnd(outcome.end);
            ctx.prompter.showMessage(kMsgTimedOut);
            break;
        case TransferEnd::Eot:
        case TransferEnd::Finished:
            break;
    }
    ctx.view.setReadOnly(false);
    return outcome;
}

}  // namespace

TransferOutcome RunDownload(TransferContext& ctx) {
    if (ctx.abandoned.load()) {
        return TransferOutcome{TransferEnd::Abandoned, {}, 0, 0, 0, 0, 0};
    }
    CountingPort port(ctx.port);
    TransferContext counted{ctx.settings, port,         ctx.view,     ctx.prompter,
                            ctx.sleeper,  ctx.observer, ctx.abandoned};
    TransferOutcome outcome = Receive(counted);
    outcome.bytesSent = port.sent();
    outcome.bytesReceived = port.received();
    return outcome;
}

int DownloadThreadProc(TransferContext& ctx) {
    RunDownload(ctx);
    return 0;
}

}  // namespace vrk

#include "link/download.h"

#include "link/comm_settings_rules.h"
#include "link/link_constants.h"
#include "link/link_messages.h"
#include "link/open_port.h"

namespace vrk {

namespace {

enum class Ending { Eot, Failed, TimedOut, Abandoned };

// Reads until the transfer ends, placing each complete line in the view.
Ending ReceiveLines(TransferContext& ctx) {
    std::string line;
    std::size_t lines = 0;
    std::size_t bytes = 0;
    for (;;) {
        if (ctx.abandoned.load()) {
            return Ending::Abandoned;
        }
        const CommSettings settings = ctx.settings.load();
        std::string received;
        switch (ctx.port.read(1, ReadTimeoutFor(settings), received)) {
            case ReadResult::Error:
                return ctx.abandoned.load() ? Ending::Abandoned : Ending::Failed;
            case ReadResult::Timeout:
                return ctx.abandoned.load() ? Ending::Abandoned : Ending::TimedOut;
            case ReadResult::Ok:
                break;
        }
        if (received.empty()) {
            return Ending::Failed;
        }
        const char byte = received.front();
        if (byte == kEot) {
            return Ending::Eot;
        }
        ++bytes;
        // The protocol is read anew for every line: a change in the dialog takes effect at once.
        if (byte == kLf && IsAckNak(ctx.settings.load()) && !ctx.port.write(std::string(1, kAck))) {
            return Ending::Failed;
        }
        line += byte;
        if (byte == kLf) {
            if (ctx.abandoned.load()) {
                return Ending::Abandoned;
            }
            ctx.view.moveCaret(TextView::kEnd);
            ctx.view.insertAtCaret(line);
            ++lines;
            // Lines after the first keep a leading LF: the stored download has always had it.
            line.assign(1, kLf);
        }
        ctx.observer.onReceived(lines, bytes);
    }
}

}  // namespace

int DownloadThreadProc(TransferContext& ctx) {
    if (ctx.abandoned.load()) {
        return 0;
    }
    ctx.view.clearText();
    if (!OpenPort(ctx)) {
        return 0;
    }
    ctx.view.setReadOnly(true);
    const bool ackNak = IsAckNak(ctx.settings.load());
    ctx.prompter.showMessage(ackNak ? kMsgStationFirst : kMsgComputerFirst);
    if (ctx.abandoned.load()) {
        ctx.port.close();
        return 0;
    }
    Ending ending = Ending::Failed;
    if (!ackNak || ctx.port.write(std::string(1, kEnq))) {
        ending = ReceiveLines(ctx);
    }
    ctx.port.close();
    switch (ending) {
        case Ending::Abandoned:
            // The program is going away: the view may no longer be there to answer.
            return 0;
        case Ending::Failed:
            ctx.prompter.showMessage(kMsgFailed);
            break;
        case Ending::TimedOut:
            ctx.prompter.showMessage(kMsgTimedOut);
            break;
        case Ending::Eot:
            break;
    }
    ctx.view.setReadOnly(false);
    return 0;
}

}  // namespace vrk

#include "link/open_port.h"

#include <string>

#include "link/comm_settings_rules.h"
#include "link/link_texts.h"

namespace vrk {

namespace {

// The fixed first line stays as it always was; the port's reason, when it has one, says what
// went wrong and what the user can do about it.
void ShowOpenFailure(TransferContext& ctx, std::string_view message) {
    const std::string reason = ctx.port.failureReason();
    if (reason.empty()) {
        ctx.prompter.showMessage(message);
        return;
    }
    ctx.prompter.showMessage(std::string(message) + "\n" + reason);
}

}  // namespace

bool OpenPort(TransferContext& ctx) {
    const PortParams params = PortParamsFor(ctx.settings.load());
    if (params.portName.empty()) {
        ctx.prompter.showMessage(kMsgCannotOpenPort);
        return false;
    }
    switch (ctx.port.open(params)) {
        case OpenResult::Ok:
            return true;
        case OpenResult::CannotOpen:
            ShowOpenFailure(ctx, kMsgCannotOpenPort);
            return false;
        case OpenResult::CannotCreateBuffers:
            ShowOpenFailure(ctx, kMsgCannotCreateBuffers);
            ctx.port.close();
            return false;
        case OpenResult::CannotSetParams:
            ShowOpenFailure(ctx, kMsgCannotSetParams);
            ctx.port.close();
            return false;
    }
    return false;
}

}  // namespace vrk

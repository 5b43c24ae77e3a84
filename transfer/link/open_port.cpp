#include "link/open_port.h"

#include "link/comm_settings_rules.h"
#include "link/link_messages.h"

namespace vrk {

bool OpenPort(TransferContext& ctx) {
    const PortParams params = portParamsFor(ctx.settings.load());
    if (params.portName.empty()) {
        ctx.prompter.showMessage(kMsgCannotOpenPort);
        return false;
    }
    switch (ctx.port.open(params)) {
        case OpenResult::Ok:
            return true;
        case OpenResult::CannotOpen:
            ctx.prompter.showMessage(kMsgCannotOpenPort);
            return false;
        case OpenResult::CannotCreateBuffers:
            ctx.port.close();
            ctx.prompter.showMessage(kMsgCannotCreateBuffers);
            return false;
        case OpenResult::CannotSetParams:
            ctx.port.close();
            ctx.prompter.showMessage(kMsgCannotSetParams);
            return false;
    }
    return false;
}

}  // namespace vrk

#pragma once

#include "link/transfer_context.h"

namespace vrk {

// Opens ctx.port with the settings as they are at this moment. On failure the matching message
// has been shown, the port is closed, and the answer is false.
bool OpenPort(TransferContext& ctx);

}  // namespace vrk

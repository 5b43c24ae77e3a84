#pragma once

#include <string>
#include <string_view>

#include "link/transfer_context.h"

namespace vrk {

// STX, payload, ETX, CR, LF. The payload goes out unescaped.
std::string BuildFrame(std::string_view payload);

enum class FrameResult {
    Delivered,
    TimedOut,   // "通讯超时" was shown
    Failed,     // "通讯失败" was shown: the port failed
    Refused,    // "通讯失败" was shown: the instrument kept answering something other than ACK
    Abandoned,  // nothing was shown
};

// Sends one frame and waits as the protocol in force at this moment demands: 400 ms after the
// frame has left the port (None), or the instrument's reply (Ack/Nak), sending the frame again
// after a reply other than ACK. Any end but Delivered has been shown, except Abandoned.
FrameResult SendFrame(TransferContext& ctx, std::string_view payload);

}  // namespace vrk

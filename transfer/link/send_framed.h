#pragma once

#include <string>
#include <string_view>

#include "link/transfer_context.h"

namespace vrk {

// STX, payload, ETX, CR, LF. The payload goes out unescaped.
std::string BuildFrame(std::string_view payload);

// Sends one frame and waits as the protocol in force at this moment demands: 400 ms after the
// frame has left the port (None), or the instrument's reply (Ack/Nak), sending the frame again
// after a reply other than ACK. False after the failure has been shown, or without a message
// when the transfer was abandoned.
bool SendFramed(TransferContext& ctx, std::string_view payload);

}  // namespace vrk

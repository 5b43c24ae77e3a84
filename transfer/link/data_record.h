#pragma once

#include <string>
#include <string_view>

#include "link/send_framed.h"
#include "link/transfer_context.h"

namespace vrk {

// The check value of a record: the exclusive-or of its bytes read as a signed byte, in decimal,
// padded with "0" to three characters ("005", "0-5", "-128").
std::string CheckValue(std::string_view record);

// Text, counter digit (counter modulo 10), check value. Increases the counter.
std::string BuildDataRecord(std::string_view text, int& counter);

// Builds the data record and sends it with SendFrame.
FrameResult SendDataRecordFrame(TransferContext& ctx, std::string_view text, int& counter);

}  // namespace vrk

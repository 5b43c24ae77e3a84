#pragma once

#include "link/transfer_context.h"
#include "link/transfer_outcome.h"

namespace vrk {

// Receives what the instrument sends, line by line, into the emptied view until EOT, a time-out
// or a read error. Every line after the first reaches the view with an extra LF in front, as
// the conversions expect. Answers 0 on every path.
int DownloadThreadProc(TransferContext& ctx);

// The download itself, telling how it ended and what went each way.
TransferOutcome RunDownload(TransferContext& ctx);

}  // namespace vrk

#pragma once

#include <functional>
#include <string>

#include "link/transfer_context.h"
#include "link/transfer_outcome.h"
#include "transcript/transcript_port.h"
#include "transcript/transcript_recorder.h"

namespace vrk {

struct TraceSetup {
    TranscriptHeader header;
    TranscriptPort::DeviceFor deviceFor;
    // Added to a failure message: where the user finds the transcript.
    std::string whereToSee;
    // A device path the user named in place of a COM port, shown as the port.
    std::string portAsGiven;
};

using TransferRun = std::function<TransferOutcome(TransferContext&)>;

// Runs a transfer with everything on its line recorded by `recorder`, and its failure messages
// carrying the diagnosis; the transcript ends with the outcome.
TransferOutcome RunTraced(TransferContext& ctx, TranscriptRecorder& recorder,
                          const TraceSetup& setup, const TransferRun& run);

}  // namespace vrk

#include "link/traced_transfer.h"

#include "link/diagnosing_prompter.h"

namespace vrk {

TransferOutcome RunTraced(TransferContext& ctx, TranscriptRecorder& recorder,
                          const TraceSetup& setup, const TransferRun& run) {
    TranscriptPort port(ctx.port, recorder, ctx.settings, setup.deviceFor);
    DiagnosingPrompter prompter(ctx.prompter, recorder, setup.whereToSee);
    TransferContext traced{ctx.settings, port,         ctx.view,     prompter,
                           ctx.sleeper,  ctx.observer, ctx.abandoned};
    recorder.begin(setup.header);
    const TransferOutcome outcome = run(traced);
    // The runner closes the port once more after the work; the transcript must say it is closed
    // before its footer.
    port.close();
    recorder.finish(outcome);
    return outcome;
}

}  // namespace vrk

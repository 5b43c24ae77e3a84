#include "transcript/traced_transfer.h"

#include "transcript/diagnosing_prompter.h"

namespace vrk {

namespace {

// Passes progress on, and the end to the prompter that adds the diagnosis to its message.
class EndToPrompter final : public TransferObserver {
  public:
    EndToPrompter(TransferObserver& next, DiagnosingPrompter& prompter)
        : next_(next), prompter_(prompter) {}

    void onReceived(std::size_t lines, std::size_t bytes) override {
        next_.onReceived(lines, bytes);
    }
    void onBlockSent(std::size_t sent, std::size_t total, std::size_t repetitions) override {
        next_.onBlockSent(sent, total, repetitions);
    }
    void onRepeat(std::size_t repetitions) override { next_.onRepeat(repetitions); }
    void onEnd(TransferEnd end) override {
        prompter_.endsWith(end);
        next_.onEnd(end);
    }

  private:
    TransferObserver& next_;
    DiagnosingPrompter& prompter_;
};

}  // namespace

TransferOutcome RunTraced(TransferContext& ctx, TranscriptRecorder& recorder,
                          const TraceSetup& setup, const TransferRun& run) {
    TranscriptPort port(ctx.port, recorder, ctx.settings, setup.deviceFor, setup.portAsGiven);
    DiagnosingPrompter prompter(ctx.prompter, recorder, setup.whereToSee);
    EndToPrompter observer(ctx.observer, prompter);
    TransferContext traced{ctx.settings, port,     ctx.view,     prompter,
                           ctx.sleeper,  observer, ctx.abandoned};
    recorder.begin(setup.header);
    const TransferOutcome outcome = run(traced);
    // The runner closes the port once more after the work; the transcript must say it is closed
    // before its footer.
    port.close();
    recorder.finish(outcome);
    return outcome;
}

}  // namespace vrk

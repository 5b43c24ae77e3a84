#include "shell/transfer/transfer_runner.h"

#include <QMetaObject>
#include <QPointer>

#include <thread>

#include "shell/transfer/ui_thread_prompter.h"
#include "shell/transfer/ui_thread_text_view.h"

namespace vrk {

namespace {

// The protocol's pauses, cut short when the transfer is abandoned so quitting stays quick.
class AbandonableSleeper final : public Sleeper {
  public:
    explicit AbandonableSleeper(const std::atomic<bool>& abandoned) : abandoned_(abandoned) {}
    void sleepFor(std::chrono::milliseconds duration) override {
        const auto until = std::chrono::steady_clock::now() + duration;
        while (!abandoned_.load() && std::chrono::steady_clock::now() < until) {
            std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(
                std::chrono::milliseconds(10), until - std::chrono::steady_clock::now()));
        }
    }

  private:
    const std::atomic<bool>& abandoned_;
};

}  // namespace

TransferRunner::TransferRunner(Parts parts) : parts_(std::move(parts)) {}

TransferRunner::~TransferRunner() {
    abandon();
}

bool TransferRunner::isRunning() const {
    return running_.load();
}

bool TransferRunner::start(Work work, std::function<void()> finished) {
    if (running_.load()) {
        return false;
    }
    waitForThread();  // the last transfer has ended; only its return is left
    abandoned_ = false;
    running_ = true;
    const std::uint64_t generation = ++generation_;
    thread_.reset(
        QThread::create([this, generation, work = std::move(work), finished = std::move(finished)] {
            {
                UiThreadTextView view(parts_.uiContext, parts_.view, abandoned_);
                UiThreadPrompter prompter(parts_.uiContext, parts_.prompter, abandoned_);
                AbandonableSleeper realSleeper(abandoned_);
                std::unique_ptr<BytePort> port = parts_.portFactory(abandoned_);
                TransferContext ctx{parts_.settings,
                                    *port,
                                    view,
                                    prompter,
                                    parts_.sleeper != nullptr ? *parts_.sleeper : realSleeper,
                                    parts_.observer,
                                    abandoned_};
                work(ctx);
                port->close();
            }
            if (abandoned_.load()) {
                return;
            }
            // The transfer counts as running until the UI thread has heard that it ended: a new one
            // started in between would otherwise be ended by this one's `finished`.
            QMetaObject::invokeMethod(
                parts_.uiContext,
                [this, generation, finished] {
                    if (generation != generation_ || abandoned_.load()) {
                        return;
                    }
                    running_ = false;
                    if (finished) {
                        finished();
                    }
                },
                Qt::QueuedConnection);
        }));
    thread_->start();
    return true;
}

void TransferRunner::abandon() {
    abandoned_ = true;
    waitForThread();
    running_ = false;
}

void TransferRunner::waitForThread() {
    if (thread_) {
        thread_->wait();
        thread_.reset();
    }
}

}  // namespace vrk

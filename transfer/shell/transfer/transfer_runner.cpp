#include "shell/transfer/transfer_runner.h"

#include <thread>

#include "shell/transfer/ui_thread_prompter.h"
#include "shell/transfer/ui_thread_queue.h"
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
    if (queue_ != nullptr) {
        queue_->deleteLater();  // it may still be finishing the drain that said the last ended
    }
    queue_ = new UiThreadQueue(parts_.uiContext, abandoned_);
    workerEnded_ = false;
    thread_.reset(QThread::create(
        [this, queue = queue_, work = std::move(work), finished = std::move(finished)] {
            {
                UiThreadTextView view(*queue, parts_.view);
                UiThreadPrompter prompter(*queue, parts_.prompter);
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
            // Through the same queue as the lines, so the end is heard after the last of them. The
            // transfer counts as running until then, so no new one can start in between.
            queue->post([this, finished] {
                running_ = false;
                if (finished) {
                    finished();
                }
            });
            workerEnded_.store(true, std::memory_order_release);
        }));
    thread_->start();
    return true;
}

void TransferRunner::abandon() {
    abandoned_ = true;
    waitForThread();
    if (queue_ != nullptr) {
        queue_->close();
    }
    running_ = false;
}

void TransferRunner::waitForThread() {
    if (thread_) {
        thread_->wait();
        // Already true once the thread has ended; reading it orders the worker's last writes
        // before ours in terms a thread sanitizer sees (QThread's own join is hidden inside Qt).
        while (!workerEnded_.load(std::memory_order_acquire)) {
        }
        thread_.reset();
    }
}

}  // namespace vrk

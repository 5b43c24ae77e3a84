#include "shell/transfer_runner.h"

#include <QMetaObject>
#include <QPointer>

#include "shell/ui_thread_prompter.h"
#include "shell/ui_thread_text_view.h"

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

TransferRunner::TransferRunner(Parts parts)
    : parts_(std::move(parts)), shared_(std::make_shared<Shared>()) {}

TransferRunner::~TransferRunner() {
    abandon(std::chrono::seconds(5));
}

bool TransferRunner::isRunning() const {
    return shared_->running.load();
}

bool TransferRunner::start(Work work, std::function<void()> finished) {
    if (shared_->running.load()) {
        return false;
    }
    if (thread_.joinable()) {
        thread_.join();  // the last transfer has ended; only its return is left
    }
    shared_->running = true;
    {
        std::lock_guard lock(shared_->mutex);
        shared_->threadEnded = false;
    }
    thread_ = std::thread(
        [parts = parts_, shared = shared_, work = std::move(work), finished = std::move(finished)] {
            {
                UiThreadTextView view(parts.uiContext, parts.view, shared->abandoned);
                UiThreadPrompter prompter(parts.uiContext, parts.prompter, shared->abandoned);
                AbandonableSleeper realSleeper(shared->abandoned);
                std::unique_ptr<BytePort> port = parts.portFactory(shared->abandoned);
                TransferContext ctx{parts.settings,
                                    *port,
                                    view,
                                    prompter,
                                    parts.sleeper != nullptr ? *parts.sleeper : realSleeper,
                                    parts.observer,
                                    shared->abandoned};
                work(ctx);
                port->close();
            }
            shared->running = false;
            if (!shared->abandoned.load() && finished) {
                QMetaObject::invokeMethod(parts.uiContext, finished, Qt::QueuedConnection);
            }
            std::lock_guard lock(shared->mutex);
            shared->threadEnded = true;
            shared->ended.notify_all();
        });
    return true;
}

bool TransferRunner::abandon(std::chrono::milliseconds bound) {
    if (!thread_.joinable()) {
        return true;
    }
    shared_->abandoned = true;
    bool ended = false;
    {
        std::unique_lock lock(shared_->mutex);
        ended = shared_->ended.wait_for(lock, bound, [this] { return shared_->threadEnded; });
    }
    if (ended) {
        thread_.join();
    } else {
        // A port that ignores the request must not hang the exit; the thread keeps only shared
        // state alive and its UI calls return at once.
        thread_.detach();
    }
    shared_ = std::make_shared<Shared>();
    return ended;
}

}  // namespace vrk

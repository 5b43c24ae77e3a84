#pragma once

#include <QObject>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "link/comm_settings.h"
#include "link/transfer_context.h"
#include "link/transfer_observer.h"
#include "shell/port_factory.h"
#include "view/prompter.h"
#include "view/sleeper.h"
#include "view/text_view.h"

namespace vrk {

// Runs one transfer at a time on its own thread. The worker reaches the view and the message
// boxes only through UI-thread calls it waits for; the port is made, used and closed in the
// worker. At quit the transfer is abandoned: waits for the UI return at once, the port's reads
// give up, and the thread is joined within a bound.
class TransferRunner {
  public:
    using Work = std::function<void(TransferContext&)>;

    struct Parts {
        QObject* uiContext;  // the view; its thread is the UI thread
        TextView& view;      // the UI-thread text services
        Prompter& prompter;  // the UI-thread message boxes
        const SharedCommSettings& settings;
        TransferObserver& observer;
        PortFactory portFactory;
        Sleeper* sleeper = nullptr;  // nullptr: real pauses that end early when abandoned
    };

    explicit TransferRunner(Parts parts);
    ~TransferRunner();
    TransferRunner(const TransferRunner&) = delete;
    TransferRunner& operator=(const TransferRunner&) = delete;

    bool isRunning() const;

    // Starts `work` on a new thread; false, doing nothing, while a transfer runs. `finished` is
    // called on the UI thread when the work has ended (not after an abandon).
    bool start(Work work, std::function<void()> finished);

    // Gives the running transfer up; true when its thread ended within `bound`.
    bool abandon(std::chrono::milliseconds bound);

  private:
    struct Shared {
        std::atomic<bool> abandoned{false};
        std::atomic<bool> running{false};
        std::mutex mutex;
        std::condition_variable ended;
        bool threadEnded = true;
    };

    Parts parts_;
    std::shared_ptr<Shared> shared_;
    std::thread thread_;
};

}  // namespace vrk

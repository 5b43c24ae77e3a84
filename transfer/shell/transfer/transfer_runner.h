#pragma once

#include <QObject>
#include <QThread>

#include <atomic>
#include <functional>
#include <memory>

#include "interfaces/prompter.h"
#include "interfaces/sleeper.h"
#include "interfaces/text_view.h"
#include "link/comm_settings.h"
#include "link/transfer_context.h"
#include "link/transfer_observer.h"
#include "shell/transfer/port_factory.h"
#include "shell/transfer/ui_thread_queue.h"

namespace vrk {

// Runs one transfer at a time on its own thread (a QThread, so that Qt's objects made there find
// the thread they belong to). The worker reaches the view and the message boxes only through a
// UiThreadQueue (see its header for the contract): received lines are queued and shown in order,
// only questions and answers are waited for. The port is made, used and closed in the worker.
// At quit the transfer is abandoned: waits for the UI return at once, the port's reads and
// writes give up within a slice, and the thread is waited for, so it never outlives the settings
// and the observer.
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

    // Gives the running transfer up and returns once its thread has ended.
    void abandon();

  private:
    void waitForThread();

    Parts parts_;
    std::atomic<bool> abandoned_{false};
    std::atomic<bool> running_{false};  // set and cleared on the UI thread
    std::atomic<bool> workerEnded_{true};
    UiThreadQueue* queue_ = nullptr;  // the current transfer's, a child of the view
    std::unique_ptr<QThread> thread_;
};

}  // namespace vrk

#pragma once

#include <QObject>

#include <atomic>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "interfaces/text_view.h"

namespace vrk {

// A transfer worker's one way to the UI thread, which owns the view and the message boxes. The
// runner makes one for each transfer, on the UI thread, as a child of the view.
//
// The contract every caller relies on:
// - Order. Whatever a worker hands over, posted or called, is carried out on the UI thread in
//   the order handed over. What has piled up goes at once when the UI thread comes round, so
//   lines received while the window was busy (a print preview, a dialog) appear together.
// - Waiting. post() and postAppend() return at once: the worker goes back to the line and never
//   waits for the window to show what it received. Only call() waits, for an answer the worker
//   needs before it may go on: a message box or question, the text, the view's capacity.
// - Captures. A task may hold copies, and pointers to UI-thread objects that outlive the queue
//   (the view's text services, the shell's prompter, the runner). It never refers to the
//   worker's stack or the worker's own objects: after an abandon the worker stops waiting and
//   leaves while a task it queued may still be running or waiting its turn.
// - Abandon (the program quits during a transfer; the flag is set on the UI thread, which then
//   waits for the worker and closes the queue):
//   - call() gives up within one poll slice and returns its fallback; a task that has not begun
//     is then never run; one that has begun (a message box open while the quit came from its
//     event loop) runs to its end and its answer is thrown away;
//   - post() and postAppend() drop their task;
//   - close() drops every task still queued, and nothing queued runs after it.
// - On the UI thread itself (no worker in between), each task runs at once.
class UiThreadQueue final : public QObject {
    Q_OBJECT
  public:
    UiThreadQueue(QObject* uiParent, const std::atomic<bool>& abandoned);

    void post(std::function<void()> task);
    // Appends `bytes` to `view`; appends the UI thread has not yet reached are joined into one,
    // so a backlog after a stall costs one insertion, not one per line.
    void postAppend(TextView& view, std::string_view bytes);

    template <class Result>
    Result call(std::function<Result()> task, Result fallback) {
        auto answer = std::make_shared<std::optional<Result>>();
        if (!runAndWait([answer, task = std::move(task)] { *answer = task(); })) {
            return fallback;
        }
        return std::move(**answer);
    }

    // UI thread, once the worker has ended.
    void close();

  private:
    // One unit of work for the UI thread: a task, or bytes to append to a view.
    struct Task {
        std::function<void()> run;
        TextView* appendTo = nullptr;
        std::string bytes;
    };

    // False when the transfer was abandoned before the task ended.
    bool runAndWait(std::function<void()> task);
    bool onUiThread() const;
    void enqueue(Task task);
    // Posted by name, so the hand-over to the UI thread is Qt's event alone.
    Q_INVOKABLE void drain();

    const std::atomic<bool>& abandoned_;
    std::mutex mutex_;
    std::deque<Task> tasks_;
    bool drainPosted_ = false;  // a drain is on its way or running
    bool closed_ = false;       // UI thread only
};

}  // namespace vrk

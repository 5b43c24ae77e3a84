#include "shell/transfer/ui_thread_queue.h"

#include <QMetaObject>
#include <QThread>

#include <chrono>
#include <condition_variable>

namespace vrk {

namespace {

// How often a waiting worker looks whether the transfer was abandoned.
constexpr std::chrono::milliseconds kAbandonPoll{20};

// A waiting call as both threads see it; it outlives the wait when the transfer is abandoned.
struct Waiter {
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    bool cancelled = false;
};

}  // namespace

UiThreadQueue::UiThreadQueue(QObject* uiParent, const std::atomic<bool>& abandoned)
    : QObject(uiParent), abandoned_(abandoned) {}

bool UiThreadQueue::onUiThread() const {
    return QThread::currentThread() == thread();
}

void UiThreadQueue::post(std::function<void()> task) {
    if (abandoned_.load()) {
        return;
    }
    if (onUiThread()) {
        task();
        return;
    }
    enqueue(Task{std::move(task), nullptr, {}});
}

void UiThreadQueue::postAppend(TextView& view, std::string_view bytes) {
    if (abandoned_.load()) {
        return;
    }
    if (onUiThread()) {
        view.appendText(bytes);
        return;
    }
    enqueue(Task{{}, &view, std::string(bytes)});
}

bool UiThreadQueue::runAndWait(std::function<void()> task) {
    if (abandoned_.load()) {
        return false;
    }
    if (onUiThread()) {
        task();
        return true;
    }
    auto waiter = std::make_shared<Waiter>();
    enqueue(Task{[waiter, task = std::move(task)] {
                     {
                         std::lock_guard lock(waiter->mutex);
                         if (waiter->cancelled) {
                             return;
                         }
                     }
                     task();
                     std::lock_guard lock(waiter->mutex);
                     waiter->finished = true;
                     waiter->done.notify_all();
                 },
                 nullptr,
                 {}});
    std::unique_lock lock(waiter->mutex);
    while (!waiter->finished) {
        if (abandoned_.load()) {
            waiter->cancelled = true;
            return false;
        }
        waiter->done.wait_for(lock, kAbandonPoll);
    }
    return true;
}

void UiThreadQueue::enqueue(Task task) {
    {
        std::lock_guard lock(mutex_);
        if (task.appendTo != nullptr && !tasks_.empty() &&
            tasks_.back().appendTo == task.appendTo) {
            tasks_.back().bytes += task.bytes;
        } else {
            tasks_.push_back(std::move(task));
        }
        if (drainPosted_) {
            return;
        }
        drainPosted_ = true;
    }
    QMetaObject::invokeMethod(this, "drain", Qt::QueuedConnection);
}

// Runs what has been queued so far, then lets the UI thread handle its other events before the
// next run: a worker that keeps queueing never starves painting and input.
void UiThreadQueue::drain() {
    std::deque<Task> batch;
    {
        std::lock_guard lock(mutex_);
        batch.swap(tasks_);
    }
    for (Task& task : batch) {
        if (closed_) {
            break;
        }
        if (task.appendTo != nullptr) {
            task.appendTo->appendText(task.bytes);
        } else {
            task.run();
        }
    }
    {
        std::lock_guard lock(mutex_);
        if (tasks_.empty() || closed_) {
            tasks_.clear();
            drainPosted_ = false;
            return;
        }
    }
    QMetaObject::invokeMethod(this, "drain", Qt::QueuedConnection);
}

void UiThreadQueue::close() {
    closed_ = true;
    std::lock_guard lock(mutex_);
    tasks_.clear();
}

}  // namespace vrk

#pragma once

#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QThread>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

namespace vrk {

// Runs `fn` on the thread of `context` and waits for it, like a sent window message. Unlike a
// blocking queued connection the wait gives up when `abandoned` is set, so a UI thread that is
// quitting and waits for the worker can never deadlock with a worker that waits for it.
template <class Result>
Result CallOnUiThread(QObject* context, const std::atomic<bool>& abandoned,
                      std::function<Result()> fn, Result fallback) {
    if (context == nullptr || QThread::currentThread() == context->thread()) {
        return context == nullptr ? fallback : fn();
    }
    struct State {
        std::mutex mutex;
        std::condition_variable done;
        bool finished = false;
        bool cancelled = false;
        Result result{};
    };
    auto state = std::make_shared<State>();
    QPointer<QObject> guard(context);
    if (guard.isNull() || abandoned.load()) {
        return fallback;
    }
    QMetaObject::invokeMethod(
        context,
        [state, fn = std::move(fn)] {
            {
                std::lock_guard lock(state->mutex);
                if (state->cancelled) {
                    return;
                }
            }
            Result r = fn();
            std::lock_guard lock(state->mutex);
            state->result = std::move(r);
            state->finished = true;
            state->done.notify_all();
        },
        Qt::QueuedConnection);
    std::unique_lock lock(state->mutex);
    while (!state->finished) {
        state->done.wait_for(lock, std::chrono::milliseconds(20));
        if (!state->finished && abandoned.load()) {
            state->cancelled = true;
            return fallback;
        }
    }
    return std::move(state->result);
}

inline void CallOnUiThread(QObject* context, const std::atomic<bool>& abandoned,
                           std::function<void()> fn) {
    CallOnUiThread<bool>(
        context, abandoned,
        [fn = std::move(fn)] {
            fn();
            return true;
        },
        false);
}

}  // namespace vrk

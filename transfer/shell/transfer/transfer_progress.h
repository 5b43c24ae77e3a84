#pragma once

#include <QString>

#include <atomic>
#include <chrono>
#include <cstddef>

#include "link/transfer_observer.h"

namespace vrk {

// What a running transfer has done so far. The worker reports through the observer calls (cheap
// atomic stores); the UI thread reads a line for the message pane on its own timer, so a fast
// line never floods the event queue.
class TransferProgress final : public TransferObserver {
  public:
    enum class Kind { Idle, Download, Upload };

    void begin(Kind kind, std::size_t totalBlocks = 0);
    void end();
    Kind kind() const { return kind_.load(); }

    void onReceived(std::size_t lines, std::size_t bytes) override;
    void onBlockSent(std::size_t sent, std::size_t total, std::size_t repetitions) override;
    void onRepeat(std::size_t repetitions) override;

    std::size_t bytesReceived() const { return bytes_.load(); }

    // The message pane's text; `recvDelaySeconds` is the delay currently in force.
    QString describe(int recvDelaySeconds) const;

  private:
    using Clock = std::chrono::steady_clock;

    std::atomic<Kind> kind_{Kind::Idle};
    std::atomic<std::size_t> lines_{0};
    std::atomic<std::size_t> bytes_{0};
    std::atomic<std::size_t> sent_{0};
    std::atomic<std::size_t> total_{0};
    std::atomic<std::size_t> repetitions_{0};
    std::atomic<Clock::rep> lastActivity_{0};
};

}  // namespace vrk

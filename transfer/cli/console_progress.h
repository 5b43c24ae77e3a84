#pragma once

#include <chrono>
#include <cstddef>
#include <ostream>

#include "link/transfer_observer.h"

namespace vrk::cli {

// Progress of a transfer on standard error: rewritten in place on a terminal, an occasional line
// otherwise, so that a log file does not get one line per received byte.
class ConsoleProgress final : public TransferObserver {
  public:
    ConsoleProgress(std::ostream& err, bool interactive);
    ~ConsoleProgress() override;
    ConsoleProgress(const ConsoleProgress&) = delete;
    ConsoleProgress& operator=(const ConsoleProgress&) = delete;

    void onReceived(std::size_t lines, std::size_t bytes) override;
    void onBlockSent(std::size_t sent, std::size_t total, std::size_t repetitions) override;
    void onRepeat(std::size_t repetitions) override;

    // Ends the progress line; called before any message so it starts on a line of its own.
    void finish();

  private:
    void show(bool force);

    std::ostream& err_;
    bool interactive_;
    bool receiving_ = false;
    std::size_t lines_ = 0;
    std::size_t bytes_ = 0;
    std::size_t sent_ = 0;
    std::size_t total_ = 0;
    std::size_t repetitions_ = 0;
    bool pending_ = false;
    std::chrono::steady_clock::time_point lastShown_{};
};

}  // namespace vrk::cli

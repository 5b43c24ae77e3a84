#pragma once

#include "shell/transfer/ui_thread_queue.h"
#include "interfaces/prompter.h"

namespace vrk {

// The worker's message boxes: each is shown by `target` on the UI thread, after everything the
// worker queued before it, while the worker waits for the answer. Once the transfer is
// abandoned, no box is shown and questions answer No.
class UiThreadPrompter final : public Prompter {
  public:
    UiThreadPrompter(UiThreadQueue& queue, Prompter& target) : queue_(queue), target_(target) {}

    void showMessage(std::string_view text) override;
    bool askYesNo(std::string_view text) override;

  private:
    UiThreadQueue& queue_;
    Prompter& target_;
};

}  // namespace vrk

#pragma once

#include <QObject>

#include <atomic>

#include "interfaces/prompter.h"

namespace vrk {

// The worker's message boxes: each is shown by `target` on the UI thread while the worker waits.
// Once the transfer is abandoned, no box is shown and questions answer No.
class UiThreadPrompter final : public Prompter {
  public:
    UiThreadPrompter(QObject* context, Prompter& target, const std::atomic<bool>& abandoned)
        : context_(context), target_(target), abandoned_(abandoned) {}

    void showMessage(std::string_view text) override;
    bool askYesNo(std::string_view text) override;

  private:
    QObject* context_;
    Prompter& target_;
    const std::atomic<bool>& abandoned_;
};

}  // namespace vrk

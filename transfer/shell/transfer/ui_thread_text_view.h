#pragma once

#include "shell/transfer/ui_thread_queue.h"
#include "interfaces/text_view.h"

namespace vrk {

// The view text services as a worker reaches them: `target` carries every call out on the UI
// thread, in the order made. Changes are queued and the worker goes on at once; the calls that
// answer (the text, the modification state, the capacity) wait for their turn.
class UiThreadTextView final : public TextView {
  public:
    UiThreadTextView(UiThreadQueue& queue, TextView& target) : queue_(queue), target_(target) {}

    std::string getText() override;
    bool isTextModified() override;
    void clearText() override;
    void moveCaret(std::size_t position) override;
    void insertAtCaret(std::string_view bytes) override;
    void appendText(std::string_view bytes) override;
    std::size_t capacity() override;
    void setReadOnly(bool readOnly) override;
    void setText(std::string_view bytes) override;

  private:
    UiThreadQueue& queue_;
    TextView& target_;
};

}  // namespace vrk

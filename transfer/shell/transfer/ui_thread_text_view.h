#pragma once

#include <QObject>

#include <atomic>

#include "interfaces/text_view.h"

namespace vrk {

// The view text services as a worker reaches them: each call is carried out by `target` on the
// UI thread while the worker waits, so calls take effect in the order made. Once the transfer is
// abandoned, calls return at once without touching the view.
class UiThreadTextView final : public TextView {
  public:
    UiThreadTextView(QObject* context, TextView& target, const std::atomic<bool>& abandoned)
        : context_(context), target_(target), abandoned_(abandoned) {}

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
    QObject* context_;
    TextView& target_;
    const std::atomic<bool>& abandoned_;
};

}  // namespace vrk

#pragma once

#include <mutex>
#include <string>

#include "interfaces/text_view.h"

namespace vrk::cli {

// The view's text services over a byte string, for the command line: what a download leaves in
// it is exactly what the desktop view would hold.
class BufferTextView final : public TextView {
  public:
    std::string getText() override;
    bool isTextModified() override;
    void clearText() override;
    void moveCaret(std::size_t position) override;
    void insertAtCaret(std::string_view bytes) override;
    void appendText(std::string_view bytes) override;
    void setReadOnly(bool readOnly) override;
    void setText(std::string_view bytes) override;

    bool readOnly();

  private:
    std::mutex mutex_;
    std::string text_;
    std::size_t caret_ = 0;
    bool modified_ = false;
    bool readOnly_ = false;
};

}  // namespace vrk::cli

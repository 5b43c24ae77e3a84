#pragma once

#include <QPlainTextEdit>

#include "interfaces/text_view.h"

namespace vrk {

// The view text services carried out directly on the editor; UI thread only. Positions and
// texts are document bytes, mapped through the lossless GBK view mapping.
class EditTextServices final : public TextView {
  public:
    explicit EditTextServices(QPlainTextEdit& edit, std::size_t capacity = kNoLimit)
        : edit_(edit), capacity_(capacity) {}

    std::string getText() override;
    bool isTextModified() override;
    void clearText() override;
    void moveCaret(std::size_t position) override;
    void insertAtCaret(std::string_view bytes) override;
    std::size_t capacity() override { return capacity_; }
    void setReadOnly(bool readOnly) override;
    void setText(std::string_view bytes) override;

  private:
    QPlainTextEdit& edit_;
    std::size_t capacity_;
};

// The editor's text as document bytes; `unencodable` tells the first character GBK cannot hold.
struct ViewBytes {
    std::string bytes;
    qsizetype unencodable = -1;
};
ViewBytes EditorBytes(const QPlainTextEdit& edit);
QString ViewStringOf(std::string_view bytes);

}  // namespace vrk

#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vrk {

// The view's text services. Text is the document's raw bytes (GBK); positions count bytes.
// A worker thread calls these, and they take effect in the order made. A view that lives on
// another thread may return from a change before it is shown (the worker must never wait on a
// busy window while bytes arrive); the calls that answer see every change made before them.
class TextView {
  public:
    static constexpr std::size_t kEnd = static_cast<std::size_t>(-1);
    static constexpr std::size_t kNoLimit = static_cast<std::size_t>(-1);

    virtual ~TextView() = default;

    virtual std::string getText() = 0;
    virtual bool isTextModified() = 0;
    virtual void clearText() = 0;
    // Empty selection at `position`, clamped to the end of the text; kEnd puts it at the end.
    virtual void moveCaret(std::size_t position) = 0;
    // Replaces the selection, without an undo record.
    virtual void insertAtCaret(std::string_view bytes) = 0;
    // Puts bytes at the end of the text as one step, so nothing the user does in between can
    // move the caret away from the end. Views that reach the widget through another thread
    // override it with one call.
    virtual void appendText(std::string_view bytes) {
        moveCaret(kEnd);
        insertAtCaret(bytes);
    }
    // The most bytes the view holds; a download that would pass it ends, keeping the whole lines
    // that fit.
    virtual std::size_t capacity() { return kNoLimit; }
    virtual void setReadOnly(bool readOnly) = 0;
    virtual void setText(std::string_view bytes) = 0;
};

}  // namespace vrk

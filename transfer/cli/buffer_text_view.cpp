#include "cli/buffer_text_view.h"

#include <algorithm>

namespace vrk::cli {

std::string BufferTextView::getText() {
    std::lock_guard lock(mutex_);
    return text_;
}

bool BufferTextView::isTextModified() {
    std::lock_guard lock(mutex_);
    return modified_;
}

void BufferTextView::clearText() {
    std::lock_guard lock(mutex_);
    text_.clear();
    caret_ = 0;
    modified_ = true;
}

void BufferTextView::moveCaret(std::size_t position) {
    std::lock_guard lock(mutex_);
    caret_ = std::min(position, text_.size());
}

void BufferTextView::insertAtCaret(std::string_view bytes) {
    std::lock_guard lock(mutex_);
    text_.insert(caret_, bytes);
    caret_ += bytes.size();
    modified_ = true;
}

void BufferTextView::appendText(std::string_view bytes) {
    std::lock_guard lock(mutex_);
    text_ += bytes;
    caret_ = text_.size();
    modified_ = true;
}

void BufferTextView::setReadOnly(bool readOnly) {
    std::lock_guard lock(mutex_);
    readOnly_ = readOnly;
}

void BufferTextView::setText(std::string_view bytes) {
    std::lock_guard lock(mutex_);
    text_.assign(bytes);
    caret_ = text_.size();
    modified_ = false;
}

bool BufferTextView::readOnly() {
    std::lock_guard lock(mutex_);
    return readOnly_;
}

}  // namespace vrk::cli

#include "shell/transfer/ui_thread_text_view.h"

#include <string>

namespace vrk {

std::string UiThreadTextView::getText() {
    return queue_.call<std::string>([t = &target_] { return t->getText(); }, std::string());
}

bool UiThreadTextView::isTextModified() {
    return queue_.call<bool>([t = &target_] { return t->isTextModified(); }, false);
}

void UiThreadTextView::clearText() {
    queue_.post([t = &target_] { t->clearText(); });
}

void UiThreadTextView::moveCaret(std::size_t position) {
    queue_.post([t = &target_, position] { t->moveCaret(position); });
}

void UiThreadTextView::insertAtCaret(std::string_view bytes) {
    queue_.post([t = &target_, copy = std::string(bytes)] { t->insertAtCaret(copy); });
}

void UiThreadTextView::appendText(std::string_view bytes) {
    queue_.postAppend(target_, bytes);
}

std::size_t UiThreadTextView::capacity() {
    return queue_.call<std::size_t>([t = &target_] { return t->capacity(); }, kNoLimit);
}

void UiThreadTextView::setReadOnly(bool readOnly) {
    queue_.post([t = &target_, readOnly] { t->setReadOnly(readOnly); });
}

void UiThreadTextView::setText(std::string_view bytes) {
    queue_.post([t = &target_, copy = std::string(bytes)] { t->setText(copy); });
}

}  // namespace vrk

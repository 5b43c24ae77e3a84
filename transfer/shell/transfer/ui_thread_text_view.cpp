#include "shell/transfer/ui_thread_text_view.h"

#include <string>

#include "shell/transfer/ui_thread_call.h"

namespace vrk {

std::string UiThreadTextView::getText() {
    return CallOnUiThread<std::string>(
        context_, abandoned_, [t = &target_] { return t->getText(); }, std::string());
}

bool UiThreadTextView::isTextModified() {
    return CallOnUiThread<bool>(
        context_, abandoned_, [t = &target_] { return t->isTextModified(); }, false);
}

void UiThreadTextView::clearText() {
    CallOnUiThread(context_, abandoned_, [t = &target_] { t->clearText(); });
}

void UiThreadTextView::moveCaret(std::size_t position) {
    CallOnUiThread(context_, abandoned_, [t = &target_, position] { t->moveCaret(position); });
}

void UiThreadTextView::insertAtCaret(std::string_view bytes) {
    CallOnUiThread(context_, abandoned_,
                   [t = &target_, copy = std::string(bytes)] { t->insertAtCaret(copy); });
}

void UiThreadTextView::appendText(std::string_view bytes) {
    CallOnUiThread(context_, abandoned_,
                   [t = &target_, copy = std::string(bytes)] { t->appendText(copy); });
}

std::size_t UiThreadTextView::capacity() {
    return CallOnUiThread<std::size_t>(
        context_, abandoned_, [t = &target_] { return t->capacity(); }, kNoLimit);
}

void UiThreadTextView::setReadOnly(bool readOnly) {
    CallOnUiThread(context_, abandoned_, [t = &target_, readOnly] { t->setReadOnly(readOnly); });
}

void UiThreadTextView::setText(std::string_view bytes) {
    CallOnUiThread(context_, abandoned_,
                   [t = &target_, copy = std::string(bytes)] { t->setText(copy); });
}

}  // namespace vrk

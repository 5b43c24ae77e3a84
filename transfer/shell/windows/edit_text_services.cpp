#include "shell/windows/edit_text_services.h"

#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>

#include "text/gbk_text_codec.h"

namespace vrk {

QString ViewStringOf(std::string_view bytes) {
    const std::u16string text = DecodeForView(bytes);
    return QString(reinterpret_cast<const QChar*>(text.data()),
                   static_cast<qsizetype>(text.size()));
}

ViewBytes EditorBytes(const QPlainTextEdit& edit) {
    const QString text = edit.toPlainText();
    EncodeResult encoded = EncodeViewText(std::u16string_view(
        reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())));
    ViewBytes out;
    out.bytes = std::move(encoded.bytes);
    if (encoded.unencodable) {
        out.unencodable = static_cast<qsizetype>(*encoded.unencodable);
    }
    return out;
}

namespace {

// A change made by the program, not typed: it must not become a step the user can undo into
// the middle of, like the edit control's replace-selection without undo.
template <class Change>
void WithoutUndo(QPlainTextEdit& edit, Change change) {
    QTextDocument* doc = edit.document();
    // Switching undo off compacts the whole document; a running transfer keeps it off instead
    // of paying that for every line it inserts.
    const bool undoWasOn = doc->isUndoRedoEnabled();
    if (undoWasOn) {
        doc->setUndoRedoEnabled(false);
    }
    change();
    if (undoWasOn) {
        doc->setUndoRedoEnabled(true);
    }
    doc->setModified(true);
}

}  // namespace

std::string EditTextServices::getText() {
    return EditorBytes(edit_).bytes;
}

bool EditTextServices::isTextModified() {
    return edit_.document()->isModified();
}

void EditTextServices::clearText() {
    WithoutUndo(edit_, [this] {
        QTextCursor cursor(edit_.document());
        cursor.select(QTextCursor::Document);
        cursor.removeSelectedText();
        edit_.setTextCursor(cursor);
    });
    edit_.ensureCursorVisible();
}

void EditTextServices::moveCaret(std::size_t position) {
    QTextCursor cursor(edit_.document());
    if (position == kEnd) {
        cursor.movePosition(QTextCursor::End);
    } else {
        const std::string bytes = getText();
        const auto units = static_cast<int>(ViewPositionOf(bytes, position));
        cursor.setPosition(std::min(units, edit_.document()->characterCount() - 1));
    }
    edit_.setTextCursor(cursor);
    edit_.ensureCursorVisible();
}

void EditTextServices::insertAtCaret(std::string_view bytes) {
    // Each piece is decoded on its own; a CR LF or a GBK pair split across two pieces is shown
    // as stand-ins but still saves as the same bytes.
    const QString text = ViewStringOf(bytes);
    WithoutUndo(edit_, [this, &text] {
        QTextCursor cursor = edit_.textCursor();
        cursor.insertText(text);
        edit_.setTextCursor(cursor);
    });
}

void EditTextServices::setReadOnly(bool readOnly) {
    edit_.setReadOnly(readOnly);
}

void EditTextServices::setText(std::string_view bytes) {
    const QString text = ViewStringOf(bytes);
    WithoutUndo(edit_, [this, &text] {
        QTextCursor cursor(edit_.document());
        cursor.select(QTextCursor::Document);
        cursor.insertText(text);
        edit_.setTextCursor(cursor);
    });
}

}  // namespace vrk

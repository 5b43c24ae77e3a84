#include "grid/cell_edit_box.h"

#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QKeySequence>

#include "grid/char_filter.h"
#include "grid/grid_beep.h"
#include "grid/grid_constants.h"
#include "grid/grid_events.h"

namespace {
CCellEditBox* g_editBox = nullptr;
}  // namespace

CCellEditBox* CCellEditBox::shared() {
    if (g_editBox == nullptr) {
        g_editBox = new CCellEditBox();
    }
    return g_editBox;
}

CCellEditBox* CCellEditBox::existing() {
    return g_editBox;
}

void CCellEditBox::destroyShared(const QWidget* dyingGrid) {
    CCellEditBox* box = g_editBox;
    if (box == nullptr) {
        return;
    }
    g_editBox = nullptr;
    if (box->isEditing() && box->m_session.grid() != dyingGrid) {
        box->finishEdit();
    }
    delete box;
}

CCellEditBox::CCellEditBox() : QLineEdit(nullptr) {
    hide();
}

CCellEditBox::~CCellEditBox() {
    // Hiding a focused widget moves the focus; that must not report into a grid being destroyed.
    m_destroying = true;
}

bool CCellEditBox::open(std::uint32_t style, const QRect& rect, QWidget* grid, int childId, int row,
                        int column, const QString& filter, const QString& text) {
    if (grid == nullptr) {
        return false;
    }
    if (isEditing()) {
        // Programmatic reopening without a focus change: the running edit must not be lost.
        finishEdit();
    }
    m_session.begin(grid, childId, row, column, text);
    m_filter = filter;
    // A pending close belongs to the previous edit; the window now serves this one.
    ++m_generation;
    m_closePending = false;
    initialiseWindow(style, rect);
    m_windowExists = true;
    return true;
}

void CCellEditBox::initialiseWindow(std::uint32_t style, const QRect& rect) {
    QWidget* host = quorbel::grid::editorHost(m_session.grid());
    if (parentWidget() != host) {
        setParent(host);
    }
    setFrame((style & quorbel::grid::kWsBorder) != 0);
    setGeometry(rect);
    setFont(m_session.grid()->font());
    show();
    raise();
    setText(m_session.oldText());
    selectAll();
    setFocus(Qt::OtherFocusReason);
}

void CCellEditBox::finishEdit() {
    m_closePending = true;
    m_session.report(text());
    const unsigned generation = m_generation;
    QMetaObject::invokeMethod(
        this, [this, generation] { closeWindow(generation); }, Qt::QueuedConnection);
}

void CCellEditBox::closeWindow(unsigned generation) {
    if (generation != m_generation || !m_closePending) {
        return;
    }
    m_closePending = false;
    m_windowExists = false;
    hide();
}

bool CCellEditBox::event(QEvent* event) {
    // Enter and Esc belong to the box while it edits, not to the dialog's default and cancel
    // buttons or any shortcut.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (isCommitKey(key->key()) || key->key() == Qt::Key_Escape) {
            event->accept();
            return true;
        }
    }
    return QLineEdit::event(event);
}

void CCellEditBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape || isCommitKey(event->key())) {
        if (event->key() == Qt::Key_Escape) {
            m_session.cancel();
        }
        event->accept();
        if (QWidget* grid = m_session.grid()) {
            grid->setFocus(Qt::OtherFocusReason);
        }
        // Without an active window the focus does not move; the edit ends all the same.
        if (isEditing()) {
            finishEdit();
        }
        return;
    }
    if (m_filter.isEmpty()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (refusesControlKey(event)) {
        quorbel::grid::beep();
        event->accept();
        return;
    }
    const QString typed = event->text();
    const bool printable = !typed.isEmpty() && typed.front().unicode() >= 0x20 &&
                           typed.front().unicode() != 0x7F &&
                           !(event->modifiers() & Qt::ControlModifier);
    if (!printable) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const QString accepted = filtered(typed);
    if (accepted == typed) {
        QLineEdit::keyPressEvent(event);
    } else if (!accepted.isEmpty()) {
        insert(accepted);
        event->accept();
    } else {
        event->accept();
    }
}

// Ctrl with a letter types a control character; only copy, paste and cut (and backspace) get
// through a filter, so that editing keeps working while Ctrl+A, Ctrl+Z and the like are refused.
bool CCellEditBox::refusesControlKey(const QKeyEvent* event) const {
    const Qt::KeyboardModifiers mods = event->modifiers();
    if (!(mods & Qt::ControlModifier) || (mods & Qt::AltModifier)) {
        return false;
    }
    const int key = event->key();
    if (key < Qt::Key_A || key > Qt::Key_Z) {
        return false;
    }
    const auto control = static_cast<char32_t>(key - Qt::Key_A + 1);
    return !quorbel::grid::filterAccepts(m_filter.toStdString(), control);
}

QString CCellEditBox::filtered(const QString& typed) const {
    const std::string filter = m_filter.toStdString();
    QString accepted;
    for (const char32_t character : typed.toUcs4()) {
        if (quorbel::grid::filterAccepts(filter, character)) {
            accepted.append(QString::fromUcs4(&character, 1));
        } else {
            quorbel::grid::beep();
        }
    }
    return accepted;
}

void CCellEditBox::inputMethodEvent(QInputMethodEvent* event) {
    if (m_filter.isEmpty() || event->commitString().isEmpty()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    const QString accepted = filtered(event->commitString());
    if (accepted == event->commitString()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent reduced(event->preeditString(), event->attributes());
    reduced.setCommitString(accepted, event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&reduced);
    event->accept();
}

void CCellEditBox::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // A context menu or other popup only borrows the focus; the edit goes on behind it.
    if (m_destroying || !isEditing() || event->reason() == Qt::PopupFocusReason) {
        return;
    }
    finishEdit();
}

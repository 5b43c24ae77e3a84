#include "command_line_edit.h"

#include <QKeyEvent>

namespace cadhost {

CommandLineEdit::CommandLineEdit(QWidget* parent) : QLineEdit(parent) {}

void CommandLineEdit::remember(const QString& line) {
    if (!line.isEmpty() && (m_history.isEmpty() || m_history.back() != line)) {
        m_history.append(line);
    }
    m_position = m_history.size();
}

void CommandLineEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Up && m_position > 0) {
        setText(m_history.at(--m_position));
        return;
    }
    if (event->key() == Qt::Key_Down && m_position < m_history.size()) {
        ++m_position;
        setText(m_position < m_history.size() ? m_history.at(m_position) : QString());
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        setText(QString());
        emit returnPressed();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

}  // namespace cadhost

#include "host_window.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSplitter>
#include <QTimer>
#include <QVBoxLayout>

#include "command_line_edit.h"
#include "host_text.h"

namespace cadhost {
namespace {
constexpr int kWindowWidth = 1000;
constexpr int kWindowHeight = 700;
constexpr int kHistoryHeight = 180;
}  // namespace

HostWindow::HostWindow(CommandProcessor& processor, QWidget* parent)
    : QMainWindow(parent), m_processor(processor) {
    setWindowTitle(QStringLiteral("cadhost"));

    auto* drawing = new QWidget;
    drawing->setObjectName(QStringLiteral("drawingArea"));
    drawing->setAutoFillBackground(true);
    QPalette palette = drawing->palette();
    palette.setColor(QPalette::Window, QColor(33, 40, 48));
    drawing->setPalette(palette);

    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    m_history = new QPlainTextEdit;
    m_history->setObjectName(QStringLiteral("commandHistory"));
    m_history->setReadOnly(true);
    m_history->setFont(fixed);
    m_history->setMinimumHeight(kHistoryHeight / 2);

    m_prompt = new QLabel;
    m_prompt->setObjectName(QStringLiteral("commandPrompt"));
    m_prompt->setFont(fixed);
    m_input = new CommandLineEdit;
    m_input->setObjectName(QStringLiteral("commandInput"));
    m_input->setFont(fixed);
    m_input->setFrame(false);

    auto* inputRow = new QHBoxLayout;
    inputRow->setContentsMargins(4, 0, 4, 2);
    inputRow->addWidget(m_prompt);
    inputRow->addWidget(m_input, 1);
    auto* commandLine = new QWidget;
    auto* commandLayout = new QVBoxLayout(commandLine);
    commandLayout->setContentsMargins(0, 0, 0, 0);
    commandLayout->setSpacing(0);
    commandLayout->addWidget(m_history, 1);
    commandLayout->addLayout(inputRow);

    auto* splitter = new QSplitter(Qt::Vertical);
    splitter->addWidget(drawing);
    splitter->addWidget(commandLine);
    splitter->setStretchFactor(0, 1);
    splitter->setSizes({kWindowHeight - kHistoryHeight, kHistoryHeight});
    setCentralWidget(splitter);
    resize(kWindowWidth, kWindowHeight);

    connect(m_input, &QLineEdit::returnPressed, this, [this] {
        const QString line = m_input->text();
        m_input->clear();
        enter(line);
    });
    updatePrompt();
    m_input->setFocus();
}

void HostWindow::appendOutput(std::string_view text, TextOrigin origin) {
    QTextCursor cursor = m_history->textCursor();
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(displayText(text, origin));
    m_history->setTextCursor(cursor);
    m_history->verticalScrollBar()->setValue(m_history->verticalScrollBar()->maximum());
}

void HostWindow::enter(const QString& line) {
    m_input->remember(line);
    const QString echo = (atLineStart() ? QString() : QStringLiteral("\n")) + m_prompt->text() +
                         line + QLatin1Char('\n');
    print(echo.toStdString(), TextOrigin::Host);
    m_processor.submit(line.toStdString());
    updatePrompt();
    if (m_processor.quitRequested()) {
        close();
    }
}

void HostWindow::updatePrompt() {
    m_prompt->setText(QString::fromStdString(m_processor.prompt()));
}

void HostWindow::runScript(QStringList lines) {
    if (lines.isEmpty() || m_processor.quitRequested()) {
        return;
    }
    QTimer::singleShot(0, this, [this, lines]() mutable {
        enter(lines.takeFirst());
        runScript(std::move(lines));
    });
}

}  // namespace cadhost

#include "shell/windows/transcript_window.h"

#include <QClipboard>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "files/file_writer.h"
#include "interfaces/prompter.h"
#include "shell/dialogs/shell_dialogs.h"
#include "shell/windows/file_failure_reason.h"

namespace vrk {

namespace {

constexpr int kRefreshMs = 200;
// Reloading the whole kept text is the only way to let the widget forget what the log dropped;
// doing it for every dropped line of a long transfer would cost more than the transfer.
constexpr std::uint64_t kReloadAfterDropped = std::uint64_t{1} << 20;
constexpr QSize kInitialSize(900, 520);

}  // namespace

CTranscriptWindow::CTranscriptWindow(std::shared_ptr<const TranscriptLog> log,
                                     ShellDialogs& dialogs, Prompter& prompter, QWidget* parent)
    : QWidget(parent, Qt::Window), log_(std::move(log)), dialogs_(dialogs), prompter_(prompter) {
    setWindowTitle(QString::fromUtf8("通讯记录"));
    resize(kInitialSize);

    dropped_ = new QLabel(this);
    dropped_->setObjectName(QString::fromLatin1(kDroppedName));
    dropped_->hide();

    text_ = new QPlainTextEdit(this);
    text_->setObjectName(QString::fromLatin1(kTextName));
    text_->setReadOnly(true);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setFamilies({QStringLiteral("Noto Sans Mono CJK SC"), QStringLiteral("DejaVu Sans Mono"),
                      font.family()});
    text_->setFont(font);

    auto* save = new QPushButton(QString::fromUtf8("保存"), this);
    save->setObjectName(QString::fromLatin1(kSaveName));
    connect(save, &QPushButton::clicked, this, &CTranscriptWindow::save);
    auto* copy = new QPushButton(QString::fromUtf8("复制"), this);
    copy->setObjectName(QString::fromLatin1(kCopyName));
    connect(copy, &QPushButton::clicked, this, &CTranscriptWindow::copy);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(copy);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(dropped_);
    layout->addWidget(text_);
    layout->addLayout(buttons);

    refresh();
    timer_.setInterval(kRefreshMs);
    connect(&timer_, &QTimer::timeout, this, &CTranscriptWindow::refresh);
    timer_.start();
}

void CTranscriptWindow::refresh() {
    TranscriptLog::Chunk chunk = log_->readSince(generation_, end_);
    const bool reload = chunk.restarted || chunk.dropped >= droppedShown_ + kReloadAfterDropped;
    if (reload && !chunk.restarted) {
        chunk = log_->readSince(0, 0);
    }
    if (!reload && chunk.text.empty()) {
        return;
    }
    QScrollBar* bar = text_->verticalScrollBar();
    const bool following = bar->value() == bar->maximum();
    if (reload) {
        text_->setPlainText(QString::fromUtf8(chunk.text));
        droppedShown_ = chunk.dropped;
        dropped_->setVisible(chunk.dropped > 0);
        dropped_->setText(QString::fromUtf8(DroppedNote(chunk.dropped)));
    } else {
        QTextCursor cursor(text_->document());
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(QString::fromUtf8(chunk.text));
    }
    generation_ = chunk.generation;
    end_ = chunk.end;
    if (following) {
        bar->setValue(bar->maximum());
    }
}

void CTranscriptWindow::save() {
    const std::optional<QString> path =
        dialogs_.chooseSaveFile(this, QString::fromUtf8("通讯记录.txt"));
    if (!path) {
        return;
    }
    if (const FileResult written = WriteFile(LocalPath(*path), log_->text()); !written.ok()) {
        prompter_.showMessage("无法保存通讯记录:" + path->toStdString() + '\n' +
                              SaveFailureReason(*path, written).toStdString());
    }
}

void CTranscriptWindow::copy() {
    QGuiApplication::clipboard()->setText(QString::fromUtf8(log_->text()));
}

}  // namespace vrk

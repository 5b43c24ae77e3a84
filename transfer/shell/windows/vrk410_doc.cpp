#include "shell/windows/vrk410_doc.h"

#include <QFileInfo>
#include <QTextBlock>

#include "files/file_reader.h"
#include "files/file_writer.h"
#include "shell/dialogs/shell_dialogs.h"
#include "shell/dialogs/shell_prompter.h"
#include "shell/windows/file_failure_reason.h"
#include "shell/windows/recent_file_list.h"
#include "shell/windows/shell_texts.h"
#include "shell/windows/vrk410_view.h"

namespace vrk {

namespace {

void Tell(ShellPrompter& prompter, const QString& text) {
    prompter.showMessage(text.toStdString());
}

// The framework's message first, as always; the reason on a line of its own.
void TellWithReason(ShellPrompter& prompter, const char* message, const QString& reason) {
    Tell(prompter, QString::fromUtf8(message) + QLatin1Char('\n') + reason);
}

}  // namespace

CVRK410Doc::CVRK410Doc(CVRK410View& view, ShellPrompter& prompter, ShellDialogs& dialogs,
                       RecentFileList& recent, QObject* parent)
    : QObject(parent), view_(view), prompter_(prompter), dialogs_(dialogs), recent_(recent) {
    connect(view_.document(), &QTextDocument::modificationChanged, this,
            [this] { emit titleChanged(windowTitle()); });
}

QString CVRK410Doc::windowTitle() const {
    const QString name =
        path_.isEmpty() ? QString::fromUtf8(texts::kUntitled) : QFileInfo(path_).fileName();
    return name + QStringLiteral(" - ") + QString::fromUtf8(texts::kAppTitle);
}

bool CVRK410Doc::isModified() const {
    return view_.document()->isModified();
}

void CVRK410Doc::setPath(const QString& path) {
    path_ = path;
    if (!path.isEmpty()) {
        recent_.add(path);
        emit recentFilesChanged();
    }
    emit titleChanged(windowTitle());
}

bool CVRK410Doc::OnNewDocument() {
    view_.loadRawText({});
    setPath({});
    return true;
}

bool CVRK410Doc::readFile(const QString& path) {
    std::string bytes;
    const FileResult read =
        ReadFile(LocalPath(path), bytes, static_cast<std::size_t>(kMaxFileSize));
    if (read.fault == FileFault::TooLarge) {
        Tell(prompter_, QString::fromUtf8(texts::kFileTooLarge));
        return false;
    }
    if (!read.ok()) {
        TellWithReason(prompter_, texts::kOpenFailed, OpenFailureReason(path, read));
        return false;
    }
    view_.loadRawText(bytes);
    return true;
}

bool CVRK410Doc::OpenDocumentFile(const QString& path) {
    if (!SaveModified()) {
        return false;
    }
    if (!readFile(path)) {
        if (!QFileInfo::exists(path)) {
            recent_.remove(QFileInfo(path).absoluteFilePath());
            emit recentFilesChanged();
        }
        return false;
    }
    setPath(QFileInfo(path).absoluteFilePath());
    return true;
}

bool CVRK410Doc::DoSave(const QString& path) {
    const ViewBytes text = view_.rawText();
    if (text.unencodable >= 0) {
        // Saving a "?" in its place would silently change the survey data.
        const QString all = view_.toPlainText();
        const QTextBlock block = view_.document()->findBlock(static_cast<int>(text.unencodable));
        const qsizetype length = all.at(text.unencodable).isHighSurrogate() ? 2 : 1;
        Tell(prompter_, QString::fromUtf8(texts::kUnencodable)
                            .arg(all.mid(text.unencodable, length))
                            .arg(block.blockNumber() + 1));
        return false;
    }
    if (const FileResult written = WriteFile(LocalPath(path), text.bytes); !written.ok()) {
        TellWithReason(prompter_, texts::kSaveFailed, SaveFailureReason(path, written));
        return false;
    }
    view_.document()->setModified(false);
    setPath(QFileInfo(path).absoluteFilePath());
    return true;
}

bool CVRK410Doc::SaveModified() {
    if (!isModified()) {
        return true;
    }
    const QString name = path_.isEmpty() ? QString::fromUtf8(texts::kUntitled) : path_;
    switch (prompter_.askSaveChanges(name)) {
        case SaveAnswer::Yes:
            return OnFileSave();
        case SaveAnswer::No:
            return true;
        case SaveAnswer::Cancel:
            break;
    }
    return false;
}

void CVRK410Doc::OnFileNew() {
    if (SaveModified()) {
        OnNewDocument();
    }
}

void CVRK410Doc::OnFileOpen() {
    if (const auto path = dialogs_.chooseOpenFile(&view_)) {
        OpenDocumentFile(*path);
    }
}

bool CVRK410Doc::OnFileSave() {
    if (path_.isEmpty()) {
        return OnFileSaveAs();
    }
    return DoSave(path_);
}

bool CVRK410Doc::OnFileSaveAs() {
    const QString suggested = path_.isEmpty() ? QString::fromUtf8(texts::kUntitled) : path_;
    const auto path = dialogs_.chooseSaveFile(&view_, suggested);
    return path && DoSave(*path);
}

}  // namespace vrk

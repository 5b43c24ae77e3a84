#pragma once

#include <QObject>
#include <QString>

namespace vrk {

class CVRK410View;
class RecentFileList;
class ShellDialogs;
class ShellPrompter;

// The document: a file name and the view's bytes, loaded and saved unchanged. Saving goes through
// the file writer, so a failed save leaves the old file whole (or says that it may be damaged)
// and the text still modified.
class CVRK410Doc final : public QObject {
    Q_OBJECT
  public:
    // The old edit control's limit (1,048,575 bytes) was the control's, not the data's: a long
    // download must open again once saved.
    static constexpr qint64 kMaxFileSize = 16 * 1024 * 1024;

    CVRK410Doc(CVRK410View& view, ShellPrompter& prompter, ShellDialogs& dialogs,
               RecentFileList& recent, QObject* parent = nullptr);

    const QString& pathName() const { return path_; }
    // "无标题 - VRK410" or "name - VRK410".
    QString windowTitle() const;
    bool isModified() const;

    bool OnNewDocument();
    // Opens `path` after the save question; the current text stays on every failure.
    bool OpenDocumentFile(const QString& path);
    bool DoSave(const QString& path);
    // The save-on-close question; true when the caller may go on.
    bool SaveModified();

    void OnFileNew();
    void OnFileOpen();
    bool OnFileSave();
    bool OnFileSaveAs();

  signals:
    void titleChanged(const QString& title);
    void recentFilesChanged();

  private:
    bool readFile(const QString& path);
    void setPath(const QString& path);

    CVRK410View& view_;
    ShellPrompter& prompter_;
    ShellDialogs& dialogs_;
    RecentFileList& recent_;
    QString path_;
};

}  // namespace vrk

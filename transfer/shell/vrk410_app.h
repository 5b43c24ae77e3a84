#pragma once

#include <QStringList>

#include <memory>

#include "shell/command_line_info.h"
#include "shell/transfer/port_factory.h"

namespace vrk {

class CMainFrame;
class CVRK410Doc;
class CVRK410View;
class MessageBoxPrompter;
class QtShellDialogs;
class RecentFileList;
class ShellDialogs;
class ShellPrompter;
class Sleeper;

// The application: profile, the one document, frame and view, and the command line. Tests and
// benchmarks pass their own prompter, dialogs and port; the program uses the real ones.
class CVRK410App {
  public:
    struct Overrides {
        ShellPrompter* prompter = nullptr;
        ShellDialogs* dialogs = nullptr;
        PortFactory portFactory;
        Sleeper* sleeper = nullptr;
    };

    CVRK410App();
    explicit CVRK410App(Overrides overrides);
    ~CVRK410App();
    CVRK410App(const CVRK410App&) = delete;
    CVRK410App& operator=(const CVRK410App&) = delete;

    // Start-up; false when the command line could not be carried out. `exitNow` is set when
    // the command line was a print request that has been done.
    bool InitInstance(const QStringList& args, bool* exitNow = nullptr);

    CMainFrame& frame() { return *frame_; }
    CVRK410Doc& document() { return *doc_; }
    CVRK410View& view() { return *view_; }
    RecentFileList& recentFiles() { return *recent_; }

  private:
    bool printFile(const QString& fileName, const QString& printerName);

    std::unique_ptr<MessageBoxPrompter> ownPrompter_;
    std::unique_ptr<QtShellDialogs> ownDialogs_;
    ShellPrompter* prompter_;
    ShellDialogs* dialogs_;
    std::unique_ptr<RecentFileList> recent_;
    std::unique_ptr<CVRK410View> view_;
    std::unique_ptr<CVRK410Doc> doc_;
    std::unique_ptr<CMainFrame> frame_;
};

}  // namespace vrk

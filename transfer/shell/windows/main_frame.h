#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QPrinter>

#include <memory>

class QAction;
class QLabel;
class QMenu;
class QTimer;
class QToolBar;

namespace vrk {

class CVRK410Doc;
class CVRK410View;
class CPointPlotWindow;
class RecentFileList;
class CTranscriptWindow;
class ShellDialogs;
class ShellPrompter;

// The main window: menus, toolbar, status bar, the one view and its document. Menu items show
// their shortcut texts as labels only; the accelerator table alone decides what keys do.
class CMainFrame final : public QMainWindow {
    Q_OBJECT
  public:
    CMainFrame(CVRK410View& view, CVRK410Doc& doc, ShellDialogs& dialogs, RecentFileList& recent);
    ~CMainFrame() override;

    // The menu or toolbar command with this id (also the QAction's objectName).
    QAction* command(int id) const;
    QLabel* messagePane() const { return message_; }
    QPrinter& printer() { return printer_; }

    void OnFileExport();
    void OnFilePrint();
    void OnFilePrintPreview();
    void OnFilePrintSetup();
    void OnAppAbout();
    void OnPortMapping();
    void OnCommTranscript();
    // 点位图: shows the one plot window, made on first use.
    void OnViewPointPlot();
    CPointPlotWindow* pointPlot() const;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    QAction* addCommand(QMenu* menu, int id, const char* label, const char* shortcutText);
    void buildMenus();
    void buildToolBar();
    void buildStatusBar();
    void buildAccelerators();
    void rebuildRecentFiles();
    void updateMessagePane();
    void enableConversions(bool enabled);
    void paintText(QPrinter* printer);

    CVRK410View& view_;
    CVRK410Doc& doc_;
    ShellDialogs& dialogs_;
    RecentFileList& recent_;
    QPrinter printer_;
    QMenu* fileMenu_ = nullptr;
    QAction* mruPlaceholder_ = nullptr;
    QList<QAction*> mruActions_;
    QToolBar* toolBar_ = nullptr;
    QLabel* message_ = nullptr;
    CTranscriptWindow* transcript_ = nullptr;
    QTimer* progressTimer_ = nullptr;
    QPointer<CPointPlotWindow> pointPlot_;
};

}  // namespace vrk

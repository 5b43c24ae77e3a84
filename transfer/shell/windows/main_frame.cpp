#include "shell/windows/main_frame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <utility>

#include "shell/dialogs/shell_dialogs.h"
#include "shell/dialogs/shell_prompter.h"
#include "shell/export/export_dlg.h"
#include "shell/export/export_texts.h"
#include "shell/import/import_command.h"
#include "shell/plot/point_plot_window.h"
#include "shell/printing/text_printer.h"
#include "shell/windows/command_ids.h"
#include "shell/windows/recent_file_list.h"
#include "shell/windows/shell_texts.h"
#include "shell/windows/toolbar_icons.h"
#include "shell/windows/transcript_window.h"
#include "shell/windows/vrk410_doc.h"
#include "shell/windows/vrk410_view.h"

namespace vrk {

namespace {

constexpr int kProgressIntervalMs = 200;
constexpr QSize kToolButtonSize(16, 15);

// Status-bar prompt before "\n", tooltip after it.
struct Prompt {
    int id;
    const char* text;
};
constexpr Prompt kPrompts[] = {
    {ids::kConvertDelf, "将当前数据转换成DELF坐标格式"},
    {ids::kCommSettings, "设置与全站仪之间的通讯参数\n通讯参数"},
    {ids::kDownload, "从全站仪读取数据\n下传数据"},
    {ids::kUploadCoords, "向全站仪发送DELF格式坐标数据\n上传坐标"},
    {ids::kUploadPcode, "向全站仪发送文本格式PCODE数据\n上传PCODE"},
    {ids::kConvertPcode, "将当前数据转换为按行表示的PCODE格式"},
    {ids::kFileNew, "建立新文档\n新建"},
    {ids::kFileOpen, "打开一个现有文档\n打开"},
    {ids::kFileSave, "保存活动文档\n保存"},
    {ids::kFileSaveAs, "用新名称保存活动文档\n另存为"},
    {ids::kFilePrint, "打印活动文档\n打印"},
    {ids::kFilePrintPreview, "显示整页\n打印预览"},
    {ids::kFilePageSetup, "更改打印机选项\n打印设置"},
    {ids::kAppExit, "退出应用程序；提示保存文档\n退出"},
    {ids::kEditUndo, "撤消最后一步操作\n撤消"},
    {ids::kEditCut, "剪切所选内容，将其放入剪贴板\n剪切"},
    {ids::kEditCopy, "复制所选内容，将其放入剪贴板\n复制"},
    {ids::kEditPaste, "插入剪贴板内容\n粘贴"},
    {ids::kViewToolbar, "显示或隐藏工具栏\n显隐工具栏"},
    {ids::kViewStatusBar, "显示或隐藏状态栏\n显隐状态栏"},
    {ids::kAppAbout, "显示程序信息、版本号和版权\n关于"},
    {ids::kPortMapping, "选择每个通讯口对应的串口设备\n端口映射"},
    {ids::kCommTranscript, "显示当前或最近一次通讯的逐字节记录\n通讯记录"},
    {ids::kViewPointPlot, "按坐标绘出视图中DELF坐标行的点\n点位图"},
    {ids::kFileImport, "读入其他全站仪或表格的坐标文件,转为DELF坐标行\n导入"},
    {ids::kFileExport, texts::kExportPrompt},
};

void ApplyPrompt(QAction* action, int id) {
    for (const Prompt& p : kPrompts) {
        if (p.id == id) {
            const QStringList parts = QString::fromUtf8(p.text).split(QLatin1Char('\n'));
            action->setStatusTip(parts.value(0));
            action->setToolTip(parts.size() > 1 ? parts[1] : parts.value(0));
            return;
        }
    }
}

}  // namespace

CMainFrame::CMainFrame(CVRK410View& view, CVRK410Doc& doc, ShellDialogs& dialogs,
                       RecentFileList& recent)
    : view_(view), doc_(doc), dialogs_(dialogs), recent_(recent) {
    setObjectName(QStringLiteral("CMainFrame"));
    setCentralWidget(&view_);
    buildMenus();
    buildToolBar();
    buildStatusBar();
    buildAccelerators();
    rebuildRecentFiles();
    setWindowTitle(doc_.windowTitle());
    connect(&doc_, &CVRK410Doc::titleChanged, this, &QWidget::setWindowTitle);
    connect(&doc_, &CVRK410Doc::recentFilesChanged, this, &CMainFrame::rebuildRecentFiles);
    progressTimer_ = new QTimer(this);
    progressTimer_->setInterval(kProgressIntervalMs);
    connect(progressTimer_, &QTimer::timeout, this, &CMainFrame::updateMessagePane);
    connect(&view_, &CVRK410View::transferStarted, this, [this] {
        enableConversions(false);
        updateMessagePane();
        progressTimer_->start();
    });
    connect(&view_, &CVRK410View::transferFinished, this, [this] {
        progressTimer_->stop();
        updateMessagePane();
        enableConversions(true);
    });
    connect(&view_, &CVRK410View::conversionReported, message_, &QLabel::setText);
    resize(760, 520);
}

void CMainFrame::enableConversions(bool enabled) {
    for (const int id : {ids::kConvertDelf, ids::kConvertPcode, ids::kFileImport}) {
        command(id)->setEnabled(enabled);
    }
}

CPointPlotWindow* CMainFrame::pointPlot() const {
    return pointPlot_;
}

void CMainFrame::OnViewPointPlot() {
    if (pointPlot_ == nullptr) {
        // A child of the frame, so it closes with it; a window of its own, so it is not modal.
        pointPlot_ = new CPointPlotWindow(view_, dialogs_, printer_, this);
    } else {
        pointPlot_->reload();
    }
    pointPlot_->show();
    pointPlot_->raise();
    pointPlot_->activateWindow();
}

CMainFrame::~CMainFrame() {
    // The view belongs to the application, not to the window.
    view_.setParent(nullptr);
}

QAction* CMainFrame::command(int id) const {
    return findChild<QAction*>(QString::number(id));
}

QAction* CMainFrame::addCommand(QMenu* menu, int id, const char* label, const char* shortcutText) {
    QString text = QString::fromUtf8(label);
    if (shortcutText != nullptr) {
        // Shown beside the label only: these are not the keys' bindings.
        text += QLatin1Char('\t') + QString::fromLatin1(shortcutText);
    }
    QAction* action = command(id);
    if (action == nullptr) {
        action = new QAction(text, this);
        action->setObjectName(QString::number(id));
        action->setShortcutContext(Qt::WidgetShortcut);
        ApplyPrompt(action, id);
    }
    if (menu != nullptr) {
        menu->addAction(action);
    }
    return action;
}

void CMainFrame::buildMenus() {
    QMenuBar* bar = menuBar();
    fileMenu_ = bar->addMenu(QString::fromUtf8("文件(&F)"));
    connect(addCommand(fileMenu_, ids::kFileNew, "新建(&N)", "Ctrl+N"), &QAction::triggered, &doc_,
            &CVRK410Doc::OnFileNew);
    connect(addCommand(fileMenu_, ids::kFileOpen, "打开(&O)...", "Ctrl+O"), &QAction::triggered,
            &doc_, &CVRK410Doc::OnFileOpen);
    connect(addCommand(fileMenu_, ids::kFileImport, "导入(&I)...", nullptr), &QAction::triggered,
            this, [this] {
                const QString status = OnFileImport(view_, dialogs_, this);
                if (!status.isEmpty()) {
                    message_->setText(status);
                }
            });
    connect(addCommand(fileMenu_, ids::kFileSave, "保存(&S)", "Ctrl+S"), &QAction::triggered, &doc_,
            &CVRK410Doc::OnFileSave);
    connect(addCommand(fileMenu_, ids::kFileSaveAs, "另存为(&A)...", nullptr), &QAction::triggered,
            &doc_, &CVRK410Doc::OnFileSaveAs);
    connect(addCommand(fileMenu_, ids::kFileExport, texts::kExportMenu, nullptr),
            &QAction::triggered, this, &CMainFrame::OnFileExport);
    fileMenu_->addSeparator();
    connect(addCommand(fileMenu_, ids::kFilePrint, "打印(&P)...", "Ctrl+P"), &QAction::triggered,
            this, &CMainFrame::OnFilePrint);
    connect(addCommand(fileMenu_, ids::kFilePrintPreview, "打印预览(&V)", nullptr),
            &QAction::triggered, this, &CMainFrame::OnFilePrintPreview);
    connect(addCommand(fileMenu_, ids::kFilePageSetup, "打印设置(&R)...", nullptr),
            &QAction::triggered, this, &CMainFrame::OnFilePrintSetup);
    fileMenu_->addSeparator();
    mruPlaceholder_ = addCommand(fileMenu_, ids::kFileMru, "最近文件", nullptr);
    mruPlaceholder_->setEnabled(false);
    fileMenu_->addSeparator();
    connect(addCommand(fileMenu_, ids::kAppExit, "退出(&X)", nullptr), &QAction::triggered, this,
            &QWidget::close);

    QMenu* edit = bar->addMenu(QString::fromUtf8("编辑(&E)"));
    connect(addCommand(edit, ids::kEditUndo, "撤消(&U)", "Ctrl+Z"), &QAction::triggered, &view_,
            &QPlainTextEdit::undo);
    edit->addSeparator();
    connect(addCommand(edit, ids::kEditCut, "剪切(&T)", "Ctrl+X"), &QAction::triggered, &view_,
            &QPlainTextEdit::cut);
    connect(addCommand(edit, ids::kEditCopy, "复制(&C)", "Ctrl+C"), &QAction::triggered, &view_,
            &QPlainTextEdit::copy);
    connect(addCommand(edit, ids::kEditPaste, "粘贴(&P)", "Ctrl+V"), &QAction::triggered, &view_,
            &QPlainTextEdit::paste);

    QMenu* comm = bar->addMenu(QString::fromUtf8("通讯(&C)"));
    connect(addCommand(comm, ids::kCommSettings, "通讯参数(&T)", "Ctrl+T"), &QAction::triggered,
            &view_, &CVRK410View::OnCommSettings);
    connect(addCommand(comm, ids::kPortMapping, "端口映射(&M)...", nullptr), &QAction::triggered,
            this, &CMainFrame::OnPortMapping);
    comm->addSeparator();
    connect(addCommand(comm, ids::kDownload, "下传数据(&C)", "Ctrl+C"), &QAction::triggered, &view_,
            &CVRK410View::OnDownload);
    comm->addSeparator();
    connect(addCommand(comm, ids::kUploadCoords, "上传坐标(&Z)", "Ctrl+Z"), &QAction::triggered,
            &view_, &CVRK410View::OnUploadCoords);
    connect(addCommand(comm, ids::kUploadPcode, "上传PCODE(&O)", "Ctrl+O"), &QAction::triggered,
            &view_, &CVRK410View::OnUploadPcode);
    comm->addSeparator();
    connect(addCommand(comm, ids::kCommTranscript, "通讯记录(&L)...", nullptr), &QAction::triggered,
            this, &CMainFrame::OnCommTranscript);

    QMenu* convert = bar->addMenu(QString::fromUtf8("转换(&T)"));
    connect(addCommand(convert, ids::kConvertDelf, "DELF坐标(&C)", "Ctrl+C"), &QAction::triggered,
            &view_, &CVRK410View::OnConvertDelf);
    connect(addCommand(convert, ids::kConvertPcode, "PCODE编码(&P)", "Ctrl+P"), &QAction::triggered,
            &view_, &CVRK410View::OnConvertPcode);

    QMenu* viewMenu = bar->addMenu(QString::fromUtf8("查看(&V)"));
    QAction* toolbar = addCommand(viewMenu, ids::kViewToolbar, "工具栏(&T)", nullptr);
    toolbar->setCheckable(true);
    toolbar->setChecked(true);
    QAction* status = addCommand(viewMenu, ids::kViewStatusBar, "状态栏(&S)", nullptr);
    status->setCheckable(true);
    status->setChecked(true);
    connect(status, &QAction::toggled, this, [this](bool on) { statusBar()->setVisible(on); });
    connect(addCommand(viewMenu, ids::kViewPointPlot, "点位图(&M)...", nullptr),
            &QAction::triggered, this, &CMainFrame::OnViewPointPlot);

    QMenu* help = bar->addMenu(QString::fromUtf8("帮助(&H)"));
    connect(addCommand(help, ids::kAppAbout, "关于 VRK410(&A)...", nullptr), &QAction::triggered,
            this, &CMainFrame::OnAppAbout);
}

void CMainFrame::buildToolBar() {
    toolBar_ = new QToolBar(this);
    toolBar_->setObjectName(QString::number(ids::kMainTemplate));
    toolBar_->setIconSize(kToolButtonSize);
    toolBar_->setAllowedAreas(Qt::AllToolBarAreas);
    const auto button = [this](int id, const char* icon) {
        QAction* action = command(id);
        action->setIcon(ToolbarIcon(icon));
        toolBar_->addAction(action);
    };
    button(ids::kFileNew, "new");
    button(ids::kFileOpen, "open");
    button(ids::kFileSave, "save");
    toolBar_->addSeparator();
    button(ids::kEditCut, "cut");
    button(ids::kEditCopy, "copy");
    button(ids::kEditPaste, "paste");
    toolBar_->addSeparator();
    button(ids::kFilePrint, "print");
    toolBar_->addSeparator();
    button(ids::kAppAbout, "about");
    addToolBar(Qt::TopToolBarArea, toolBar_);
    QAction* toggle = command(ids::kViewToolbar);
    connect(toggle, &QAction::toggled, toolBar_, &QWidget::setVisible);
    connect(toolBar_, &QToolBar::visibilityChanged, toggle, &QAction::setChecked);
}

void CMainFrame::buildStatusBar() {
    QStatusBar* bar = statusBar();
    message_ = new QLabel(QString::fromUtf8(texts::kReady));
    message_->setObjectName(QStringLiteral("0"));
    bar->addWidget(message_, 1);
    const auto indicator = [bar](int id, const char* text) {
        auto* label = new QLabel(QString::fromUtf8(text));
        label->setObjectName(QString::number(id));
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        // The lock states are not readable here; the panes keep their place and stay dim.
        label->setEnabled(false);
        bar->addPermanentWidget(label);
    };
    indicator(ids::kIndicatorCaps, texts::kCaps);
    indicator(ids::kIndicatorNum, texts::kNum);
    indicator(ids::kIndicatorScroll, texts::kScroll);
}

void CMainFrame::buildAccelerators() {
    // Accelerator table 128: every key runs a framework command, none a communication or
    // conversion command, whatever the menus show beside those items.
    struct Accelerator {
        QKeySequence keys;
        int id;
    };
    const Accelerator table[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_N), ids::kFileNew},
        {QKeySequence(Qt::CTRL | Qt::Key_O), ids::kFileOpen},
        {QKeySequence(Qt::CTRL | Qt::Key_S), ids::kFileSave},
        {QKeySequence(Qt::CTRL | Qt::Key_P), ids::kFilePrint},
        {QKeySequence(Qt::CTRL | Qt::Key_Z), ids::kEditUndo},
        {QKeySequence(Qt::CTRL | Qt::Key_X), ids::kEditCut},
        {QKeySequence(Qt::CTRL | Qt::Key_C), ids::kEditCopy},
        {QKeySequence(Qt::CTRL | Qt::Key_V), ids::kEditPaste},
        {QKeySequence(Qt::ALT | Qt::Key_Backspace), ids::kEditUndo},
        {QKeySequence(Qt::SHIFT | Qt::Key_Delete), ids::kEditCut},
        {QKeySequence(Qt::CTRL | Qt::Key_Insert), ids::kEditCopy},
        {QKeySequence(Qt::SHIFT | Qt::Key_Insert), ids::kEditPaste},
    };
    for (const Accelerator& a : table) {
        auto* shortcut = new QShortcut(a.keys, this);
        shortcut->setContext(Qt::WindowShortcut);
        QAction* action = command(a.id);
        connect(shortcut, &QShortcut::activated, action, &QAction::trigger);
    }
    // Next and previous pane: the frame has one pane, the view.
    for (const auto& [keys, id] :
         {std::pair{QKeySequence(Qt::Key_F6), ids::kNextPane},
          std::pair{QKeySequence(Qt::SHIFT | Qt::Key_F6), ids::kPrevPane}}) {
        auto* shortcut = new QShortcut(keys, this);
        shortcut->setObjectName(QString::number(id));
        connect(shortcut, &QShortcut::activated, &view_, [this] { view_.setFocus(); });
    }
}

void CMainFrame::rebuildRecentFiles() {
    for (QAction* action : mruActions_) {
        fileMenu_->removeAction(action);
        action->deleteLater();
    }
    mruActions_.clear();
    const QStringList& entries = recent_.entries();
    mruPlaceholder_->setVisible(entries.isEmpty());
    for (int i = 0; i < entries.size(); ++i) {
        auto* action = new QAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(entries[i])), this);
        action->setObjectName(QString::number(ids::kFileMru + i));
        const QString path = entries[i];
        connect(action, &QAction::triggered, &doc_, [this, path] { doc_.OpenDocumentFile(path); });
        fileMenu_->insertAction(mruPlaceholder_, action);
        mruActions_.append(action);
    }
}

void CMainFrame::updateMessagePane() {
    message_->setText(view_.progress().describe(view_.commSettings().m_nRecvDelay));
}

void CMainFrame::paintText(QPrinter* printer) {
    PrintText(view_.toPlainText(), view_.font(), *printer);
}

void CMainFrame::OnFilePrint() {
    if (dialogs_.choosePrinter(this, printer_)) {
        paintText(&printer_);
    }
}

void CMainFrame::OnFilePrintPreview() {
    int pages = recent_.previewPages();
    dialogs_.preview(this, printer_, pages, [this](QPrinter* p) { paintText(p); });
    recent_.setPreviewPages(pages);
}

void CMainFrame::OnFilePrintSetup() {
    dialogs_.pageSetup(this, printer_);
}

void CMainFrame::OnFileExport() {
    const QString written = ShowExportDialog(this, view_, dialogs_);
    if (!written.isEmpty()) {
        statusBar()->showMessage(written);
    }
}

void CMainFrame::OnPortMapping() {
    dialogs_.editPortMapping(this);
}

void CMainFrame::OnAppAbout() {
    dialogs_.about(this);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    // The save question comes first; only a confirmed exit gives the transfer up.
    if (!doc_.SaveModified()) {
        event->ignore();
        return;
    }
    view_.abandonTransfer();
    recent_.save();
    event->accept();
}

void CMainFrame::OnCommTranscript() {
    if (transcript_ == nullptr) {
        transcript_ = new CTranscriptWindow(view_.transcript(), dialogs_, view_.prompter(), this);
    }
    transcript_->refresh();
    transcript_->show();
    transcript_->raise();
    transcript_->activateWindow();
}

}  // namespace vrk

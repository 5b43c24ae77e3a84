#include <QAction>
#include <QClipboard>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

#include "shell/windows/command_ids.h"
#include "shell/windows/main_frame.h"
#include "shell/windows/vrk410_doc.h"
#include "shell/windows/vrk410_view.h"
#include "shell_test_support.h"

namespace {

using namespace vrk;
using shelltest::Harness;

// The menu table itself is the frame's to state; what matters is that the shortcut texts beside
// the items are labels only (the keys do what the accelerator table says), and the prompts.
TEST(MainWindow, MenusShowShortcutTextsThatNoItemOwns) {
    Harness h;
    ASSERT_TRUE(h.app->InitInstance({}));
    CMainFrame& frame = h.app->frame();
    QStringList titles;
    for (const QAction* a : frame.menuBar()->actions()) {
        titles << a->text();
    }
    EXPECT_EQ(titles, (QStringList{"文件(&F)", "编辑(&E)", "通讯(&C)", "转换(&T)", "查看(&V)",
                                   "帮助(&H)"}));
    // 导入 follows 打开 and 导出 follows 另存为, where a surveyor looks for them.
    const QList<QAction*> file = frame.menuBar()->actions()[0]->menu()->actions();
    EXPECT_EQ(file.indexOf(frame.command(ids::kFileImport)),
              file.indexOf(frame.command(ids::kFileOpen)) + 1);
    EXPECT_EQ(file.indexOf(frame.command(ids::kFileExport)),
              file.indexOf(frame.command(ids::kFileSaveAs)) + 1);
    EXPECT_EQ(frame.command(ids::kDownload)->text(), "下传数据(&C)\tCtrl+C");
    EXPECT_EQ(frame.command(ids::kConvertDelf)->text(), "DELF坐标(&C)\tCtrl+C");
    for (QAction* a : frame.findChildren<QAction*>()) {
        EXPECT_TRUE(a->shortcut().isEmpty()) << a->text().toStdString();
    }
    EXPECT_FALSE(frame.command(ids::kFileMru)->isEnabled());
    EXPECT_EQ(frame.command(ids::kDownload)->statusTip(), "从全站仪读取数据");
    EXPECT_EQ(frame.command(ids::kDownload)->toolTip(), "下传数据");
    EXPECT_EQ(frame.command(ids::kConvertDelf)->statusTip(), "将当前数据转换成DELF坐标格式");
}

TEST(MainWindow, ToolbarStatusBarAndTitle) {
    Harness h;
    ASSERT_TRUE(h.app->InitInstance({}));
    CMainFrame& frame = h.app->frame();
    EXPECT_EQ(frame.windowTitle(), "无标题 - VRK410");
    auto* toolbar = frame.findChild<QToolBar*>("128");
    ASSERT_NE(toolbar, nullptr);
    QStringList buttons;
    for (const QAction* a : toolbar->actions()) {
        buttons << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
    }
    EXPECT_EQ(buttons, (QStringList{"57600", "57601", "57603", "-", "57635", "57634", "57637", "-",
                                    "57607", "-", "57664"}));
    EXPECT_EQ(frame.messagePane()->text(), "就绪");
    EXPECT_EQ(frame.findChild<QLabel*>("59137")->text(), "大写");
    EXPECT_EQ(frame.findChild<QLabel*>("59138")->text(), "数字");
    EXPECT_EQ(frame.findChild<QLabel*>("59139")->text(), "滚动");
    frame.command(ids::kViewStatusBar)->trigger();
    EXPECT_FALSE(frame.statusBar()->isVisible());
    frame.command(ids::kViewToolbar)->trigger();
    EXPECT_FALSE(toolbar->isVisible());
}

TEST(MainWindow, EveryMenuItemReachesItsHandler) {
    Harness h;
    ASSERT_TRUE(h.app->InitInstance({}));
    CMainFrame& frame = h.app->frame();
    for (int id : {ids::kFileOpen, ids::kFileSaveAs, ids::kFilePrint, ids::kFilePrintPreview,
                   ids::kFilePageSetup, ids::kAppAbout, ids::kCommSettings, ids::kPortMapping}) {
        frame.command(id)->trigger();
    }
    EXPECT_EQ(h.dialogs.calls,
              (std::vector<std::string>{"open", "save", "print", "preview", "pagesetup", "about",
                                        "settings", "ports"}));
    // An empty view: the conversions tell their failure, the transfers start and fail to open.
    h.line->openFails = true;
    frame.command(ids::kConvertDelf)->trigger();
    frame.command(ids::kConvertPcode)->trigger();
    frame.command(ids::kDownload)->trigger();
    ASSERT_TRUE(shelltest::WaitFor([&] { return !h.app->view().isTransferRunning(); }));
    frame.command(ids::kUploadCoords)->trigger();
    ASSERT_TRUE(shelltest::WaitFor([&] { return !h.app->view().isTransferRunning(); }));
    frame.command(ids::kUploadPcode)->trigger();
    ASSERT_TRUE(shelltest::WaitFor([&] { return h.prompter.shown.size() >= 7; }));
    // The download emptied the view, which counts as a change: the uploads ask first.
    EXPECT_EQ(h.prompter.texts(),
              (std::vector<std::string>{"转换失败\n文本中没有换行符(LF)",
                                        "转换失败\n文本中没有换行符(LF)", "无法创建通讯口!",
                                        "文本尚未存盘,是否继续?", "无法创建通讯口!",
                                        "文本尚未存盘,是否继续?", "无法创建通讯口!"}));
    EXPECT_EQ(h.line->opens, 3);
}

TEST(MainWindow, KeysDoWhatTheAcceleratorTableSaysNotWhatTheMenusShow) {
    Harness h;
    ASSERT_TRUE(h.app->InitInstance({}));
    CMainFrame& frame = h.app->frame();
    CVRK410View& view = h.app->view();
    frame.activateWindow();
    view.setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));

    QTest::keyClicks(&view, "abc");
    view.selectAll();
    QApplication::clipboard()->clear();
    QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "abc");
    EXPECT_TRUE(h.line->opens == 0 && h.prompter.shown.empty());  // no download started

    view.setPlainText("abc");  // a fresh undo history
    view.moveCursor(QTextCursor::End);
    QTest::keyClicks(&view, "d");
    QTest::keyClick(&view, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(view.toPlainText(), "abc");

    QTest::keyClick(&view, Qt::Key_T, Qt::ControlModifier);
    EXPECT_TRUE(h.dialogs.calls.empty());
    QTest::keyClick(&view, Qt::Key_O, Qt::ControlModifier);
    QTest::keyClick(&view, Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(h.dialogs.calls, (std::vector<std::string>{"open", "print"}));
    EXPECT_EQ(h.line->opens, 0);
}

}  // namespace

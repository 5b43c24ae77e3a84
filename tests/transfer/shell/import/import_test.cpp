#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

#include "shell/import/import_dlg.h"
#include "shell/import/import_report_window.h"
#include "shell/windows/command_ids.h"
#include "shell/windows/main_frame.h"
#include "shell/windows/vrk410_view.h"
#include "shell_test_support.h"

namespace {

using namespace vrk;
using shelltest::Harness;

const QString kSamples = QStringLiteral(VRK_SAMPLES_DIR);

// Answers the import dialog when it comes up: `answer` sets it, then it is confirmed.
void AnswerImportDialog(const std::function<void(CImportDlg&)>& answer) {
    QTimer::singleShot(0, [answer] {
        auto* dialog = qobject_cast<CImportDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        answer(*dialog);
        dialog->accept();
    });
}

void SetViewText(Harness& h, const char* text) {
    h.app->view().loadRawText({});
    h.app->view().textServices().setText(text);
}

TEST(Import, AskFirstThenReplaceTheTextAndReportWhatWasSkipped) {
    Harness h;
    ASSERT_TRUE(h.app->InitInstance({}));
    SetViewText(h, "unsaved");
    h.dialogs.openFile = kSamples + QStringLiteral("/survey.gsi");
    QString detected;
    AnswerImportDialog([&](CImportDlg& dialog) {
        detected = dialog.formatCombo()->currentText();
        EXPECT_FALSE(dialog.findChild<QPlainTextEdit*>(QString::number(ids::kImportPreview))
                         ->toPlainText()
                         .isEmpty());
    });
    h.app->frame().command(ids::kFileImport)->trigger();

    ASSERT_EQ(h.prompter.texts(), (std::vector<std::string>{"文本尚未存盘,是否继续?"}));
    EXPECT_EQ(h.dialogs.calls, (std::vector<std::string>{"open"}));
    EXPECT_EQ(detected, "GSI (GSI-8 / GSI-16)");
    EXPECT_EQ(h.app->view().textServices().getText(),
              "K1,CTRL,500123.456,3012345.678,45.678\r\n"
              "K2,CTRL,500223.456,3012345.678,46.012\r\n"
              "K3,CTRL,500173.456,3012245.678,\r\n"
              "P1,WALL,500193.949,3012275.185,53.724\r\n"
              "P2,TREE,500093.550,3012315.772,47.207\r\n"
              "P3,TREE,500097.342,3012371.893,45.006\r\n");
    EXPECT_EQ(h.app->frame().messagePane()->text(), "导入 6 个点, 跳过 1 条");
    auto* report = h.app->frame().findChild<CImportReportWindow*>();
    ASSERT_NE(report, nullptr);
    EXPECT_EQ(report->reportText(),
              "第 3 行: 没有高程,H 留空\n第 9 行: (跳过) 观测没有距离,不推算");
}

TEST(Import, NoToTheQuestionOrARefusedFileLeavesTheViewAsItWas) {
    Harness h;
    ASSERT_TRUE(h.app->InitInstance({}));
    SetViewText(h, "keep me");
    h.dialogs.openFile = kSamples + QStringLiteral("/points-gbk.csv");
    h.prompter.yesNo = {false};
    h.app->frame().command(ids::kFileImport)->trigger();
    EXPECT_TRUE(h.dialogs.calls.empty());

    AnswerImportDialog([](CImportDlg& dialog) {
        dialog.formatCombo()->setCurrentIndex(
            dialog.formatCombo()->findData(static_cast<int>(ImportFormat::Sdr)));
    });
    h.app->frame().command(ids::kFileImport)->trigger();
    EXPECT_EQ(h.prompter.texts().back(), "文件不是 SDR 格式: 第 1 行读不下去(不是 SDR 记录)");
    EXPECT_EQ(h.app->view().textServices().getText(), "keep me");
    EXPECT_TRUE(h.app->view().textServices().isTextModified());
    EXPECT_EQ(h.app->frame().messagePane()->text(), "就绪");
}

TEST(Import, TheColumnMapChosenIsOfferedForTheNextFile) {
    Harness h;
    ASSERT_TRUE(h.app->InitInstance({}));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("controller.txt"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("7 100.5 200.25 3\r\n8 101 201 4\r\n");
    file.close();
    h.dialogs.openFile = path;
    AnswerImportDialog([](CImportDlg& dialog) {
        ASSERT_EQ(dialog.columnCount(), 4);
        const int roles[] = {
            static_cast<int>(ColumnRole::Name), static_cast<int>(ColumnRole::North),
            static_cast<int>(ColumnRole::East), static_cast<int>(ColumnRole::Height)};
        for (int c = 0; c < 4; ++c) {
            dialog.columnCombo(c)->setCurrentIndex(dialog.columnCombo(c)->findData(roles[c]));
        }
    });
    h.app->frame().command(ids::kFileImport)->trigger();
    EXPECT_EQ(h.app->view().textServices().getText(),
              "7,,200.250,100.500,3.000\r\n8,,201.000,101.000,4.000\r\n");

    std::vector<ColumnRole> offered;
    AnswerImportDialog([&](CImportDlg& dialog) { offered = dialog.choice().delimited.columns; });
    h.app->frame().command(ids::kFileImport)->trigger();
    EXPECT_EQ(offered, (std::vector<ColumnRole>{ColumnRole::Name, ColumnRole::North,
                                                ColumnRole::East, ColumnRole::Height}));
}

}  // namespace

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

#include "shell/export/crs_chooser.h"
#include "shell/export/export_dlg.h"
#include "shell/plot/point_plot_window.h"
#include "shell/windows/command_ids.h"
#include "shell/windows/main_frame.h"
#include "shell/windows/vrk410_view.h"
#include "shell_test_support.h"

namespace {

using namespace vrk;
using shelltest::Harness;

// Zone 38 eastings with the zone in front, a line that is no point, and one after an empty line.
const std::string kZone38Survey =
    "K1,ZD,38512345.678,3456789.012,12.5\r\n"
    "broken line\r\n"
    "K2,ZD,38512355.1,3456799.2,13\r\n"
    "\n"
    "K3,ZD,38512360,3456800,0\r\n";

class ExportDialog : public ::testing::Test {
  protected:
    void SetUp() override {
        ::setenv("VRK410_EXPORT_MODULE", EXPORT_MODULE, 1);
        ASSERT_TRUE(folder_.isValid());
    }
    CExportDlg& Open(const std::string& text) {
        dialog_ = std::make_unique<CExportDlg>(text, h_.dialogs, h_.prompter);
        return *dialog_;
    }
    void Choose(CExportDlg& dialog, ExportFormat format, const QString& name) {
        dialog.format().setCurrentIndex(dialog.format().findData(static_cast<int>(format)));
        dialog.file().setText(folder_.filePath(name));
    }

    Harness h_;
    QTemporaryDir folder_;
    std::unique_ptr<CExportDlg> dialog_;
};

TEST_F(ExportDialog, ComesFromTheFileMenuAfterSaveAsAndFromThePointPlot) {
    ASSERT_TRUE(h_.app->InitInstance({}));
    const QList<QAction*> actions = h_.app->frame().menuBar()->actions().front()->menu()->actions();
    const auto at = [&](int id) {
        return std::find_if(actions.begin(), actions.end(),
                            [id](QAction* a) { return a->objectName() == QString::number(id); }) -
               actions.begin();
    };
    EXPECT_EQ(at(ids::kFileExport), at(ids::kFileSaveAs) + 1);
    EXPECT_EQ(actions[at(ids::kFileExport)]->text(), "导出(&E)...");
    h_.app->frame().command(ids::kViewPointPlot)->trigger();
    EXPECT_NE(
        h_.app->frame().pointPlot()->findChild<QPushButton*>(QString::number(ids::kPlotExport)),
        nullptr);
}

TEST_F(ExportDialog, CountsThePointsNamesTheSkippedLinesAndProposesTheEastingsZone) {
    CExportDlg& dialog = Open(kZone38Survey);
    EXPECT_EQ(dialog.summary().text(), "将导出 2 个点,跳过 2 行:第 2、5 行");
    EXPECT_EQ(dialog.system().epsg(), 4526);
    EXPECT_EQ(dialog.system().systemName().text(),
              "EPSG:4526  CGCS2000 / 3-degree Gauss-Kruger zone 38");
    EXPECT_FALSE(dialog.system().proposal().text().isEmpty());
}

TEST_F(ExportDialog, ATypedCodeIsCheckedAgainstProjAsItIsTyped) {
    CExportDlg& dialog = Open(kZone38Survey);
    auto* kind = dialog.findChild<QComboBox*>(QString::number(ids::kCrsKind));
    auto* code = dialog.findChild<QLineEdit*>(QString::number(ids::kCrsEpsg));
    kind->setCurrentIndex(kind->findText("EPSG 代码"));
    code->setText("4547");
    EXPECT_TRUE(dialog.system().isValid());
    EXPECT_EQ(dialog.system().systemName().text(),
              "EPSG:4547  CGCS2000 / 3-degree Gauss-Kruger CM 114E");
    code->setText("999999");
    EXPECT_FALSE(dialog.system().isValid());
    EXPECT_EQ(dialog.system().systemName().text(), "PROJ 不认识 EPSG:999999");
}

TEST_F(ExportDialog, WritesTheFileAsksBeforeReplacingOneAndKeepsTheChoices) {
    CExportDlg& dialog = Open(kZone38Survey);
    Choose(dialog, ExportFormat::kGpkg, "survey");
    dialog.accept();
    EXPECT_EQ(dialog.result(), "已导出 2 个点到 " + folder_.filePath("survey.gpkg"));
    EXPECT_TRUE(QFile::exists(folder_.filePath("survey.gpkg")));
    EXPECT_TRUE(h_.prompter.texts().empty());

    // The next dialog starts with the same format and system, and asks about the file.
    QFile::remove(folder_.filePath("survey.gpkg"));
    QFile earlier(folder_.filePath("survey.gpkg"));
    ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
    earlier.write("earlier");
    earlier.close();
    CExportDlg& again = Open("K1,ZD,512345.678,3456789.012,12.5\r\n");
    EXPECT_EQ(again.format().currentData().toInt(), static_cast<int>(ExportFormat::kGpkg));
    EXPECT_EQ(again.system().epsg(), 4526);
    EXPECT_EQ(again.file().text(), folder_.filePath("survey.gpkg"));
    h_.prompter.yesNo = {false};
    again.accept();
    ASSERT_EQ(h_.prompter.texts().size(), 1u);
    EXPECT_EQ(h_.prompter.texts()[0],
              (folder_.filePath("survey.gpkg") + " 已存在。\n要替换它吗?").toStdString());
    ASSERT_TRUE(earlier.open(QIODevice::ReadOnly));
    EXPECT_EQ(earlier.readAll(), "earlier");
}

TEST_F(ExportDialog, ARefusalIsShownAndTheDialogStaysOpen) {
    CExportDlg& dialog = Open(kZone38Survey);
    auto* kind = dialog.findChild<QComboBox*>(QString::number(ids::kCrsKind));
    kind->setCurrentIndex(kind->findText("本地/未知"));
    Choose(dialog, ExportFormat::kKml, "survey.kml");
    dialog.show();
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(h_.prompter.texts().size(), 1u);
    EXPECT_EQ(h_.prompter.texts()[0].substr(0, 15), "GeoJSON 和 KML");
    EXPECT_FALSE(QFile::exists(folder_.filePath("survey.kml")));
}

}  // namespace

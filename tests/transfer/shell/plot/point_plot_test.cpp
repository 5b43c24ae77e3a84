#include <QAction>
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "shell/plot/point_plot_canvas.h"
#include "shell/plot/point_plot_window.h"
#include "shell/windows/command_ids.h"
#include "shell/windows/main_frame.h"
#include "shell/windows/vrk410_view.h"
#include "shell_test_support.h"

namespace {

using namespace vrk;
using shelltest::Harness;
using shelltest::WaitFor;

QPoint PixelOf(const CPointPlotCanvas& canvas, double y, double x) {
    const PlotPixel at = canvas.transform().toPixel(y, x);
    return {static_cast<int>(std::lround(at.px)), static_cast<int>(std::lround(at.py))};
}

TEST(PointPlot, PlotsTheViewsPointsAndAClickPutsTheCaretOnThePointsLine) {
    Harness h;
    ASSERT_TRUE(h.app->InitInstance({}));
    CVRK410View& view = h.app->view();
    view.textServices().setText(
        "A,ZD,100,200,1\r\n"
        "three,commas,only\r\n"
        "B,TR,110,210,2.5\r\n"
        "\r\n"
        "C,,120,190,3\r\n");
    h.app->frame().command(ids::kViewPointPlot)->trigger();
    CPointPlotWindow* plot = h.app->frame().pointPlot();
    ASSERT_NE(plot, nullptr);
    EXPECT_TRUE(plot->isVisible());
    EXPECT_FALSE(plot->isModal());
    EXPECT_EQ(plot->heading().text(), "已绘出 3 个点,跳过 1 行");

    const CPointPlotCanvas& canvas = plot->canvas();
    const QPoint b = PixelOf(canvas, 110, 210);
    const QPoint c = PixelOf(canvas, 120, 190);
    EXPECT_LT(b.x(), c.x()) << "east to the right";
    EXPECT_LT(b.y(), c.y()) << "north up";
    EXPECT_TRUE(canvas.rect().contains(b) && canvas.rect().contains(c)) << "all fit";

    // The ground under the cursor, in the plot's status line.
    QTest::mouseMove(&plot->canvas(), c);
    EXPECT_TRUE(WaitFor([&] {
        return plot->cursorInfo().text().contains(QStringLiteral("120.000"));
    })) << plot->cursorInfo().text().toStdString();
    EXPECT_TRUE(plot->cursorInfo().text().contains(QStringLiteral("190.000")));

    QTest::mouseClick(&plot->canvas(), Qt::LeftButton, {}, b);
    EXPECT_EQ(plot->pointInfo().text(),
              "点名 B   编码 TR   Y 110.000   X 210.000   H 2.500   第 3 行");
    EXPECT_EQ(view.textCursor().blockNumber(), 2);
    EXPECT_EQ(view.textCursor().positionInBlock(), 0);

    // The plot follows the text, but only after a pause.
    view.textServices().moveCaret(TextView::kEnd);
    view.insertPlainText(QStringLiteral("D,,130,220,4\r\n"));
    EXPECT_EQ(plot->heading().text(), "已绘出 3 个点,跳过 1 行");
    EXPECT_TRUE(WaitFor([&] { return plot->heading().text() == "已绘出 4 个点,跳过 1 行"; }));
}

TEST(PointPlot, SavesPngAndPdf) {
    Harness h;
    ASSERT_TRUE(h.app->InitInstance({}));
    h.app->view().textServices().setText("A,,0,0,0\r\nB,,10,10,0\r\n");
    h.app->frame().command(ids::kViewPointPlot)->trigger();
    CPointPlotWindow* plot = h.app->frame().pointPlot();
    ASSERT_NE(plot, nullptr);
    QTemporaryDir dir;
    h.dialogs.saveFile = dir.filePath(QStringLiteral("plot.png"));
    plot->findChild<QPushButton*>(QString::number(ids::kPlotSave))->click();
    const QImage image(*h.dialogs.saveFile);
    EXPECT_EQ(image.size(), plot->canvas().size());
    ASSERT_TRUE(plot->saveTo(dir.filePath(QStringLiteral("plot.pdf"))).ok());
    QFile pdf(dir.filePath(QStringLiteral("plot.pdf")));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");
    EXPECT_EQ(plot->saveTo(dir.filePath(QStringLiteral("missing/plot.png"))).fault,
              FileFault::FolderMissing);
}

// With VRK410_PLOT_SCREENSHOT set to a file name, the plot window is saved there (run under
// xvfb-run for the docs).
TEST(PointPlot, PlotsTheWholeSampleSurvey) {
    Harness h;
    ASSERT_TRUE(h.app->InitInstance({}));
    QFile sample(QStringLiteral(VRK_SAMPLES_DIR "/survey.delf"));
    ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
    h.app->view().loadRawText(sample.readAll().toStdString());
    h.app->frame().command(ids::kViewPointPlot)->trigger();
    CPointPlotWindow* plot = h.app->frame().pointPlot();
    ASSERT_NE(plot, nullptr);
    EXPECT_EQ(plot->heading().text(), "已绘出 200 个点,跳过 0 行");
    if (const char* shot = std::getenv("VRK410_PLOT_SCREENSHOT")) {
        plot->resize(860, 640);
        QCoreApplication::processEvents();
        const auto& points = plot->canvas().points();
        const auto inner = std::find_if(points.begin(), points.end(), [](const SurveyPoint& p) {
            return p.name.find("\xb7\xbf") == 0;  // a house corner, inside the site
        });
        if (inner != points.end()) {
            plot->selectPoint(static_cast<std::size_t>(inner - points.begin()));
        }
        QCoreApplication::processEvents();
        EXPECT_TRUE(plot->grab().save(QString::fromLocal8Bit(shot)));
    }
}

// The real question before an upload whose list has findings: 取消 sends nothing.
TEST(UploadCheck, TheRealBoxListsTheFindingsAndCancelOpensNoPort) {
    QTemporaryDir profile;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, profile.path());
    auto line = std::make_shared<shelltest::Line>();
    shelltest::ScriptedPrompter unused;
    shelltest::ScriptedDialogs dialogs(unused);
    int portsMade = 0;
    CVRK410App::Overrides o;
    o.dialogs = &dialogs;
    o.portFactory = [line, &portsMade](const std::atomic<bool>& abandoned) {
        ++portsMade;
        return std::make_unique<shelltest::ScriptedPort>(line, abandoned);
    };
    CVRK410App app(std::move(o));
    ASSERT_TRUE(app.InitInstance({}));
    app.view().loadRawText("P1,,1,2,3\r\nP1,,4,5,6\r\n");
    QString text;
    QStringList buttons;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            return;
        }
        text = box->text() + '\n' + box->informativeText();
        for (QAbstractButton* button : box->buttons()) {
            buttons << button->text();
            if (button->text() == QStringLiteral("取消")) {
                button->click();
            }
        }
    });
    answer.start(10);
    app.view().OnUploadCoords();
    EXPECT_EQ(text, "要发送的数据有以下问题,仍然发送吗?\n2: 点名与第1行重复");
    EXPECT_TRUE(buttons.contains("继续") && buttons.contains("取消"));
    EXPECT_FALSE(app.view().isTransferRunning());
    EXPECT_EQ(portsMade, 0);
}

}  // namespace

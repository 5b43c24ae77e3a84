#include <QApplication>
#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include "link/upload.h"
#include "shell/dialogs/comm_settings_dlg.h"
#include "shell/windows/command_ids.h"
#include "shell/windows/main_frame.h"
#include "shell/windows/vrk410_doc.h"
#include "shell/windows/vrk410_view.h"
#include "shell_test_support.h"

namespace {

using namespace vrk;
using shelltest::Harness;
using shelltest::WaitFor;

constexpr const char* kDiscard = "文本尚未存盘,是否继续?";

// What a download of these DELF lines looks like: one line per block as the instrument frames
// it, every line after the first with the extra LF the download keeps.
std::string DownloadedText(const std::string& delfLines) {
    const UploadJob job = BuildCoordUploadJob(delfLines);
    std::string text;
    std::size_t start = 0;
    for (std::size_t end = job.uploadBuffer.find('\x02'); end != std::string::npos;
         end = job.uploadBuffer.find('\x02', start)) {
        if (!text.empty()) {
            text += '\n';
        }
        text += '\x02' + job.uploadBuffer.substr(start, end - start) + "0000\x03\r\n";
        start = end + 1;
    }
    return text;
}

const std::string kSurvey = "A1,A1,1000.000,2000.000,50.000\r\nA2,A2,1010.500,2020.250,51.125\r\n";

TEST(CommSettingsDialog, FreshDefaultsValidationAndFocus) {
    shelltest::ScriptedPrompter prompter;
    CCommSettingsDlg dialog(prompter);
    EXPECT_EQ(dialog.m_nBaud, -1);
    EXPECT_EQ(dialog.m_nRecvDelay, 0);
    dialog.setFrom(CommSettings{});
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    EXPECT_EQ(dialog.windowTitle(), "通讯参数设置");
    for (int id : {ids::kProtocolNoneButton, ids::kPortFirst, ids::kBaud1200, ids::kDataBits8,
                   ids::kStopBits1, ids::kParityNone}) {
        EXPECT_TRUE(dialog.findChild<QRadioButton*>(QString::number(id))->isChecked()) << id;
    }
    auto* delay = dialog.findChild<QLineEdit*>("1012");
    auto* ok = dialog.findChild<QPushButton*>("1");
    EXPECT_EQ(delay->text(), "10");
    EXPECT_EQ(ok->text(), "确    定");
    EXPECT_EQ(dialog.findChild<QPushButton*>("2")->text(), "取    消");

    const std::pair<const char*, const char*> refused[] = {
        {"0", "“请填入一个在1和1000之间的整数。”"},
        {"1001", "“请填入一个在1和1000之间的整数。”"},
        {"abc", "请键入一个整数。"}};
    for (const auto& [text, message] : refused) {
        prompter.shown.clear();
        ok->setFocus();
        delay->setText(text);
        QTest::mouseClick(ok, Qt::LeftButton);
        EXPECT_TRUE(dialog.isVisible()) << text;
        EXPECT_EQ(prompter.texts(), std::vector<std::string>{message});
        EXPECT_TRUE(delay->hasFocus()) << text;
    }
    for (const char* text : {"1", "1000"}) {
        delay->setText(text);
        EXPECT_TRUE(dialog.UpdateData()) << text;
        EXPECT_EQ(dialog.m_nRecvDelay, QString(text).toInt());
    }
    dialog.findChild<QRadioButton*>(QString::number(ids::kBaud19200))->click();
    dialog.findChild<QRadioButton*>(QString::number(ids::kPortFirst + 5))->click();
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.values().m_nBaud, 4);
    EXPECT_EQ(dialog.values().m_nPort, 5);
}

TEST(CommSettingsDialog, MenuCommandStoresOkAndKeepsValuesOnCancel) {
    Harness h;
    h.dialogs.useRealSettingsDialog = true;
    ASSERT_TRUE(h.app->InitInstance({}));
    const auto answer = [](int radioId, int buttonId) {
        QTimer::singleShot(0, [radioId, buttonId] {
            QWidget* box = QApplication::activeModalWidget();
            ASSERT_NE(box, nullptr);
            box->findChild<QRadioButton*>(QString::number(radioId))->click();
            box->findChild<QPushButton*>(QString::number(buttonId))->click();
        });
    };
    answer(ids::kBaud19200, ids::kIdOk);
    h.app->frame().command(ids::kCommSettings)->trigger();
    EXPECT_EQ(h.app->view().commSettings().m_nBaud, 4);
    answer(ids::kProtocolAckNakButton, ids::kIdCancel);
    h.app->frame().command(ids::kCommSettings)->trigger();
    EXPECT_EQ(h.app->view().commSettings().m_nProtocol, 0);
    EXPECT_EQ(h.app->view().commSettings().m_nBaud, 4);
}

TEST(Conversions, ReplaceTheTextOnlyAfterYes) {
    Harness h;
    ASSERT_TRUE(h.app->InitInstance({}));
    CVRK410View& view = h.app->view();
    const std::string download = DownloadedText(kSurvey);
    view.textServices().setText(download);
    h.prompter.yesNo = {false};
    view.OnConvertDelf();
    EXPECT_EQ(h.prompter.texts(), std::vector<std::string>{kDiscard});
    EXPECT_EQ(view.rawText().bytes, download);
    EXPECT_TRUE(h.app->document().isModified());

    view.OnConvertDelf();
    // The name keeps the padding of its field, as the conversion has always written it.
    EXPECT_EQ(view.rawText().bytes,
              "A1        ,A1        ,1000.000,2000.000,50.000\r\n"
              "A2        ,A2        ,1010.500,2020.250,51.125\r\n");
    EXPECT_EQ(h.app->frame().messagePane()->text(), "DELF: 2 个点");

    // A saved text is replaced without the question.
    h.prompter.shown.clear();
    view.textServices().setText("x\n\x02_:001abc       _:042def       _" + std::string(96, ' ') +
                                "0000\x03\r\n\n");
    view.document()->setModified(false);
    view.OnConvertPcode();
    EXPECT_TRUE(h.prompter.shown.empty());
    EXPECT_EQ(view.rawText().bytes, "1,abc       \r\n42,def       \r\n");
}

TEST(ConfirmDiscard, AskedBeforeTransfersAndNoLeavesEverythingAsItWas) {
    Harness h;
    ASSERT_TRUE(h.app->InitInstance({}));
    CVRK410View& view = h.app->view();
    view.textServices().setText("P1,,1,2,3\r\n");
    h.prompter.yesNo = {false, false, false};
    view.OnDownload();
    view.OnUploadCoords();
    view.OnUploadPcode();
    EXPECT_EQ(h.prompter.texts(), (std::vector<std::string>{kDiscard, kDiscard, kDiscard}));
    EXPECT_EQ(view.rawText().bytes, "P1,,1,2,3\r\n");
    EXPECT_FALSE(view.isTransferRunning());
    EXPECT_EQ(h.line->opens, 0);

    // Saved: the download starts without asking.
    h.prompter.shown.clear();
    view.document()->setModified(false);
    h.line->openFails = true;
    view.OnDownload();
    ASSERT_TRUE(WaitFor([&] { return !h.prompter.shown.empty() && !view.isTransferRunning(); }));
    EXPECT_EQ(h.prompter.texts(), std::vector<std::string>{"无法创建通讯口!"});
}

}  // namespace

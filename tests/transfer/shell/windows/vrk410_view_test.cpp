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
constexpr const char* kComputerFirst = "请先在微机上回车,然后在全站仪上回车!";
constexpr const char* kStationFirst = "请先在全站仪上回车,然后在微机上回车!";

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

TEST(Transfers, DownloadThroughTheWorkerKeepsTheWindowResponsive) {
    Harness h;
    ASSERT_TRUE(h.app->InitInstance({}));
    CVRK410View& view = h.app->view();
    std::string sent;
    for (int i = 0; i < 300; ++i) {
        sent += "line " + std::to_string(i) + "\r\n";
    }
    bool readOnlyDuringDownload = false;
    h.prompter.onMessage = [&](const std::string& text) {
        if (text == kComputerFirst) {
            readOnlyDuringDownload = view.isReadOnly();
            h.line->feed(sent.substr(0, 400));
        }
    };
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        ++ticks;
        if (ticks == 3) {
            h.line->feed(sent.substr(400) + "\x04");
        }
    });
    ticker.start(5);
    view.OnDownload();
    // Generous bounds: a loaded machine may be slow, and only the order of events is checked.
    ASSERT_TRUE(WaitFor([&] { return !view.isTransferRunning(); }, 60000))
        << view.rawText().bytes.size() << " " << ticks << " " << h.prompter.shown.size();
    ASSERT_TRUE(WaitFor([&] { return h.app->frame().messagePane()->text() == "就绪"; }, 60000));
    EXPECT_TRUE(readOnlyDuringDownload);
    EXPECT_FALSE(view.isReadOnly());
    EXPECT_GE(ticks, 3);  // the UI thread kept handling events while the worker ran
    EXPECT_EQ(h.prompter.texts(), std::vector<std::string>{kComputerFirst});
    EXPECT_TRUE(h.prompter.allOnUiThread());
    std::string expected;
    for (int i = 0; i < 300; ++i) {
        expected += (i == 0 ? "" : "\n") + std::string("line ") + std::to_string(i) + "\r\n";
    }
    EXPECT_EQ(view.rawText().bytes, expected);
    EXPECT_TRUE(h.app->document().isModified());
}

TEST(Transfers, DownloadIsKeptWholePastTheFileLimit) {
    Harness h;
    ASSERT_TRUE(h.app->InitInstance({}));
    CVRK410View& view = h.app->view();
    const std::string line(126, 'd');
    std::string sent;
    while (sent.size() <= 1100000) {
        sent += line + "\r\n";
    }
    h.prompter.onMessage = [&](const std::string&) { h.line->feed(sent + "\x04"); };
    view.OnDownload();
    ASSERT_TRUE(WaitFor([&] { return !view.isTransferRunning(); }, 60000));
    const std::size_t lines = sent.size() / 128;
    const std::string received = view.rawText().bytes;
    EXPECT_EQ(received.size(), sent.size() + lines - 1);
    // Saved, it opens again whole: the file limit is no longer the old edit control's.
    QTemporaryDir dir;
    const QString path = dir.filePath("download");
    ASSERT_TRUE(h.app->document().DoSave(path));
    h.app->document().OnFileNew();
    ASSERT_TRUE(h.app->document().OpenDocumentFile(path));
    EXPECT_EQ(view.rawText().bytes, received);
    EXPECT_TRUE(h.prompter.texts().size() <= 1u) << "only the start prompt";
}

TEST(Transfers, UploadEchoesTheBlocksAndEndsWithTheReport) {
    Harness h;
    ASSERT_TRUE(h.app->InitInstance({}));
    CVRK410View& view = h.app->view();
    CommSettings ackNak;
    ackNak.m_nProtocol = kProtocolAckNak;
    view.setCommSettings(ackNak);
    h.line->ackEveryFrame = true;
    view.textServices().setText(kSurvey);
    view.document()->setModified(false);
    view.OnUploadCoords();
    ASSERT_TRUE(WaitFor([&] { return !view.isTransferRunning(); }));
    EXPECT_EQ(h.prompter.texts(), (std::vector<std::string>{kStationFirst, "通讯结束"}));
    EXPECT_TRUE(h.prompter.allOnUiThread());
    EXPECT_TRUE(view.m_bUploadCoords);
    const std::string block = view.m_strUpload.substr(0, 128);
    EXPECT_EQ(view.rawText().bytes, block + "\r\n");
    const std::string written = h.line->writtenBytes();
    EXPECT_EQ(written.substr(0, 12),
              "\x02"
              "F00F000\x03\r\n\x02");
    EXPECT_EQ(written.substr(written.size() - 5), "\x02\x04\x03\r\n");
    EXPECT_NE(written.find("\x02" + block + "0"), std::string::npos);
}

TEST(Transfers, SecondTransferIsRefusedBeforeItTouchesTheView) {
    const std::string kRefused =
        "无法创建通讯口!\n通讯口正被本程序的另一次通讯使用,请等它结束后再试。";
    Harness h;
    ASSERT_TRUE(h.app->InitInstance({}));
    CVRK410View& view = h.app->view();
    h.prompter.onMessage = [&](const std::string& text) {
        if (text == kComputerFirst) {
            h.line->feed("first\r\n");
        }
    };
    view.OnDownload();
    ASSERT_TRUE(WaitFor([&] { return view.rawText().bytes == "first\r\n"; }));
    view.OnDownload();     // asks (the download changed the text), then is refused
    view.OnUploadPcode();  // asks, finds "first" is no PCODE line and asks again, then is refused
    EXPECT_EQ(h.prompter.texts(),
              (std::vector<std::string>{
                  kComputerFirst, kDiscard, kRefused, kDiscard,
                  "要发送的数据有以下问题,仍然发送吗?\n1: 没有逗号,此行不发送\n", kRefused}));
    // A conversion would replace the text the download is still writing into.
    EXPECT_FALSE(h.app->frame().command(ids::kConvertDelf)->isEnabled());
    view.OnConvertDelf();
    EXPECT_EQ(h.prompter.texts().size(), 6u);
    EXPECT_EQ(view.rawText().bytes, "first\r\n");
    EXPECT_EQ(h.line->opens, 1);
    h.line->feed("second\r\n\x04");
    ASSERT_TRUE(WaitFor([&] { return !view.isTransferRunning(); }));
    EXPECT_EQ(view.rawText().bytes, "first\r\n\nsecond\r\n");
    EXPECT_TRUE(h.app->frame().command(ids::kConvertDelf)->isEnabled());
}

TEST(Transfers, QuittingDuringADownloadAsksFirstThenClosesThePort) {
    Harness h;
    ASSERT_TRUE(h.app->InitInstance({}));
    CVRK410View& view = h.app->view();
    CommSettings patient;
    patient.m_nRecvDelay = 1000;
    view.setCommSettings(patient);
    h.prompter.onMessage = [&](const std::string& text) {
        if (text == kComputerFirst) {
            h.line->feed("partial\r\n");
        }
    };
    view.OnDownload();
    ASSERT_TRUE(WaitFor([&] { return view.rawText().bytes == "partial\r\n"; }));
    h.prompter.save = {SaveAnswer::Cancel, SaveAnswer::No};
    EXPECT_FALSE(h.app->frame().close());
    EXPECT_TRUE(view.isTransferRunning());
    EXPECT_TRUE(h.app->frame().close());
    EXPECT_FALSE(view.isTransferRunning());
    EXPECT_FALSE(h.line->isOpen);
}

// Quitting while the worker waits on the start prompt ends at once, in both places the wait can
// be: before the UI thread has come round to the prompt, and with the prompt on screen (the quit
// then comes from the box's own event loop). Nothing is shown after the quit.
TEST(Transfers, QuittingWhileTheWorkerWaitsOnAQuestion) {
    using Clock = std::chrono::steady_clock;
    {
        Harness h;
        ASSERT_TRUE(h.app->InitInstance({}));
        CVRK410View& view = h.app->view();
        view.OnDownload();
        // No events are handled here: the worker opens the port, queues its changes and waits.
        const auto deadline = Clock::now() + std::chrono::seconds(10);
        while (!h.line->portOpen() && Clock::now() < deadline) {
            QThread::msleep(5);
        }
        ASSERT_TRUE(h.line->portOpen());
        QThread::msleep(50);
        const auto start = Clock::now();
        EXPECT_TRUE(h.app->frame().close());
        EXPECT_LT(Clock::now() - start, std::chrono::seconds(2));
        EXPECT_FALSE(view.isTransferRunning());
        EXPECT_FALSE(h.line->isOpen);
        QTest::qWait(100);
        EXPECT_TRUE(h.prompter.shown.empty()) << h.prompter.texts().front();
    }
    {
        Harness h;
        ASSERT_TRUE(h.app->InitInstance({}));
        CVRK410View& view = h.app->view();
        bool closed = false;
        h.prompter.onMessage = [&](const std::string& text) {
            if (text == kComputerFirst) {
                closed = h.app->frame().close();
            }
        };
        const auto start = Clock::now();
        view.OnDownload();
        ASSERT_TRUE(WaitFor([&] { return closed; }));
        EXPECT_LT(Clock::now() - start, std::chrono::seconds(5));
        EXPECT_FALSE(view.isTransferRunning());
        EXPECT_FALSE(h.line->isOpen);
        QTest::qWait(100);
        // The download emptied the view, so the quit asked to save it (scripted: No).
        EXPECT_EQ(h.prompter.texts(), (std::vector<std::string>{kComputerFirst, "save?无标题"}));
    }
}

}  // namespace

namespace {

// The real message boxes: the worker's message appears as a modal box captioned "VRK410" on
// the UI thread, and the worker waits until it is answered.
TEST(Transfers, RealMessageBoxesOfTheWorkerAppearOnTheUiThread) {
    QTemporaryDir profile;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, profile.path());
    auto line = std::make_shared<shelltest::Line>();
    line->openFails = true;
    shelltest::ScriptedPrompter unused;
    shelltest::ScriptedDialogs dialogs(unused);
    CVRK410App::Overrides o;
    o.dialogs = &dialogs;
    o.portFactory = [line](const std::atomic<bool>& abandoned) {
        return std::make_unique<shelltest::ScriptedPort>(line, abandoned);
    };
    CVRK410App app(std::move(o));
    ASSERT_TRUE(app.InitInstance({}));
    QString caption;
    QString text;
    bool onUiThread = false;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            caption = box->windowTitle();
            text = box->text();
            onUiThread = box->thread() == QThread::currentThread();
            EXPECT_TRUE(app.view().isTransferRunning());  // the worker waits for the answer
            box->accept();
        }
    });
    answer.start(10);
    app.view().OnDownload();
    ASSERT_TRUE(WaitFor([&] { return !app.view().isTransferRunning(); }));
    EXPECT_EQ(caption, "VRK410");
    EXPECT_EQ(text, "无法创建通讯口!");
    EXPECT_TRUE(onUiThread);
}

}  // namespace

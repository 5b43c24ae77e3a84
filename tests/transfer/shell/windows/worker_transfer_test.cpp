// The transfers of the desktop program through its worker thread, with a scripted line: the
// window stays responsive, the worker's questions appear on the UI thread, quitting asks first.
// A program of its own, so that the ThreadSanitizer build compiles only these.
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

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

const std::string kSurvey = "A1,A1,1000.000,2000.000,50.000\r\nA2,A2,1010.500,2020.250,51.125\r\n";

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

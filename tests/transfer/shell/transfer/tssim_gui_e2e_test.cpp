// The whole program, offscreen, on a real pseudo-terminal against the emulated total station:
// download the sample survey, convert it, upload it back. With VRK410_SCREENSHOT set to a file
// name the main window is saved there after the conversion, and with VRK410_TRANSCRIPT_SCREENSHOT
// the transcript window after a failed download (run under xvfb-run for the docs).

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>

#include <cstdlib>
#include <mutex>
#include <thread>

#include <gtest/gtest.h>

#include "delf_file.h"
#include "shell/transfer/port_factory.h"
#include "shell/windows/command_ids.h"
#include "shell/windows/main_frame.h"
#include "shell/windows/transcript_window.h"
#include "shell/windows/vrk410_doc.h"
#include "shell/windows/vrk410_view.h"
#include "shell_test_support.h"
#include "total_station.h"

namespace {

using namespace vrk;
using shelltest::WaitFor;

std::string ReadSample(const char* name) {
    QFile f(QStringLiteral(VRK_SAMPLES_DIR "/") + QString::fromLatin1(name));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray b = f.readAll();
    return std::string(b.constData(), static_cast<std::size_t>(b.size()));
}

tssim::Config AckNakStation(const tssim::Faults& faults = {}) {
    tssim::Config config;
    config.protocol = tssim::Protocol::AckNak;
    config.pacing = false;
    config.faults = faults;
    return config;
}

struct StationHarness {
    explicit StationHarness(const tssim::Config& config = AckNakStation()) : dialogs(prompter) {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
        station = std::make_unique<tssim::TotalStation>(config);
        ok = station->open();
        if (!ok) {
            return;
        }
        tssim::Memory memory;
        memory.points = tssim::parseDelf(ReadSample("survey.delf")).points;
        station->setMemory(memory);
        qputenv("VRK410_COM1", QByteArray::fromStdString(station->slavePath()));
        CVRK410App::Overrides o;
        o.prompter = &prompter;
        o.dialogs = &dialogs;
        o.sleeper = &sleeper;
        o.portFactory = SerialPortFactory();
        app = std::make_unique<CVRK410App>(std::move(o));
    }

    // The program started, its protocol set to Ack/Nak as the station expects.
    bool startAckNak() {
        if (!app->InitInstance({})) {
            return false;
        }
        CommSettings ackNak;
        ackNak.m_nProtocol = kProtocolAckNak;
        app->view().setCommSettings(ackNak);
        return true;
    }

    QTemporaryDir settingsDir;
    shelltest::ScriptedPrompter prompter;
    shelltest::ScriptedDialogs dialogs;
    shelltest::NoSleep sleeper;
    std::unique_ptr<tssim::TotalStation> station;
    std::unique_ptr<CVRK410App> app;
    bool ok = false;
};

// Qt's warnings, from any thread: a transfer must print nothing on the terminal.
std::mutex g_warningsMutex;
std::string g_warnings;

void KeepWarning(QtMsgType, const QMessageLogContext&, const QString& message) {
    std::lock_guard lock(g_warningsMutex);
    g_warnings += message.toStdString() + '\n';
}

TEST(TotalStationGui, DownloadConvertAndUploadTheSampleSurvey) {
    const QtMessageHandler previousHandler = qInstallMessageHandler(KeepWarning);
    StationHarness h;
    ASSERT_TRUE(h.ok) << h.station->error();
    ASSERT_TRUE(h.startAckNak());
    CVRK410View& view = h.app->view();

    bool readOnly = false;
    h.prompter.onMessage = [&](const std::string&) { readOnly = view.isReadOnly(); };
    ASSERT_TRUE(h.station->startSend(tssim::Content::Coordinates));
    view.OnDownload();
    ASSERT_TRUE(WaitFor([&] { return !view.isTransferRunning(); }, 30000));
    EXPECT_TRUE(readOnly);
    EXPECT_FALSE(view.isReadOnly());
    EXPECT_EQ(h.station->outcome(), tssim::Outcome::Completed) << h.station->outcomeMessage();
    EXPECT_EQ(h.prompter.texts().size(), 1u);  // the start prompt only

    view.OnConvertDelf();  // the download counts as changed: the question comes, Yes
    const std::string delf = view.rawText().bytes;
    EXPECT_EQ(std::count(delf.begin(), delf.end(), '\n'), 200);
    if (const char* shot = std::getenv("VRK410_SCREENSHOT")) {
        h.app->frame().resize(900, 560);
        view.moveCursor(QTextCursor::Start);
        QCoreApplication::processEvents();
        EXPECT_TRUE(h.app->frame().grab().save(QString::fromLocal8Bit(shot)));
    }

    h.prompter.shown.clear();
    ASSERT_TRUE(h.station->startReceive());
    view.OnUploadCoords();
    ASSERT_TRUE(WaitFor([&] { return !view.isTransferRunning(); }, 30000));
    ASSERT_TRUE(h.station->waitFinished(std::chrono::seconds(10)));
    EXPECT_EQ(h.station->outcome(), tssim::Outcome::Completed) << h.station->outcomeMessage();
    EXPECT_EQ(h.prompter.texts().back(), "通讯结束");
    EXPECT_EQ(h.station->memory().points.size(), 200u);
    qInstallMessageHandler(previousHandler);
    std::lock_guard lock(g_warningsMutex);
    EXPECT_EQ(g_warnings.find("QSocketNotifier"), std::string::npos) << g_warnings;
    // The view lists the blocks sent, one per line.
    EXPECT_EQ(view.rawText().bytes.substr(0, 128), view.m_strUpload.substr(0, 128));
}

// With protocol None nothing paces the instrument but its baud rate: a window that handles no
// events for longer than a serial port's buffer lasts (about 4 KiB, two seconds at 19200 baud)
// must not keep the worker from reading the line.
TEST(TotalStationGui, NoneDownloadKeepsReadingWhileTheWindowIsBlocked) {
    tssim::Config config;
    config.protocol = tssim::Protocol::None;
    config.baud = 19200;  // the instrument's fastest rate, paced as a real line is
    config.lineGap = std::chrono::milliseconds(0);
    StationHarness h(config);
    ASSERT_TRUE(h.ok) << h.station->error();
    ASSERT_TRUE(h.app->InitInstance({}));
    CVRK410View& view = h.app->view();
    h.prompter.onMessage = [&](const std::string&) { h.station->signalStart(); };
    ASSERT_TRUE(h.station->startSend(tssim::Content::Coordinates));
    view.OnDownload();
    ASSERT_TRUE(WaitFor([&] { return view.progress().bytesReceived() > 1000; }, 30000));

    const std::size_t before = view.progress().bytesReceived();
    std::this_thread::sleep_for(std::chrono::seconds(5));  // the UI thread handles nothing
    const std::size_t readMeanwhile = view.progress().bytesReceived() - before;
    EXPECT_GT(readMeanwhile, 4096u);
    EXPECT_TRUE(view.isReadOnly());

    ASSERT_TRUE(WaitFor([&] { return !view.isTransferRunning(); }, 60000));
    ASSERT_TRUE(h.station->waitFinished(std::chrono::seconds(10)));
    EXPECT_EQ(h.station->outcome(), tssim::Outcome::Completed) << h.station->outcomeMessage();
    EXPECT_EQ(h.prompter.texts().size(), 1u);  // the start prompt only
    EXPECT_FALSE(view.isReadOnly());
    // Every byte the station put on the line is in the view, in order, each line after the
    // first with its extra LF.
    const auto lines = h.station->downloadLines(tssim::Content::Coordinates);
    ASSERT_GT(lines.size(), 70u);  // the sample: 200 points, about 6 s on the line
    std::string onTheLine;
    std::string expected;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        onTheLine += lines[i];
        expected += (i == 0 ? "" : "\n") + lines[i];
    }
    EXPECT_EQ(h.station->stats().wireSent, onTheLine + "\x04");
    EXPECT_TRUE(view.rawText().bytes == expected)
        << view.rawText().bytes.size() << " bytes, expected " << expected.size();
}

TEST(TotalStationGui, TranscriptWindowShowsWhyADownloadFailed) {
    tssim::Faults faults;
    faults.hangUpAfterLines = 3;
    StationHarness h(AckNakStation(faults));
    ASSERT_TRUE(h.ok) << h.station->error();
    ASSERT_TRUE(h.startAckNak());
    CVRK410View& view = h.app->view();

    ASSERT_TRUE(h.station->startSend(tssim::Content::Coordinates));
    bool finished = false;
    QObject::connect(&view, &CVRK410View::transferFinished, [&finished] { finished = true; });
    view.OnDownload();
    ASSERT_TRUE(WaitFor([&] { return finished; }, 30000));
    EXPECT_EQ(view.lastOutcome().end, TransferEnd::Failed);
    EXPECT_EQ(view.lastOutcome().lines, 3u);
    ASSERT_EQ(h.prompter.texts().size(), 2u);
    EXPECT_EQ(h.prompter.texts().back(),
              "通讯失败\n通讯口中断:电缆或 USB 转换器可能已断开。\n详细记录见 通讯 → 通讯记录。");

    h.app->frame().command(ids::kCommTranscript)->trigger();
    auto* window = h.app->frame().findChild<CTranscriptWindow*>();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->isModal());
    const QString shown =
        window->findChild<QPlainTextEdit*>(CTranscriptWindow::kTextName)->toPlainText();
    EXPECT_TRUE(shown.contains(QString::fromUtf8("诊断:通讯口中断")));
    EXPECT_TRUE(shown.contains(QStringLiteral(" TX 05  <ENQ>")));

    QTemporaryDir dir;
    h.dialogs.saveFile = dir.filePath(QStringLiteral("记录.txt"));
    window->findChild<QPushButton*>(CTranscriptWindow::kSaveName)->click();
    QFile saved(*h.dialogs.saveFile);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll().toStdString(), view.transcript()->text());
    // A failed save says why, as the document's save does.
    const QString lost = dir.filePath(QStringLiteral("无/记录.txt"));
    h.dialogs.saveFile = lost;
    window->findChild<QPushButton*>(CTranscriptWindow::kSaveName)->click();
    EXPECT_EQ(QString::fromStdString(h.prompter.texts().back()),
              QStringLiteral("无法保存通讯记录:%1\n文件夹 %2 不存在。")
                  .arg(lost, dir.filePath(QStringLiteral("无"))));
    window->findChild<QPushButton*>(CTranscriptWindow::kCopyName)->click();
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), view.transcript()->text());

    if (const char* shot = std::getenv("VRK410_TRANSCRIPT_SCREENSHOT")) {
        QCoreApplication::processEvents();
        EXPECT_TRUE(window->grab().save(QString::fromLocal8Bit(shot)));
    }
}

}  // namespace

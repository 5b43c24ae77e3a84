// The whole program, offscreen, on a real pseudo-terminal against the emulated total station:
// download the sample survey, convert it, upload it back. With VRK410_SCREENSHOT set to a file
// name the main window is saved there after the conversion (run under xvfb-run for the docs).

#include <QFile>
#include <QPixmap>

#include <cstdlib>
#include <mutex>

#include <gtest/gtest.h>

#include "delf_file.h"
#include "shell/main_frame.h"
#include "shell/port_factory.h"
#include "shell/vrk410_doc.h"
#include "shell/vrk410_view.h"
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

struct StationHarness {
    StationHarness() : dialogs(prompter) {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
        tssim::Config config;
        config.protocol = tssim::Protocol::AckNak;
        config.pacing = false;
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
    ASSERT_TRUE(h.app->InitInstance({}));
    CVRK410View& view = h.app->view();
    CommSettings ackNak;
    ackNak.m_nProtocol = kProtocolAckNak;
    view.setCommSettings(ackNak);

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

}  // namespace

// The desktop program's start, file opening and a long download through the window, each with
// a baseline in the same binary: an empty QApplication start.
#include <QApplication>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

#include "interfaces/sleeper.h"
#include "link/byte_port.h"
#include "shell/dialogs/shell_dialogs.h"
#include "shell/dialogs/shell_prompter.h"
#include "shell/vrk410_app.h"
#include "shell/windows/main_frame.h"
#include "shell/windows/vrk410_doc.h"
#include "shell/windows/vrk410_view.h"

namespace {

using Clock = std::chrono::steady_clock;

int g_argc = 1;
char g_arg0[] = "shell_bench";
char* g_argv[] = {g_arg0, nullptr};

class QuietPrompter final : public vrk::ShellPrompter {
  public:
    void showMessage(std::string_view) override {
        if (onMessage) {
            onMessage();
        }
    }
    bool askYesNo(std::string_view) override { return true; }
    vrk::SaveAnswer askSaveChanges(const QString&) override { return vrk::SaveAnswer::No; }
    std::function<void()> onMessage;
};

class NoDialogs final : public vrk::ShellDialogs {
  public:
    std::optional<QString> chooseOpenFile(QWidget*) override { return std::nullopt; }
    std::optional<QString> chooseSaveFile(QWidget*, const QString&) override {
        return std::nullopt;
    }
    bool editCommSettings(QWidget*, vrk::CommSettings&) override { return false; }
    bool choosePrinter(QWidget*, QPrinter&) override { return false; }
    void pageSetup(QWidget*, QPrinter&) override {}
    void preview(QWidget*, QPrinter&, int&, const std::function<void(QPrinter*)>&) override {}
    void about(QWidget*) override {}
    bool editPortMapping(QWidget*) override { return false; }
};

// No box and no file dialog may wait for a person while a benchmark runs.
vrk::CVRK410App::Overrides quietOverrides(QuietPrompter& prompter, NoDialogs& dialogs) {
    vrk::CVRK410App::Overrides o;
    o.prompter = &prompter;
    o.dialogs = &dialogs;
    return o;
}

// The instrument's bytes, all there at once: the benchmark measures the program, not a line.
class PlayingPort final : public vrk::BytePort {
  public:
    PlayingPort(const std::string& bytes, std::atomic<bool>& go) : bytes_(bytes), go_(go) {}
    vrk::OpenResult open(const vrk::PortParams&) override { return vrk::OpenResult::Ok; }
    vrk::ReadResult read(std::size_t count, std::chrono::milliseconds, std::string& out) override {
        while (!go_.load()) {
            std::this_thread::yield();
        }
        if (offset_ + count > bytes_.size()) {
            return vrk::ReadResult::Error;
        }
        out.append(bytes_, offset_, count);
        offset_ += count;
        return vrk::ReadResult::Ok;
    }
    bool write(std::string_view) override { return true; }
    bool drain() override { return true; }
    void close() override {}

  private:
    const std::string& bytes_;
    std::atomic<bool>& go_;
    std::size_t offset_ = 0;
};

struct Profile {
    Profile() { QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path()); }
    QTemporaryDir dir;
};

void BM_EmptyApplicationStart(benchmark::State& state) {
    for (auto _ : state) {
        QApplication app(g_argc, g_argv);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_EmptyApplicationStart)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_FirstWindowShown(benchmark::State& state) {
    for (auto _ : state) {
        QApplication app(g_argc, g_argv);
        Profile profile;
        QuietPrompter prompter;
        NoDialogs dialogs;
        vrk::CVRK410App::Overrides o = quietOverrides(prompter, dialogs);
        vrk::CVRK410App program(std::move(o));
        program.InitInstance({});
        if (!QTest::qWaitForWindowExposed(&program.frame())) {
            state.SkipWithError("window not shown");
        }
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_FirstWindowShown)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_OpenOneMebibyteFile(benchmark::State& state) {
    QApplication app(g_argc, g_argv);
    Profile profile;
    QuietPrompter prompter;
    NoDialogs dialogs;
    vrk::CVRK410App::Overrides o = quietOverrides(prompter, dialogs);
    vrk::CVRK410App program(std::move(o));
    program.InitInstance({});
    (void)QTest::qWaitForWindowExposed(&program.frame());
    // A download as saved: 128-character blocks framed, lines of about 140 bytes.
    std::string bytes;
    const std::string line = "\x02_+P1        _ x+002000000_ y+001000000_ z+000050000" +
                             std::string(76, ' ') + "0042\x03\r\n";
    while (bytes.size() + line.size() <= 1048575) {
        bytes += line;
    }
    const QString path = profile.dir.filePath("download.txt");
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
    f.close();
    for (auto _ : state) {
        program.document().OnNewDocument();
        program.document().OpenDocumentFile(path);
        program.view().repaint();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_OpenOneMebibyteFile)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_DownloadOneMebibyteThroughTheWindow(benchmark::State& state) {
    QApplication app(g_argc, g_argv);
    Profile profile;
    QuietPrompter prompter;
    NoDialogs dialogs;
    std::string bytes;
    const std::string line = "\x02" + std::string(128, 'd') + "0042\x03\r\n";
    while (bytes.size() < 1048576) {
        bytes += line;
    }
    bytes += '\x04';
    std::atomic<bool> go{false};
    vrk::CVRK410App::Overrides o = quietOverrides(prompter, dialogs);
    o.portFactory = [&bytes, &go](const std::atomic<bool>&) {
        return std::make_unique<PlayingPort>(bytes, go);
    };
    vrk::CVRK410App program(std::move(o));
    program.InitInstance({});
    (void)QTest::qWaitForWindowExposed(&program.frame());
    double worstGapMs = 0;
    double seconds = 0;
    for (auto _ : state) {
        go = false;
        program.view().loadRawText({});
        Clock::time_point start;
        prompter.onMessage = [&] {
            start = Clock::now();
            go = true;
        };
        // The UI thread's heartbeat: the longest gap between two ticks is the longest time
        // the window could not react.
        Clock::time_point lastTick = Clock::now();
        double worst = 0;
        QTimer heartbeat;
        QObject::connect(&heartbeat, &QTimer::timeout, [&] {
            const auto now = Clock::now();
            worst =
                std::max(worst, std::chrono::duration<double, std::milli>(now - lastTick).count());
            lastTick = now;
        });
        heartbeat.start(5);
        QEventLoop loop;
        QObject::connect(&program.view(), &vrk::CVRK410View::transferFinished, &loop,
                         &QEventLoop::quit);
        program.view().OnDownload();
        lastTick = Clock::now();
        loop.exec();
        seconds += std::chrono::duration<double>(Clock::now() - start).count();
        worstGapMs = std::max(worstGapMs, worst);
    }
    state.counters["KB_per_s"] = static_cast<double>(bytes.size()) *
                                 static_cast<double>(state.iterations()) / seconds / 1000.0;
    state.counters["worst_ui_gap_ms"] = worstGapMs;
}
BENCHMARK(BM_DownloadOneMebibyteThroughTheWindow)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

// A 1 MiB Ack/Nak download through a pseudo-terminal, with the program's engine and serial
// adapter on one side and the emulated total station on the other, next to `cat` reading the same
// bytes through a pty: the ratio says how much of the pty's speed the per-line ACK leaves. The
// download runs with and without the transcript the desktop program always keeps; run with
// --benchmark_repetitions=10 --benchmark_enable_random_interleaving=true for a fair comparison.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <spawn.h>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "link/download.h"
#include "serial/serial_port.h"
#include "total_station.h"
#include "transcript/traced_transfer.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
constexpr std::size_t kDownloadBytes = 1 << 20;
// 100 times the line rate of 19200 baud (1920 bytes a second with 10 bits per byte).
constexpr double kGoalBytesPerSecond = 192'000.0;

struct Throughput {
    std::size_t bytes = 0;
    Clock::duration time{};
    double perSecond() const {
        const double seconds = std::chrono::duration<double>(time).count();
        return seconds > 0 ? static_cast<double>(bytes) / seconds : 0.0;
    }
};

Throughput g_program;
Throughput g_traced;
Throughput g_cat;

tssim::Memory MebibyteOfPoints() {
    tssim::Memory memory;
    // A block of 128 characters carries 128/51 coordinate records.
    const std::size_t points = kDownloadBytes / 136 * 128 / 51 + 8;
    for (std::size_t i = 0; i < points; ++i) {
        tssim::Point point;
        point.name = "B" + std::to_string(i);
        point.eastMm = static_cast<std::int64_t>(500000 + i);
        point.northMm = static_cast<std::int64_t>(3000000 + 2 * i);
        point.heightMm = static_cast<std::int64_t>(i % 1000);
        memory.points.push_back(point);
    }
    return memory;
}

std::string Concatenated(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& line : lines) {
        bytes += line;
    }
    bytes += '\x04';
    return bytes;
}

class NullView final : public vrk::TextView {
  public:
    std::string getText() override { return {}; }
    bool isTextModified() override { return true; }
    void clearText() override { size = 0; }
    void moveCaret(std::size_t) override {}
    void insertAtCaret(std::string_view bytes) override { size += bytes.size(); }
    void setReadOnly(bool) override {}
    void setText(std::string_view bytes) override { size = bytes.size(); }
    std::size_t size = 0;
};

class SilentPrompter final : public vrk::Prompter {
  public:
    void showMessage(std::string_view text) override { messages.emplace_back(text); }
    bool askYesNo(std::string_view) override { return true; }
    std::vector<std::string> messages;
};

class NoSleep final : public vrk::Sleeper {
  public:
    void sleepFor(std::chrono::milliseconds) override {}
};

// state.range(0) == 1: the same download with every byte recorded in a transcript, as the
// desktop program always runs it.
void BM_AckNakDownloadThroughPty(benchmark::State& state) {
    const bool traced = state.range(0) == 1;
    tssim::Config config;
    config.protocol = tssim::Protocol::AckNak;
    config.pacing = false;
    tssim::TotalStation station(config);
    if (!station.open()) {
        state.SkipWithError(station.error().c_str());
        return;
    }
    station.setMemory(MebibyteOfPoints());
    const std::size_t bytes =
        Concatenated(station.downloadLines(tssim::Content::Coordinates)).size();

    vrk::SharedCommSettings settings;
    vrk::CommSettings values;
    values.m_nProtocol = vrk::kProtocolAckNak;
    values.m_nBaud = 4;
    settings.store(values);
    std::atomic<bool> abandoned{false};
    vrk::TransferObserver observer;
    NoSleep sleeper;
    Throughput run;
    for (auto _ : state) {
        vrk::SerialPort port({station.slavePath(), &abandoned});
        NullView view;
        SilentPrompter prompter;
        vrk::TransferContext context{settings, port, view, prompter, sleeper, observer, abandoned};
        if (!station.startSend(tssim::Content::Coordinates)) {
            state.SkipWithError(station.error().c_str());
            return;
        }
        vrk::TranscriptLog log;
        vrk::TranscriptRecorder recorder(log);
        const vrk::TraceSetup trace{{"bench", "下传数据", true}, {}, {}, {}};
        const auto start = Clock::now();
        if (traced) {
            vrk::RunTraced(context, recorder, trace,
                           [](vrk::TransferContext& ctx) { return vrk::RunDownload(ctx); });
        } else {
            vrk::DownloadThreadProc(context);
        }
        run.time += Clock::now() - start;
        run.bytes += bytes;
        station.waitFinished(std::chrono::seconds(10));
        if (station.outcome() != tssim::Outcome::Completed || prompter.messages.size() != 1) {
            state.SkipWithError("the download did not complete");
            return;
        }
    }
    // Summed over repetitions, so interleaved runs of both variants meet the same machine load.
    Throughput& total = traced ? g_traced : g_program;
    total.bytes += run.bytes;
    total.time += run.time;
    state.SetBytesProcessed(static_cast<std::int64_t>(run.bytes));
}

// The instrument's bytes from memory, one read at a time, as the download asks for them: what is
// left of a download's time when the line costs nothing, so the transcript's share shows alone.
class ReplayPort final : public vrk::BytePort {
  public:
    explicit ReplayPort(const std::string& bytes) : bytes_(bytes) {}
    vrk::OpenResult open(const vrk::PortParams&) override { return vrk::OpenResult::Ok; }
    vrk::ReadResult read(std::size_t count, std::chrono::milliseconds, std::string& out) override {
        const std::size_t take = std::min(count, bytes_.size() - next_);
        out.append(bytes_, next_, take);
        next_ += take;
        return take == count ? vrk::ReadResult::Ok : vrk::ReadResult::Timeout;
    }
    bool write(std::string_view) override { return true; }
    bool drain() override { return true; }
    void close() override {}

  private:
    const std::string& bytes_;
    std::size_t next_ = 0;
};

// state.range(0) == 1: with the transcript.
void BM_AckNakDownloadFromMemory(benchmark::State& state) {
    const bool traced = state.range(0) == 1;
    tssim::TotalStation station;
    station.setMemory(MebibyteOfPoints());
    const std::string payload = Concatenated(station.downloadLines(tssim::Content::Coordinates));
    vrk::SharedCommSettings settings;
    vrk::CommSettings values;
    values.m_nProtocol = vrk::kProtocolAckNak;
    settings.store(values);
    std::atomic<bool> abandoned{false};
    vrk::TransferObserver observer;
    NoSleep sleeper;
    for (auto _ : state) {
        ReplayPort port(payload);
        NullView view;
        SilentPrompter prompter;
        vrk::TransferContext context{settings, port, view, prompter, sleeper, observer, abandoned};
        vrk::TranscriptLog log;
        vrk::TranscriptRecorder recorder(log);
        const vrk::TraceSetup trace{{"bench", "下传数据", true}, {}, {}, {}};
        if (traced) {
            vrk::RunTraced(context, recorder, trace,
                           [](vrk::TransferContext& ctx) { return vrk::RunDownload(ctx); });
        } else {
            vrk::DownloadThreadProc(context);
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(payload.size()));
}

// `cat` of the same bytes from a pty slave into a pipe: what the pty gives a reader that does
// nothing but read.
bool CatThroughPty(const std::string& payload, Clock::duration& elapsed) {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) {
        return false;
    }
    const std::string slavePath = ::ptsname(master);
    const int slave = ::open(slavePath.c_str(), O_RDWR | O_NOCTTY);
    termios raw{};
    ::tcgetattr(slave, &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(slave, TCSANOW, &raw);
    int out[2];
    if (::pipe(out) != 0) {
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    std::string catName = "cat";
    std::vector<char*> argv = {catName.data(), const_cast<char*>(slavePath.c_str()), nullptr};
    pid_t pid = 0;
    const auto start = Clock::now();
    const bool spawned = ::posix_spawnp(&pid, "cat", &actions, nullptr, argv.data(), environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    std::thread writer;
    if (spawned) {
        writer = std::thread([&] {
            std::size_t done = 0;
            while (done < payload.size()) {
                const ssize_t n = ::write(master, payload.data() + done, payload.size() - done);
                if (n <= 0) {
                    return;
                }
                done += static_cast<std::size_t>(n);
            }
        });
    }
    std::size_t got = 0;
    char buffer[65536];
    while (spawned && got < payload.size()) {
        const ssize_t n = ::read(out[0], buffer, sizeof buffer);
        if (n <= 0) {
            break;
        }
        got += static_cast<std::size_t>(n);
    }
    elapsed = Clock::now() - start;
    if (spawned) {
        ::kill(pid, SIGTERM);
        ::waitpid(pid, nullptr, 0);
        ::close(master);
        writer.join();
    } else {
        ::close(master);
    }
    ::close(slave);
    ::close(out[0]);
    return got == payload.size();
}

void BM_CatThroughPty(benchmark::State& state) {
    tssim::TotalStation station;
    station.setMemory(MebibyteOfPoints());
    const std::string payload = Concatenated(station.downloadLines(tssim::Content::Coordinates));
    Throughput run;
    for (auto _ : state) {
        Clock::duration elapsed{};
        if (!CatThroughPty(payload, elapsed)) {
            state.SkipWithError("cat through a pty failed");
            return;
        }
        run.time += elapsed;
        run.bytes += payload.size();
    }
    g_cat = run;
    state.SetBytesProcessed(static_cast<std::int64_t>(run.bytes));
}

BENCHMARK(BM_AckNakDownloadThroughPty)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_AckNakDownloadFromMemory)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CatThroughPty)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (g_program.bytes > 0 && g_cat.bytes > 0) {
        const double program = g_program.perSecond();
        const double cat = g_cat.perSecond();
        std::printf("Ack/Nak download: %.0f KB/s, cat: %.0f KB/s, ratio %.4f; goal %.0f KB/s: %s\n",
                    program / 1000.0, cat / 1000.0, program / cat, kGoalBytesPerSecond / 1000.0,
                    program >= kGoalBytesPerSecond ? "met" : "missed");
    }
    if (g_program.bytes > 0 && g_traced.bytes > 0) {
        const double cost = 1.0 - g_traced.perSecond() / g_program.perSecond();
        std::printf(
            "with transcript: %.0f KB/s, without: %.0f KB/s, cost %.1f%% (goal at most 5%%)\n",
            g_traced.perSecond() / 1000.0, g_program.perSecond() / 1000.0, cost * 100.0);
    }
    return 0;
}

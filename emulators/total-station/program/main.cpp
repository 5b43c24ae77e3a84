#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "command_line.h"
#include "console.h"
#include "delf_file.h"
#include "file_io.h"
#include "pcode_file.h"
#include "total_station.h"

namespace tssim {
namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
constexpr std::chrono::milliseconds kWatchInterval{100};

bool readInput(const Console& console, const std::string& path, std::string& bytes) {
    if (!readFile(path, bytes)) {
        console.print("tssim: cannot read " + path);
        return false;
    }
    return true;
}

void reportSkipped(const Console& console, const std::string& path,
                   const std::vector<std::string>& errors) {
    for (const std::string& error : errors) {
        console.print(path + ": " + error + " (skipped)");
    }
}

class Session {
  public:
    Session(Options options, Console& console)
        : options_(std::move(options)), console_(console), station_(withLog(options_.config)) {}

    int run() {
        if (!load()) {
            return kExitFailure;
        }
        if (!station_.open(options_.linkPath)) {
            console_.print("tssim: " + station_.error());
            return kExitFailure;
        }
        console_.print("tssim: slave device " + station_.slavePath());
        if (!options_.linkPath.empty()) {
            console_.print("tssim: linked as " + options_.linkPath);
        }
        console_.print(std::string("protocol ") + protocolName(options_.config.protocol));
        content_ = options_.content.value_or(station_.memory().points.empty() &&
                                                     !station_.memory().pcodes.empty()
                                                 ? Content::Pcode
                                                 : Content::Coordinates);
        FirstAction action = options_.first;
        bool first = true;
        while (!quit_) {
            if (!begin(action)) {
                return kExitFailure;
            }
            watch(action == FirstAction::Serve, first ? options_.startAfterSeconds : std::nullopt);
            first = false;
            const Outcome outcome = station_.outcome();
            if (outcome == Outcome::Completed && station_.stats().framesReceived > 0) {
                save();
            }
            if (options_.once || outcome == Outcome::HungUp || outcome == Outcome::Failed) {
                break;
            }
            action = FirstAction::Serve;
        }
        return kExitOk;
    }

  private:
    static Config withLog(Config config) {
        config.log = [](const std::string& line) {
            std::fputs((line + (line.ends_with('\n') ? "" : "\n")).c_str(), stdout);
            std::fflush(stdout);
        };
        return config;
    }

    bool load() {
        Memory memory;
        std::string bytes;
        if (!options_.coordsFile.empty()) {
            if (!readInput(console_, options_.coordsFile, bytes)) {
                return false;
            }
            DelfParse parsed = parseDelf(bytes);
            reportSkipped(console_, options_.coordsFile, parsed.errors);
            memory.points = std::move(parsed.points);
            console_.print("loaded " + std::to_string(memory.points.size()) + " points");
        }
        if (!options_.pcodeFile.empty()) {
            if (!readInput(console_, options_.pcodeFile, bytes)) {
                return false;
            }
            PcodeParse parsed = parsePcode(bytes);
            reportSkipped(console_, options_.pcodeFile, parsed.errors);
            memory.pcodes = std::move(parsed.entries);
            console_.print("loaded " + std::to_string(memory.pcodes.size()) + " PCODE entries");
            if (parsed.textsCut > 0) {
                console_.print(std::to_string(parsed.textsCut) +
                               " texts were cut to the instrument's 10 bytes");
            }
        }
        station_.setMemory(std::move(memory));
        return true;
    }

    static const char* protocolName(Protocol protocol) {
        switch (protocol) {
            case Protocol::None:
                return "None";
            case Protocol::AckNak:
                return "Ack/Nak";
            case Protocol::Auto:
                break;
        }
        return "auto (as the computer talks)";
    }

    static const char* contentName(Content content) {
        return content == Content::Pcode ? "PCODE" : "coordinates";
    }

    bool begin(FirstAction action) {
        const Memory memory = station_.memory();
        console_.print("memory: " + std::to_string(memory.points.size()) + " points, " +
                       std::to_string(memory.pcodes.size()) + " PCODE entries; downloads send " +
                       contentName(content_));
        const bool started = action == FirstAction::Send      ? station_.startSend(content_)
                             : action == FirstAction::Receive ? station_.startReceive()
                                                              : station_.startServing(content_);
        if (!started) {
            console_.print("tssim: " + station_.error());
            return false;
        }
        if (action == FirstAction::Serve) {
            console_.print("ready: the computer may start a download or an upload" +
                           std::string(options_.config.protocol == Protocol::AckNak
                                           ? ""
                                           : "; Enter starts a protocol-None download"));
        }
        return true;
    }

    // Until the exchange ends; Enter is the start key, c/p choose what later downloads send,
    // q and Ctrl-C quit.
    void watch(bool serving, std::optional<double> startAfterSeconds) {
        std::optional<std::chrono::steady_clock::time_point> startAt;
        if (startAfterSeconds) {
            startAt = std::chrono::steady_clock::now() +
                      std::chrono::milliseconds(static_cast<long long>(*startAfterSeconds * 1000));
        }
        while (!station_.waitFinished(std::chrono::milliseconds(0))) {
            std::string line;
            const auto event = console_.wait(kWatchInterval, line);
            if (event == Console::Event::Interrupt ||
                (event == Console::Event::Line && line == "q")) {
                quit_ = true;
                station_.stop();
            } else if (event == Console::Event::Line && line.empty()) {
                station_.signalStart();
            } else if (event == Console::Event::Line && (line == "c" || line == "p")) {
                content_ = line == "p" ? Content::Pcode : Content::Coordinates;
                console_.print(std::string("downloads send ") + contentName(content_));
                const Stats stats = station_.stats();
                if (serving && stats.bytesReceived == 0 && stats.linesSent == 0) {
                    station_.stop();
                    station_.startServing(content_);
                }
            } else if (event == Console::Event::Line) {
                console_.print("Enter, c, p or q?");
            }
            if (startAt && std::chrono::steady_clock::now() >= *startAt) {
                startAt.reset();
                station_.signalStart();
            }
        }
    }

    void save() {
        const Memory memory = station_.memory();
        const bool coords =
            !station_.frames().empty() && station_.frames().front().kind == FrameKind::Header;
        const std::string& path = coords ? options_.saveCoordsFile : options_.savePcodeFile;
        if (path.empty()) {
            return;
        }
        const std::string bytes = coords ? formatDelf(memory.points) : formatPcode(memory.pcodes);
        console_.print(writeFile(path, bytes) ? "saved to " + path : "tssim: cannot write " + path);
    }

    Options options_;
    Console& console_;
    TotalStation station_;
    Content content_ = Content::Coordinates;
    bool quit_ = false;
};

}  // namespace
}  // namespace tssim

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const tssim::ParsedCommandLine parsed = tssim::parseCommandLine(args);
    if (parsed.help) {
        std::fputs(tssim::usageText(), stdout);
        return tssim::kExitOk;
    }
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "tssim: %s\n%s", parsed.error.c_str(), tssim::usageText());
        return tssim::kExitUsage;
    }
    tssim::Console console;
    return tssim::Session(parsed.options, console).run();
}

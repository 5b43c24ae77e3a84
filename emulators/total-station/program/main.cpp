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
        console_.print(std::string("protocol ") +
                       (options_.config.protocol == Protocol::AckNak ? "Ack/Nak" : "None"));
        FirstAction action = options_.first;
        while (!console_.interrupted()) {
            if (action == FirstAction::Menu) {
                const auto chosen = ask();
                if (!chosen) {
                    break;
                }
                action = *chosen;
            }
            const bool lineAlive = exchange(action);
            if (options_.once || !lineAlive) {
                break;
            }
            action = FirstAction::Menu;
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

    // Nothing: quit.
    std::optional<FirstAction> ask() {
        const Memory memory = station_.memory();
        console_.print("memory: " + std::to_string(memory.points.size()) + " points, " +
                       std::to_string(memory.pcodes.size()) + " PCODE entries");
        console_.print("c = send coordinates, p = send PCODE, r = receive an upload, q = quit");
        while (true) {
            std::string line;
            if (console_.wait(std::nullopt, line) != Console::Event::Line) {
                return std::nullopt;
            }
            if (line == "c") {
                return FirstAction::SendCoords;
            }
            if (line == "p") {
                return FirstAction::SendPcode;
            }
            if (line == "r") {
                return FirstAction::Receive;
            }
            if (line == "q") {
                return std::nullopt;
            }
            console_.print("c, p, r or q?");
        }
    }

    // False once the line is gone (hung up), so nothing more can be served.
    bool exchange(FirstAction action) {
        const bool sending = action != FirstAction::Receive;
        const bool started =
            sending ? station_.startSend(action == FirstAction::SendPcode ? Content::Pcode
                                                                          : Content::Coordinates)
                    : station_.startReceive();
        if (!started) {
            console_.print("tssim: " + station_.error());
            return false;
        }
        if (sending && options_.config.protocol == Protocol::None && !startSignal()) {
            station_.stop();
        }
        watch();
        if (!sending && station_.outcome() == Outcome::Completed) {
            save();
        }
        return station_.outcome() != Outcome::HungUp && station_.outcome() != Outcome::Failed;
    }

    // The instrument's own start key: Enter here, or a timer.
    bool startSignal() {
        std::string line;
        if (options_.startAfterSeconds) {
            const auto delay = std::chrono::milliseconds(
                static_cast<long long>(*options_.startAfterSeconds * 1000.0));
            console_.print("starting in " + std::to_string(delay.count()) + " ms");
            while (true) {
                const auto event = console_.wait(delay, line);
                if (event == Console::Event::Interrupt) {
                    return false;
                }
                if (event == Console::Event::Timeout) {
                    break;
                }
            }
        } else {
            console_.print("press Enter to start sending");
            if (console_.wait(std::nullopt, line) != Console::Event::Line) {
                return false;
            }
        }
        station_.signalStart();
        return true;
    }

    // Until the exchange ends; "q" and Ctrl-C stop it.
    void watch() {
        console_.print("(q and Enter stops the exchange)");
        while (!station_.waitFinished(std::chrono::milliseconds(0))) {
            std::string line;
            const auto event = console_.wait(kWatchInterval, line);
            if (event == Console::Event::Interrupt ||
                (event == Console::Event::Line && line == "q")) {
                station_.stop();
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

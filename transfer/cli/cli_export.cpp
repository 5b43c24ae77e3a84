#include "cli/cli_export.h"

#include <atomic>
#include <charconv>
#include <csignal>
#include <iostream>
#include <optional>
#include <thread>

#include "cli/cli_file_messages.h"
#include "cli/cli_texts.h"
#include "export/coordinate_systems.h"
#include "export/export_module.h"
#include "export/export_run.h"
#include "files/file_reader.h"
#include "survey/delf_point_list.h"

namespace vrk::cli {

namespace {

constexpr int kExitWritten = 0;
constexpr int kExitRefused = 1;
constexpr int kExitNotRead = 2;

constexpr std::string_view kEpsgPrefix = "EPSG:";

std::atomic<bool> g_interrupted{false};

// Ctrl+C cancels the export: the hidden files are removed and an earlier file stays.
extern "C" void OnExportInterrupt(int) {
    g_interrupted.store(true);
    std::signal(SIGINT, SIG_DFL);
}

class InterruptibleProgress final : public ExportProgress {
  public:
    bool Continue(std::size_t, std::size_t) override { return !g_interrupted.load(); }
};

struct ExportArgs {
    ExportRequest request;
    std::string input;
};

std::optional<int> ParseSystem(std::string_view text) {
    if (text == "local") {
        return kLocalSystem;
    }
    if (text.size() > kEpsgPrefix.size()) {
        std::string upper(text.substr(0, kEpsgPrefix.size()));
        for (char& c : upper) {
            c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
        }
        if (upper == kEpsgPrefix) {
            text.remove_prefix(kEpsgPrefix.size());
        }
    }
    int code = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), code);
    if (error != std::errc() || end != text.data() + text.size() || code <= 0) {
        return std::nullopt;
    }
    return code;
}

// The reason the command line is not understood; empty when it is.
std::string Parse(std::span<const std::string> args, ExportArgs& parsed) {
    if (args.empty()) {
        return texts::kExportNeedsFormat;
    }
    const auto format = ExportFormatFromWord(args[0]);
    if (!format) {
        return texts::kUnknownExportFormat + args[0];
    }
    parsed.request.format = *format;
    std::string output;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool takesValue = arg == "-o" || arg == "--crs" || arg == "--encoding";
        if (takesValue && i + 1 >= args.size()) {
            return arg + texts::kMissingValue;
        }
        if (arg == "-o") {
            if (!output.empty()) {
                return texts::kMoreThanOneOutput;
            }
            output = args[++i];
        } else if (arg == "--crs") {
            const auto system = ParseSystem(args[++i]);
            if (!system) {
                return texts::kInvalidValue + args[i];
            }
            parsed.request.epsg = *system;
        } else if (arg == "--encoding") {
            const std::string& encoding = args[++i];
            if (encoding != "utf-8" && encoding != "gbk") {
                return texts::kInvalidValue + encoding;
            }
            parsed.request.gbk = encoding == "gbk";
        } else if (arg.size() > 1 && arg.front() == '-') {
            return texts::kUnknownOption + arg;
        } else if (!parsed.input.empty()) {
            return texts::kMoreThanOneInput + arg;
        } else {
            parsed.input = arg;
        }
    }
    if (parsed.input.empty()) {
        return texts::kMissingInput;
    }
    if (output.empty()) {
        return texts::kExportNeedsOutput;
    }
    parsed.request.path = WithFormatEnding(output, parsed.request.format);
    return {};
}

}  // namespace

int RunExportCommand(std::span<const std::string> args) {
    ExportArgs parsed;
    if (const std::string wrong = Parse(args, parsed); !wrong.empty()) {
        std::cerr << texts::kProgram << wrong << texts::kUsage << ExportUsage();
        return kExitNotRead;
    }
    // GDAL's start-up and PROJ's look-up of the system take about as long as reading and checking
    // a large survey: both run at once, and the export waits for them only if they are not done.
    const std::jthread loading([epsg = parsed.request.epsg] {
        std::string ignored;
        const ExportModule* module = ExportModule::Load(ignored);
        if (module != nullptr && epsg != kLocalSystem) {
            module->SystemName(epsg);
        }
    });
    std::string text;
    if (const FileResult read = ReadFile(parsed.input, text); !read.ok()) {
        std::cerr << CannotReadMessage(parsed.input, read);
        return kExitNotRead;
    }
    const SurveyPointList list = ReadDelfPoints(text);
    std::cerr << FormatSkippedLines(list);
    InterruptibleProgress progress;
    const auto previous = std::signal(SIGINT, OnExportInterrupt);
    const ExportOutcome outcome = RunExport(text, list, parsed.request, progress);
    std::signal(SIGINT, previous);
    if (!outcome.written) {
        std::cerr << texts::kProgram << outcome.message << '\n';
        return kExitRefused;
    }
    std::cout << outcome.message << '\n';
    return kExitWritten;
}

const char* ExportUsage() {
    return "  vrk410-cli export dxf|gpkg|shp|geojson|kml|csv INPUT -o OUTPUT [--crs EPSG:N|local]"
           " [--encoding utf-8|gbk]\n";
}

}  // namespace vrk::cli

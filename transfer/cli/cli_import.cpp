#include "cli/cli_import.h"

#include <iostream>
#include <optional>

#include "cli/cli_file_messages.h"
#include "cli/cli_texts.h"
#include "files/file_reader.h"
#include "files/file_writer.h"
#include "import/survey_import.h"

namespace vrk::cli {

namespace {

constexpr int kExitRead = 0;
constexpr int kExitNothingRead = 1;
constexpr int kExitCannotRead = 2;

// The command's own words; the command and option names stay as they are typed.
constexpr const char* kNeedsFormat = "import 需要格式: gsi、sdr、csv 或 auto,以及输入文件";
constexpr const char* kUnknownFormat = "未知的格式: ";
constexpr const char* kNeedsValue = " 后面需要取值";
constexpr const char* kBadColumns =
    "--columns 取值无效(用 name、code、E、N、H 和 - 按列写,如 name,code,E,N,H): ";
constexpr const char* kBadDelimiter = "--delimiter 取值无效(用 , ; tab 或 blank): ";
constexpr const char* kBadUnit = "--unit 取值无效(用 m、ft 或 usft): ";
constexpr const char* kDetected = "识别为 %1 格式";
constexpr const char* kLine = "第 %1 行: ";
constexpr const char* kSummary = "导入 %1 个点, 跳过 %2 条";
constexpr const char* kMoreNotes = "……另有 %1 条未列出";

struct ImportRequest {
    std::optional<ImportFormat> format;  // nullopt: detect
    std::string input;
    std::string output;  // empty: standard output
    ImportOptions options;
};

std::string Fill(std::string_view pattern, std::size_t first, std::size_t second = 0) {
    std::string out(pattern);
    for (const auto& [mark, value] : {std::pair{"%1", first}, std::pair{"%2", second}}) {
        const std::size_t at = out.find(mark);
        if (at != std::string::npos) {
            out.replace(at, 2, std::to_string(value));
        }
    }
    return out;
}

std::optional<char> DelimiterOf(const std::string& word) {
    if (word == "," || word == ";") {
        return word[0];
    }
    if (word == "tab" || word == "\t") {
        return '\t';
    }
    if (word == "blank" || word == "space" || word == " ") {
        return kBlanksDelimiter;
    }
    return std::nullopt;
}

std::optional<LengthUnit> UnitOf(const std::string& word) {
    if (word == "m") {
        return LengthUnit::Metre;
    }
    if (word == "ft") {
        return LengthUnit::Foot;
    }
    if (word == "usft") {
        return LengthUnit::UsSurveyFoot;
    }
    return std::nullopt;
}

bool ParseImportArgs(std::span<const std::string> args, ImportRequest& request,
                     std::string& error) {
    if (args.empty()) {
        error = kNeedsFormat;
        return false;
    }
    const std::string& format = args[0];
    if (format == "gsi") {
        request.format = ImportFormat::Gsi;
    } else if (format == "sdr") {
        request.format = ImportFormat::Sdr;
    } else if (format == "csv") {
        request.format = ImportFormat::Delimited;
    } else if (format != "auto") {
        error = kUnknownFormat + format;
        return false;
    }
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool takesValue = arg == "-o" || arg == "--output" || arg == "--columns" ||
                                arg == "--delimiter" || arg == "--unit";
        if (takesValue && i + 1 >= args.size()) {
            error = arg + kNeedsValue;
            return false;
        }
        if (arg == "-o" || arg == "--output") {
            request.output = args[++i];
        } else if (arg == "--columns") {
            const auto columns = ParseColumnMap(args[++i]);
            if (!columns) {
                error = kBadColumns + args[i];
                return false;
            }
            request.options.delimited.columns = *columns;
        } else if (arg == "--delimiter") {
            const auto delimiter = DelimiterOf(args[++i]);
            if (!delimiter) {
                error = kBadDelimiter + args[i];
                return false;
            }
            request.options.delimited.delimiter = *delimiter;
        } else if (arg == "--unit") {
            const auto unit = UnitOf(args[++i]);
            if (!unit) {
                error = kBadUnit + args[i];
                return false;
            }
            request.options.delimited.unit = *unit;
        } else if (arg.size() > 1 && arg.front() == '-') {
            error = texts::kUnknownOption + arg;
            return false;
        } else if (!request.input.empty()) {
            error = texts::kMoreThanOneInput + arg;
            return false;
        } else {
            request.input = arg;
        }
    }
    if (request.input.empty()) {
        error = kNeedsFormat;
        return false;
    }
    return true;
}

void PrintReport(const ImportResult& result) {
    for (const ImportNote& note : result.notes) {
        std::cerr << Fill(kLine, note.line) << note.text << '\n';
    }
    if (result.notesLeftOut != 0) {
        std::cerr << Fill(kMoreNotes, result.notesLeftOut) << '\n';
    }
}

}  // namespace

int RunImportCommand(std::span<const std::string> args) {
    ImportRequest request;
    std::string error;
    if (!ParseImportArgs(args, request, error)) {
        std::cerr << texts::kProgram << error << texts::kUsage << ImportUsage();
        return kExitCannotRead;
    }
    std::string input;
    // "-" is standard input, for a file piped from another tool.
    const bool fromStdin = request.input == "-";
    const FileResult read = fromStdin ? ReadStandardInput(input) : ReadFile(request.input, input);
    if (!read.ok()) {
        std::cerr << CannotReadMessage(fromStdin ? std::string() : request.input, read);
        return kExitCannotRead;
    }
    const ImportFormat format = request.format ? *request.format : DetectImportFormat(input);
    if (!request.format) {
        std::string detected = kDetected;
        detected.replace(detected.find("%1"), 2, ImportFormatWord(format));
        std::cerr << detected << '\n';
    }
    const ImportResult result = ImportSurveyFile(input, format, request.options);
    PrintReport(result);
    if (!result.ok) {
        // OUTPUT keeps what it had: nothing read must not cost an earlier import.
        std::cerr << result.message << '\n';
        return kExitNothingRead;
    }
    std::cerr << Fill(kSummary, result.points, result.skipped) << '\n';
    const FileResult written = request.output.empty() ? WriteStandardOutput(result.text)
                                                      : WriteFile(request.output, result.text);
    if (!written.ok()) {
        std::cerr << CannotWriteMessage(request.output, written);
        return kExitNothingRead;
    }
    return kExitRead;
}

const char* ImportUsage() {
    return "  vrk410-cli import gsi|sdr|csv|auto INPUT [-o OUTPUT] [--columns name,code,E,N,H]\n"
           "                   [--delimiter ,|;|tab|blank] [--unit m|ft|usft]\n";
}

}  // namespace vrk::cli

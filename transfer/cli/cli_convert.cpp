#include "cli/cli_convert.h"
#include "cli/cli_exit_codes.h"

#include <iostream>
#include <optional>

#include "cli/cli_file_messages.h"
#include "cli/cli_texts.h"
#include "convert/delf_conversion.h"
#include "convert/pcode_conversion.h"
#include "files/file_reader.h"
#include "files/file_writer.h"

namespace vrk::cli {

namespace {

enum class Kind { Delf, Pcode };

struct ConvertRequest {
    Kind kind = Kind::Delf;
    std::string input;   // empty: standard input
    std::string output;  // empty: standard output
    bool verbose = false;
};

std::optional<Kind> KindOf(const std::string& word) {
    if (word == "delf") {
        return Kind::Delf;
    }
    if (word == "pcode") {
        return Kind::Pcode;
    }
    return std::nullopt;
}

bool ParseConvertArgs(std::span<const std::string> args, ConvertRequest& request,
                      std::string& error) {
    if (args.empty()) {
        error = texts::kConvertNeedsKind;
        return false;
    }
    const auto kind = KindOf(args[0]);
    if (!kind) {
        error = texts::kUnknownConversion + args[0];
        return false;
    }
    request.kind = *kind;
    bool haveInput = false;
    bool haveOutput = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "-o" || arg == "--output") {
            if (haveOutput || i + 1 >= args.size()) {
                error = haveOutput ? std::string(texts::kMoreThanOneOutput)
                                   : arg + texts::kNeedsFileName;
                return false;
            }
            request.output = args[++i];
            haveOutput = true;
        } else if (arg == "-v" || arg == "--verbose") {
            request.verbose = true;
        } else if (arg.size() > 1 && arg.front() == '-') {
            error = texts::kUnknownOption + arg;
            return false;
        } else {
            if (haveInput) {
                error = texts::kMoreThanOneInput + arg;
                return false;
            }
            // "-" is standard input, as the default.
            request.input = arg == "-" ? std::string() : arg;
            haveInput = true;
        }
    }
    if (haveOutput && request.output.empty()) {
        error = std::string("-o") + texts::kNeedsFileName;
        return false;
    }
    return true;
}

FileResult ReadAll(const std::string& path, std::string& bytes) {
    return path.empty() ? ReadStandardInput(bytes) : ReadFile(path, bytes);
}

FileResult WriteAll(const std::string& path, const std::string& bytes) {
    return path.empty() ? WriteStandardOutput(bytes) : WriteFile(path, bytes);
}

}  // namespace

int RunConvertCommand(std::span<const std::string> args) {
    ConvertRequest request;
    std::string error;
    if (!ParseConvertArgs(args, request, error)) {
        std::cerr << texts::kProgram << error << texts::kUsage << ConvertUsage();
        return kExitUsage;
    }
    std::string input;
    if (const FileResult read = ReadAll(request.input, input); !read.ok()) {
        std::cerr << CannotReadMessage(request.input, read);
        return kExitFailed;
    }
    const ConversionResult result =
        request.kind == Kind::Delf ? ConvertToDelf(input) : ConvertToPcode(input);
    if (!result.ok) {
        // The output file is left as it was: a failed conversion must not cost an earlier one.
        std::cerr << result.messageWithWhere() << '\n';
        return kExitFailed;
    }
    if (request.verbose) {
        std::cerr << result.report << '\n';
    }
    if (const FileResult written = WriteAll(request.output, result.text); !written.ok()) {
        std::cerr << CannotWriteMessage(request.output, written);
        return kExitFailed;
    }
    return kExitOk;
}

const char* ConvertUsage() {
    return "  vrk410-cli convert delf [INPUT] [-o OUTPUT] [--verbose]\n"
           "  vrk410-cli convert pcode [INPUT] [-o OUTPUT] [--verbose]\n";
}

}  // namespace vrk::cli

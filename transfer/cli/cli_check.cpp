#include "cli/cli_check.h"

#include <iostream>

#include "cli/cli_file_messages.h"
#include "cli/cli_texts.h"
#include "files/file_reader.h"
#include "survey/upload_check.h"

namespace vrk::cli {

namespace {

constexpr int kExitClean = 0;
constexpr int kExitFindings = 1;
// Nothing was checked: a wrong command line or a file that cannot be read. A script must not
// take either for a list with findings.
constexpr int kExitNotChecked = 2;

UploadFindings Check(bool coords, std::string_view text) {
    return coords ? CheckCoordUpload(text) : CheckPcodeUpload(text);
}

}  // namespace

int RunCheckCommand(std::span<const std::string> args) {
    if (args.size() != 2 || (args[0] != "coords" && args[0] != "pcode")) {
        std::cerr << texts::kProgram << texts::kCheckNeedsKindAndFile << texts::kUsage
                  << CheckUsage();
        return kExitNotChecked;
    }
    std::string text;
    if (const FileResult read = ReadFile(args[1], text); !read.ok()) {
        std::cerr << CannotReadMessage(args[1], read);
        return kExitNotChecked;
    }
    const UploadFindings findings = Check(args[0] == "coords", text);
    std::cout << FormatFindings(findings) << std::flush;
    return findings.empty() ? kExitClean : kExitFindings;
}

void WarnAboutUpload(bool coords, std::string_view text) {
    std::cerr << FormatFindings(Check(coords, text)) << std::flush;
}

const char* CheckUsage() {
    return "  vrk410-cli check coords FILE\n"
           "  vrk410-cli check pcode FILE\n";
}

}  // namespace vrk::cli

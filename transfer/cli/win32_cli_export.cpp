#include <iostream>

#include "cli/cli_export.h"
#include "cli/cli_texts.h"

namespace vrk::cli {

// The export writes through GDAL, which the Windows build does not carry yet; the command is
// refused with its reason rather than unknown, so a script learns why.
int RunExportCommand(std::span<const std::string>) {
    std::cerr << texts::kProgram << texts::kExportNotInThisBuild << '\n';
    return 1;
}

const char* ExportUsage() {
    return "";
}

}  // namespace vrk::cli

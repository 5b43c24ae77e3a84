#pragma once

#include <span>
#include <string>

namespace vrk::cli {

// Runs `vrk410-cli export FORMAT INPUT -o OUTPUT [--crs EPSG:N|local] [--encoding utf-8|gbk]`;
// `args` starts after "export". Answers 0 when the file is written, 1 when the export is refused
// or fails, 2 when INPUT cannot be read or the command line is not understood. The GDAL module
// is loaded here and nowhere else on the command line.
int RunExportCommand(std::span<const std::string> args);

// The export part of the usage text.
const char* ExportUsage();

}  // namespace vrk::cli

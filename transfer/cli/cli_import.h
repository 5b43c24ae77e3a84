#pragma once

#include <span>
#include <string>

namespace vrk::cli {

// Runs `vrk410-cli import gsi|sdr|csv|auto INPUT [-o OUTPUT] [--columns MAP] [--delimiter D]
// [--unit m|ft|usft]`; `args` starts after "import"; INPUT "-" is standard input. Writes the DELF
// lines (GBK, CR LF) to OUTPUT or standard output and the report of skipped records to standard
// error. Answers 0 when points were read, 1 when none could be (or OUTPUT could not be written), 2
// when INPUT cannot be read or the command line is not understood.
int RunImportCommand(std::span<const std::string> args);

// The import part of the usage text.
const char* ImportUsage();

}  // namespace vrk::cli

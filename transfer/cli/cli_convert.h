#pragma once

#include <span>
#include <string>

namespace vrk::cli {

// Runs `vrk410-cli convert delf|pcode [INPUT] [-o OUTPUT] [--verbose]`; `args` starts after
// "convert". Answers the exit status: 0 converted, 1 the conversion failed (its message and where
// it gave up were printed on standard error) or a file could not be read or written, 2 a command
// line not understood. --verbose prints what came out on standard error.
int RunConvertCommand(std::span<const std::string> args);

// The convert part of the usage text, one command per line.
const char* ConvertUsage();

}  // namespace vrk::cli

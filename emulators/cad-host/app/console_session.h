#pragma once

#include <cstdio>

#include "cadhost/host_state.h"
#include "command_processor.h"

namespace cadhost {

// Reads commands from a stream until QUIT or the end of input; answers the exit status.
int runConsole(CommandProcessor& processor, std::FILE* input, bool echo);

void printToConsole(std::string_view text, TextOrigin origin);

}  // namespace cadhost

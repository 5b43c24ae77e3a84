#pragma once

#include <span>
#include <string>

namespace vrk::cli {

// True for the words that start a transfer command ("download", "upload").
bool IsTransferCommand(const std::string& word);

// Runs `vrk410-cli download|upload …`; `args` starts at the subcommand. Answers the exit
// status: 0 when the transfer completed, 1 when it failed (the message was printed), 2 for a
// command line that is not understood.
int RunTransferCommand(std::span<const std::string> args);

}  // namespace vrk::cli

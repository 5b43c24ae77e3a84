#pragma once

#include "cadhost/ed_command_stack.h"

namespace quorbel::host {

inline constexpr const char* kCommandGroup = "KVT";
inline constexpr const char* kCommandName = "QUORBEL";
inline constexpr Adesk::Int32 kCommandFlags = ACRX_CMD_TRANSPARENT | ACRX_CMD_USEPICKSET;
inline constexpr int kCommandFunctionCode = -1;

// kInitAppMsg: unlocked, MDI-aware, QUORBEL registered. The host's answers are not examined.
void initApplication(void* appId, AcRxFunctionPtr command);
// kUnloadAppMsg: the group goes, and with it the command.
void unloadApplication();

}  // namespace quorbel::host

#pragma once

#include <span>
#include <string>
#include <string_view>

namespace vrk::cli {

// Runs `vrk410-cli check coords|pcode FILE`; `args` starts after "check". Prints the findings one
// a line as "LINE: text" and answers 0 when there are none, 1 when there are some or the file
// cannot be read, 2 for a command line not understood.
int RunCheckCommand(std::span<const std::string> args);

// What the upload of `text` would send differently from what it says, on standard error; the
// upload goes on regardless.
void WarnAboutUpload(bool coords, std::string_view text);

// The check part of the usage text.
const char* CheckUsage();

}  // namespace vrk::cli

#pragma once

#include <iosfwd>

namespace vrk::cli {

// `vrk410-cli ports`: the serial devices the system reports and the device each of COM1 …
// COM6 stands for now, one per line. Answers the exit status (always 0).
int RunPortsCommand(std::ostream& out);

const char* PortsUsage();

}  // namespace vrk::cli

#pragma once

#include <string>

namespace vrk {

// What the serial library could say about a failed open; the diagnosis looks at the system
// first and falls back on this.
enum class OpenErrorHint { NotFound, Permission, Other };

// Why `device` could not be opened, and what the user can do, in one Chinese sentence (UTF-8):
// it does not exist, the user's groups do not allow it (naming the owning group), or another
// program holds it (naming the process from the lock file, or from /proc, when readable).
std::string OpenFailureReason(const std::string& device, OpenErrorHint hint);

// The device opened but refused the line settings (baud rate, data bits, parity, stop bits).
std::string SetParamsFailureReason(const std::string& device, const std::string& lineSettings);

// The device opened but refused the receive and send queues.
std::string BuffersFailureReason(const std::string& device);

}  // namespace vrk

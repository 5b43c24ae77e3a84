#pragma once

#include <string>

namespace vrk {

// What the serial library could say about a failed open; the diagnosis looks at the system
// first and falls back on this.
enum class OpenErrorHint { NotFound, Permission, Other };

// How the user picks another device for a port, in the program that shows the reason: the
// clause after "或" when the device is missing, and the one after "请" when it is not a serial
// port. The desktop program's menu is the default.
struct PortChoiceAdvice {
    std::string chooseDevice;
    std::string checkDevice;
};

// Set once at start, before any port is opened (the CLI has no menu to point to).
void SetPortChoiceAdvice(PortChoiceAdvice advice);

// Why `device` could not be opened, and what the user can do, in one Chinese sentence (UTF-8):
// it does not exist, the user's groups do not allow it (naming the owning group), or another
// program holds it (naming the process from the lock file, or from /proc, when readable).
std::string OpenFailureReason(const std::string& device, OpenErrorHint hint);

// The device opened but refused the line settings (baud rate, data bits, parity, stop bits).
std::string SetParamsFailureReason(const std::string& device, const std::string& lineSettings);

// The device opened but refused the receive and send queues.
std::string BuffersFailureReason(const std::string& device);

}  // namespace vrk

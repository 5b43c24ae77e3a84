#pragma once

#include <string>

#include "serial/port_failure.h"

namespace vrk {

// How the user picks another device for a port, in the program that shows the reason: the
// clause after "或" when the device is missing, and the one after "请" when it is not a serial
// port. The desktop program's menu is the default.
struct PortChoiceAdvice {
    std::string chooseDevice;
    std::string checkDevice;
};

// Set once at start, before any port is opened (the CLI has no menu to point to).
void SetPortChoiceAdvice(PortChoiceAdvice advice);

// What went wrong and what the user can do, in one Chinese sentence (UTF-8); empty for Ok.
std::string PortFailureReason(const PortFailure& failure);

}  // namespace vrk

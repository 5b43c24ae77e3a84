#pragma once

#include <string>

namespace vrk {

// Why the port layer could not open or keep a line, as the system answered. The Chinese reason
// for the user is made from this in one place (port_failure_reason.h), whatever the system.
enum class PortStatus {
    Ok,
    Missing,          // no such device
    AccessDenied,     // the user may not open it
    Busy,             // another program holds it
    Unplugged,        // the device went away (USB adapter pulled)
    NotSerialPort,    // opened, but it is no serial line
    SettingsRefused,  // the driver did not take the line settings
    QueuesRefused,    // the driver did not take the queue sizes
    HangUp,           // the far end hung up while the line was in use
    IoError,          // any other read or write failure
};

struct PortFailure {
    PortStatus status = PortStatus::Ok;
    std::string device;
    int systemError = 0;     // errno, or GetLastError() on Windows; 0 when none applies
    std::string systemText;  // the system's own words for it, kept for whoever is asked for help

    // Busy: the program holding the device, when the system tells.
    long holderPid = 0;
    std::string holderName;
    // AccessDenied: the group that may open the device and the user who may not; an empty group
    // means only an administrator can help (the device is root's, or a folder on the way is
    // closed).
    std::string owningGroup;
    std::string userName;
    // SettingsRefused: the settings as the user chose them.
    std::string lineSettings;
};

}  // namespace vrk

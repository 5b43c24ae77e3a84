#include "serial/serial_port.h"

#include <utility>

#include "link/parity_name.h"
#include "serial/port_failure_reason.h"

namespace vrk {

// What both systems' ports share; the system calls are in posix_serial_port.cpp and
// win32_serial_port.cpp.

bool SerialPort::abandoned() const {
    return options_.abandoned != nullptr && options_.abandoned->load();
}

// A failed line is a dead line: the port is closed at once, so a caller that retried would get
// the same answer rather than spin on a device that is gone.
void SerialPort::fail(PortFailure failure) {
    failure.device = device_;
    failure_ = std::move(failure);
    close();
}

std::string SerialPort::failureReason() const {
    return PortFailureReason(failure_);
}

std::string LineSettingsText(const PortParams& params) {
    return "波特率 " + std::to_string(params.baudRate) + "，" + std::to_string(params.dataBits) +
           " 位数据位，" + std::to_string(params.stopBits) + " 位停止位，" +
           std::string(ParityName(params.parity));
}

}  // namespace vrk

#pragma once

#include <atomic>
#include <functional>
#include <memory>

#include "link/byte_port.h"

namespace vrk {

// Makes the port a transfer opens. Called in the transfer thread, which then owns the port;
// `abandoned` lets a waiting read give up when the program quits.
using PortFactory = std::function<std::unique_ptr<BytePort>(const std::atomic<bool>& abandoned)>;

// The serial line of the machine: COM1…COM6 as the serial adapter maps them.
PortFactory SerialPortFactory();

}  // namespace vrk

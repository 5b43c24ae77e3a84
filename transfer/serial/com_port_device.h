#pragma once

#include <string>
#include <string_view>

namespace vrk {

// The device a port name stands for. "COM1" … "COM6" become /dev/ttyS0 … /dev/ttyS5 unless
// VRK410_COM1 … VRK410_COM6 name another device (a USB adapter, an emulator's link); any other
// name is taken as a device path already. The desktop program and the command line share this
// so that one environment setting points both at the same line.
std::string ComPortDevice(std::string_view portName);

}  // namespace vrk

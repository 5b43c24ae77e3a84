#pragma once

#include <string>
#include <string_view>

namespace vrk {

// Where the device of a COM port comes from, strongest first.
enum class ComDeviceSource { Environment, Mapping, Default };

struct ComDevice {
    std::string path;
    ComDeviceSource source = ComDeviceSource::Default;
};

// The device COMn (number 1 … 6) is when nothing else is chosen: "/dev/ttyS0" … "/dev/ttyS5"
// on POSIX systems, "COM1" … "COM6" on Windows (system_places.cpp of each system).
std::string DefaultComDevice(int number);

// 1 … 6 for "COM1" … "COM6", 0 for anything else (including "com1": the program only ever
// produces the upper-case names).
int ComNumber(std::string_view portName);

// The device COMn (number 1 … 6) stands for: VRK410_COMn when set (an emulator's link, a
// script), else the port mapping the user chose in the program, else the default.
ComDevice ComDeviceFor(int number);

// The device a port name stands for. "COM1" … "COM6" as ComDeviceFor; any other name is taken
// as a device path already. The desktop program and the command line share this so that both
// talk on the same line.
std::string ComPortDevice(std::string_view portName);

}  // namespace vrk

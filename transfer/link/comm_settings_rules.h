#pragma once

#include <array>
#include <chrono>
#include <string>
#include <string_view>

#include "link/byte_port.h"
#include "link/comm_settings.h"

namespace vrk {

// The choices of the settings dialog, by index; the command line offers the same ones.
inline constexpr std::array<std::string_view, 6> kPortNames = {"COM1", "COM2", "COM3",
                                                               "COM4", "COM5", "COM6"};
inline constexpr std::array<int, 5> kBaudRates = {1200, 2400, 4800, 9600, 19200};

// Index to line value, with the "any other value" fallbacks the settings record allows.
int BaudRateFor(const CommSettings& settings);
int DataBitsFor(const CommSettings& settings);
int StopBitsFor(const CommSettings& settings);
Parity ParityFor(const CommSettings& settings);

// "COM1" … "COM6"; empty for an index outside 0 … 5 (there is no such port to open).
std::string PortNameFor(const CommSettings& settings);

bool IsAckNak(const CommSettings& settings);

// The receive delay as the time-out of one read, kept within 1 … 1000 s: a delay of 0 would
// mean a read that never ends.
std::chrono::milliseconds ReadTimeoutFor(const CommSettings& settings);

PortParams PortParamsFor(const CommSettings& settings);

}  // namespace vrk

#include "link/comm_settings_rules.h"

#include <algorithm>
#include <array>

#include "link/link_constants.h"

namespace vrk {

int BaudRateFor(const CommSettings& settings) {
    const auto index = settings.m_nBaud;
    if (index < 0 || index >= static_cast<std::int32_t>(kBaudRates.size())) {
        return kBaudRates.front();
    }
    return kBaudRates[static_cast<std::size_t>(index)];
}

int DataBitsFor(const CommSettings& settings) {
    return settings.m_nDataBits == 0 ? 7 : 8;
}

int StopBitsFor(const CommSettings& settings) {
    return settings.m_nStopBits == 1 ? 2 : 1;
}

Parity ParityFor(const CommSettings& settings) {
    switch (settings.m_nParity) {
        case 1:
            return Parity::Odd;
        case 2:
            return Parity::Even;
        default:
            return Parity::None;
    }
}

std::string PortNameFor(const CommSettings& settings) {
    if (settings.m_nPort < 0 || settings.m_nPort >= static_cast<std::int32_t>(kPortNames.size())) {
        return {};
    }
    return std::string(kPortNames[static_cast<std::size_t>(settings.m_nPort)]);
}

bool IsAckNak(const CommSettings& settings) {
    return settings.m_nProtocol == kProtocolAckNak;
}

std::chrono::milliseconds ReadTimeoutFor(const CommSettings& settings) {
    const auto seconds = std::clamp(settings.m_nRecvDelay, kMinRecvDelay, kMaxRecvDelay);
    return std::chrono::seconds(seconds);
}

PortParams PortParamsFor(const CommSettings& settings) {
    PortParams params;
    params.portName = PortNameFor(settings);
    params.baudRate = BaudRateFor(settings);
    params.dataBits = DataBitsFor(settings);
    params.parity = ParityFor(settings);
    params.stopBits = StopBitsFor(settings);
    params.queueSize = kQueueSize;
    params.readTimeout = ReadTimeoutFor(settings);
    return params;
}

}  // namespace vrk

#include "shell/transfer/port_factory.h"

#include "serial/serial_port.h"

namespace vrk {

PortFactory SerialPortFactory() {
    return [](const std::atomic<bool>& abandoned) -> std::unique_ptr<BytePort> {
        SerialPortOptions options;
        options.abandoned = &abandoned;
        return std::make_unique<SerialPort>(options);
    };
}

}  // namespace vrk

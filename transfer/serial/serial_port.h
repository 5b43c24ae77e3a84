#pragma once

#include <atomic>
#include <chrono>
#include <memory>
#include <string>

#include "link/byte_port.h"
#include "serial/port_failure.h"

namespace vrk {

struct SerialPortOptions {
    // When set, this device is opened whatever COM name the transfer asks for (--port DEVICE).
    std::string device;
    // Set when the program quits during a transfer: a waiting read or write gives up within a
    // slice.
    const std::atomic<bool>* abandoned = nullptr;
};

// The serial line of the machine, with the system's own calls: termios on POSIX
// (posix_serial_port.cpp), the Win32 communications API on Windows (win32_serial_port.cpp). One
// thread opens, uses and closes it; nothing here needs an event loop.
class SerialPort final : public BytePort {
  public:
    explicit SerialPort(SerialPortOptions options = {});
    ~SerialPort() override;
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    OpenResult open(const PortParams& params) override;
    ReadResult read(std::size_t count, std::chrono::milliseconds timeout,
                    std::string& out) override;
    bool write(std::string_view bytes) override;
    bool drain() override;
    void close() override;
    std::string failureReason() const override;

    bool isOpen() const;
    // The device the last open() used or tried, for messages and tests.
    const std::string& device() const { return device_; }
    // Why the last operation failed; status Ok while the line is fine.
    const PortFailure& failure() const { return failure_; }

  private:
    struct Line;  // the system's handle and what was read ahead

    bool abandoned() const;
    void fail(PortFailure failure);

    SerialPortOptions options_;
    std::string device_;
    PortFailure failure_;
    std::unique_ptr<Line> line_;
};

// "波特率 1200，8 位数据位，1 位停止位，无校验": the settings in a failure's reason.
std::string LineSettingsText(const PortParams& params);

}  // namespace vrk

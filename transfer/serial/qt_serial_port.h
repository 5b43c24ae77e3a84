#pragma once

#include <atomic>
#include <chrono>
#include <memory>
#include <string>

#include "link/byte_port.h"

class QSerialPort;

namespace vrk {

struct SerialPortOptions {
    // When set, this device is opened whatever COM name the transfer asks for (--port DEVICE).
    std::string device;
    // Set when the program quits during a transfer: a waiting read gives up within a slice.
    const std::atomic<bool>* abandoned = nullptr;
};

// The serial line through QSerialPort. The QSerialPort object is made in open() and destroyed
// in close(), so it lives in, and is used only by, the transfer thread. No event loop is
// needed: every wait is a waitFor… call.
class QtSerialPort final : public BytePort {
  public:
    explicit QtSerialPort(SerialPortOptions options = {});
    ~QtSerialPort() override;
    QtSerialPort(const QtSerialPort&) = delete;
    QtSerialPort& operator=(const QtSerialPort&) = delete;

    OpenResult open(const PortParams& params) override;
    ReadResult read(std::size_t count, std::chrono::milliseconds timeout,
                    std::string& out) override;
    bool write(std::string_view bytes) override;
    bool drain() override;
    void close() override;
    std::string failureReason() const override { return failureReason_; }

    bool isOpen() const;
    // The device the last open() used or tried, for messages and tests.
    const std::string& device() const { return device_; }

  private:
    bool pushPendingWrites();
    void lostConnection(const std::string& systemText);

    SerialPortOptions options_;
    std::string device_;
    std::string failureReason_;
    std::unique_ptr<QSerialPort> port_;
};

}  // namespace vrk

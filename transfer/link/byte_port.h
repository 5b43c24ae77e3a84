#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>

#include "link/comm_settings.h"

namespace vrk {

// What the serial line is opened with, already mapped from CommSettings by OpenPort.
struct PortParams {
    std::string portName;  // "COM1" … "COM6"; the adapter maps it to a device
    int baudRate = 1200;
    int dataBits = 8;
    Parity parity = Parity::None;
    int stopBits = 1;
    std::size_t queueSize = 128;                    // input and output queue, bytes
    std::chrono::milliseconds readTimeout{10'000};  // total time-out of one read call
};

// The three ways opening can fail, each with its own message.
enum class OpenResult { Ok, CannotOpen, CannotCreateBuffers, CannotSetParams };

enum class ReadResult {
    Ok,       // all requested bytes arrived
    Timeout,  // fewer bytes than requested before the deadline (those that came are in `out`)
    Error,    // read failure, hang-up or end of file; the port is dead from here on
};

// A byte stream to the instrument. One thread opens, uses and closes it.
class BytePort {
  public:
    virtual ~BytePort() = default;

    virtual OpenResult open(const PortParams& params) = 0;

    // Reads until `count` bytes have arrived or `timeout` has passed since the call began (one
    // deadline per call). Appends what arrived to `out`.
    virtual ReadResult read(std::size_t count, std::chrono::milliseconds timeout,
                            std::string& out) = 0;

    // Queues bytes for sending; false when the port refused them (cable pulled, port closed).
    virtual bool write(std::string_view bytes) = 0;

    // Blocks until every written byte has left the port; false on failure.
    virtual bool drain() = 0;

    virtual void close() = 0;

    // Why the last open, read, write or drain failed, in one Chinese sentence for the user (UTF-8);
    // empty when the port has nothing to add.
    virtual std::string failureReason() const { return {}; }
};

}  // namespace vrk

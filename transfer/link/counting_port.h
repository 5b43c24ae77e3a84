#pragma once

#include <cstddef>
#include <string>

#include "link/byte_port.h"

namespace vrk {

// Passes everything to the port it wraps and counts the bytes each way, for the outcome.
class CountingPort final : public BytePort {
  public:
    explicit CountingPort(BytePort& port) : port_(port) {}

    OpenResult open(const PortParams& params) override { return port_.open(params); }
    ReadResult read(std::size_t count, std::chrono::milliseconds timeout,
                    std::string& out) override {
        const std::size_t before = out.size();
        const ReadResult result = port_.read(count, timeout, out);
        received_ += out.size() - before;
        return result;
    }
    bool write(std::string_view bytes) override {
        const bool written = port_.write(bytes);
        if (written) {
            sent_ += bytes.size();
        }
        return written;
    }
    bool drain() override { return port_.drain(); }
    void close() override { port_.close(); }
    std::string failureReason() const override { return port_.failureReason(); }

    std::size_t sent() const { return sent_; }
    std::size_t received() const { return received_; }

  private:
    BytePort& port_;
    std::size_t sent_ = 0;
    std::size_t received_ = 0;
};

}  // namespace vrk

#pragma once

#include <functional>
#include <string>

#include "link/byte_port.h"
#include "link/comm_settings.h"
#include "transcript/transcript_recorder.h"

namespace vrk {

// Puts a transcript recorder between the engines and the real port: every call is passed on
// unchanged and what it did is recorded, so the engines need not know the transcript exists.
class TranscriptPort final : public BytePort {
  public:
    // The device a port name is opened as, for the header ("COM1" -> "/dev/ttyS0").
    using DeviceFor = std::function<std::string(const std::string& portName)>;

    // `portAsGiven`: a device path the user named instead of COM1…COM6; the header shows it as
    // the port, since no COM name stands for it.
    TranscriptPort(BytePort& port, TranscriptRecorder& recorder, const SharedCommSettings& settings,
                   DeviceFor deviceFor, std::string portAsGiven = {})
        : port_(port),
          recorder_(recorder),
          settings_(settings),
          deviceFor_(std::move(deviceFor)),
          portAsGiven_(std::move(portAsGiven)) {}

    OpenResult open(const PortParams& params) override;
    ReadResult read(std::size_t count, std::chrono::milliseconds timeout,
                    std::string& out) override;
    bool write(std::string_view bytes) override;
    bool drain() override;
    void close() override;
    std::string failureReason() const override { return port_.failureReason(); }

  private:
    BytePort& port_;
    TranscriptRecorder& recorder_;
    const SharedCommSettings& settings_;
    DeviceFor deviceFor_;
    std::string portAsGiven_;
};

}  // namespace vrk

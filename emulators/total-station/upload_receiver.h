#pragma once

#include <string>
#include <vector>

#include "frame_reader.h"
#include "station_config.h"
#include "station_stats.h"

namespace tssim {

// The instrument's judgement of each frame of an upload: whether to keep it and what to
// answer. No I/O, so every rule can be tried frame by frame.
class UploadReceiver {
  public:
    UploadReceiver(Protocol protocol, const Faults& faults);

    struct Reply {
        std::string answer;  // bytes to write back, possibly none
        bool finished = false;
    };
    Reply onFrame(const ReadFrame& frame);
    // Bytes as they come from the line: one reply per complete frame.
    std::vector<Reply> feed(std::string_view bytes);

    const std::vector<FrameRecord>& frames() const { return frames_; }
    const std::vector<std::string>& blocks() const { return blocks_; }
    // Coordinate uploads announce themselves with header frames; PCODE uploads send none.
    bool coordinateUpload() const { return headersSeen_; }
    Stats stats() const;
    // The computer turned out not to read answers (protocol None): stop sending them.
    void stopAnswering() { protocol_ = Protocol::None; }
    bool answering() const { return protocol_ != Protocol::None; }

  private:
    bool nakByFault(const std::string& payload);
    std::string answerBytes(bool ack);
    void restartIfNewUpload();

    FrameReader reader_;
    Protocol protocol_;
    Faults faults_;
    std::vector<FrameRecord> frames_;
    std::vector<std::string> blocks_;
    Stats stats_;
    int expectedDigit_ = 0;
    bool headersSeen_ = false;
    std::string lastPayload_;
    bool lastWasNak_ = false;
    int answersToSamePayload_ = 0;
};

}  // namespace tssim

#include "frame_reader.h"

#include "protocol.h"

namespace tssim {

void FrameReader::reset() {
    state_ = State::Outside;
    payload_.clear();
    inStrayRun_ = false;
    framingErrors_ = 0;
}

void FrameReader::startFrame() {
    state_ = State::Payload;
    payload_.clear();
    inStrayRun_ = false;
}

std::vector<ReadFrame> FrameReader::feed(std::string_view bytes) {
    std::vector<ReadFrame> frames;
    for (char c : bytes) {
        switch (state_) {
            case State::Outside:
                if (c == protocol::kStx) {
                    startFrame();
                } else if (!inStrayRun_) {
                    inStrayRun_ = true;
                    ++framingErrors_;
                }
                break;
            case State::Payload:
                if (c == protocol::kEtx) {
                    state_ = State::AfterEtx;
                } else if (c == protocol::kStx) {
                    frames.push_back({payload_, false});
                    startFrame();
                } else if (payload_.size() >= protocol::kMaxFramePayload) {
                    ++framingErrors_;
                    state_ = State::Outside;
                    inStrayRun_ = true;
                } else {
                    payload_.push_back(c);
                }
                break;
            case State::AfterEtx:
                if (c == protocol::kCr) {
                    state_ = State::AfterCr;
                } else {
                    frames.push_back({payload_, false});
                    state_ = State::Outside;
                    if (c == protocol::kStx) {
                        startFrame();
                    }
                }
                break;
            case State::AfterCr:
                frames.push_back({payload_, c == protocol::kLf});
                state_ = State::Outside;
                if (c == protocol::kStx) {
                    startFrame();
                }
                break;
        }
    }
    return frames;
}

}  // namespace tssim

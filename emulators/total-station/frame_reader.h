#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tssim {

struct ReadFrame {
    std::string payload;
    bool wellFormed = true;  // false: bad trailer after ETX, or cut off by a new STX
};

// Splits the byte stream from the computer into STX payload ETX CR LF frames, whatever the
// chunks it arrives in.
class FrameReader {
  public:
    // Complete frames found in `bytes`, in order.
    std::vector<ReadFrame> feed(std::string_view bytes);
    // Runs of bytes outside any frame, and frames dropped for length.
    std::size_t framingErrors() const { return framingErrors_; }
    void reset();

  private:
    enum class State { Outside, Payload, AfterEtx, AfterCr };

    void startFrame();

    State state_ = State::Outside;
    std::string payload_;
    bool inStrayRun_ = false;
    std::size_t framingErrors_ = 0;
};

}  // namespace tssim

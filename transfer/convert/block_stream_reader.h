#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace vrk {

// The first 128 bytes of a downloaded line carry data; shorter lines carry none.
inline constexpr std::size_t kDownloadBlockSize = 128;

// Reads the "_"-separated field stream that the instrument's blocks carry. A field may run across
// blocks: its start is carried until a later block completes it. Text before the very first "_"
// belongs to no field, also when whole blocks pass without one.
class BlockStreamReader {
  public:
    using Consumer = std::function<void(std::string_view field)>;

    explicit BlockStreamReader(Consumer consumer);

    // Hands every field that this block completes to the consumer, in order.
    void feed(std::string_view block);

  private:
    Consumer consumer_;
    std::string carry_;  // the start of the field still open, without its leading "_"
    bool started_ = false;
};

// Splits a download (STX bytes already removed) into lines: each line runs to the next LF, and
// the CR and LF bytes after an LF are skipped before the next line starts. Text after the last LF
// is not a line. `onLine` answers false to stop the reading. Answers false when there is no LF at
// all or the text starts with one: there is nothing to convert then.
bool ForEachDownloadLine(std::string_view text,
                         const std::function<bool(std::string_view line)>& onLine);

// The view's text without its STX bytes.
std::string WithoutStx(std::string_view text);

}  // namespace vrk

#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include "link/link_constants.h"

namespace vrk {

// The first 128 bytes of a downloaded line carry data; shorter lines carry none.
inline constexpr std::size_t kDownloadBlockSize = 128;

// Reads the "_"-separated field stream that the instrument's blocks carry. A field may run across
// blocks: its start is carried until a later block completes it. Text before the very first "_"
// belongs to no field, also when whole blocks pass without one.
template <typename Consumer>
class BlockStreamReader {
  public:
    explicit BlockStreamReader(Consumer consumer) : consumer_(std::move(consumer)) {}

    // Hands every field that this block completes to the consumer, in order.
    void feed(std::string_view block);

  private:
    Consumer consumer_;
    std::string carry_;  // the start of the field still open, without its leading "_"
    bool started_ = false;
};

// Splits a download into lines as if its STX bytes were not there: each line runs to the next LF,
// and the CR and LF bytes after an LF are skipped before the next line starts. Text after the last
// LF is not a line. `onLine(line)` or `onLine(line, offset)` gets each line without STX bytes
// and where it starts in `text`; it answers false to stop the reading. Answers false when there
// is no LF at all or the text starts with one: there is nothing to convert then.
template <typename OnLine>
bool ForEachDownloadLine(std::string_view text, OnLine&& onLine);

template <typename Consumer>
void BlockStreamReader<Consumer>::feed(std::string_view block) {
    if (!started_) {
        const std::size_t first = block.find(kFieldSeparator);
        if (first == std::string_view::npos) {
            return;
        }
        started_ = true;
        block.remove_prefix(first + 1);
    }
    std::size_t start = 0;
    for (std::size_t end = block.find(kFieldSeparator, start); end != std::string_view::npos;
         end = block.find(kFieldSeparator, start)) {
        const std::string_view piece = block.substr(start, end - start);
        if (carry_.empty()) {
            consumer_(piece);
        } else {
            carry_ += piece;
            consumer_(std::string_view(carry_));
            carry_.clear();
        }
        start = end + 1;
    }
    carry_ += block.substr(start);
}

// The view shows each downloaded line after the STX that framed it; reading around the STX bytes
// instead of copying the whole text without them saves a pass over a download of megabytes.
template <typename OnLine>
bool ForEachDownloadLine(std::string_view text, OnLine&& onLine) {
    const std::size_t firstLf = text.find('\n');
    if (firstLf == std::string_view::npos || text.find_first_not_of(kStx) == firstLf) {
        return false;
    }
    std::string withoutStx;
    std::size_t start = 0;
    for (std::size_t lf = firstLf; lf != std::string_view::npos; lf = text.find('\n', start)) {
        std::string_view line = text.substr(start, lf - start);
        if (line.find(kStx) != std::string_view::npos) {
            withoutStx.clear();
            for (const char c : line) {
                if (c != kStx) {
                    withoutStx += c;
                }
            }
            line = withoutStx;
        }
        bool goOn = true;
        if constexpr (std::is_invocable_v<OnLine&, std::string_view, std::size_t>) {
            goOn = onLine(line, start);
        } else {
            goOn = onLine(line);
        }
        if (!goOn) {
            return true;
        }
        start = text.find_first_not_of(std::string_view("\r\n\x02", 3), lf + 1);
        if (start == std::string_view::npos) {
            break;
        }
    }
    return true;
}

}  // namespace vrk

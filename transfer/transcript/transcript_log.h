#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>

namespace vrk {

// The text of the current or last transcript, written by the transfer thread and read live by
// the window. Only the newest `limit` bytes are kept, whole lines at a time, so a transfer of any
// length stays within bounded memory; the rest is counted, not kept.
class TranscriptLog {
  public:
    static constexpr std::size_t kDefaultLimit = std::size_t{8} << 20;

    explicit TranscriptLog(std::size_t limit = kDefaultLimit) : limit_(limit) {}

    // Starts a new transcript; readers see a new generation.
    void clear();
    // `line` without its line break.
    void appendLine(std::string_view line);

    struct Chunk {
        std::uint64_t generation = 0;
        std::uint64_t end = 0;      // position after the text, to ask for the next chunk from
        std::uint64_t dropped = 0;  // bytes of the transcript no longer kept
        bool restarted = false;     // the text does not follow what the reader had
        std::string text;
    };
    // What was appended since `from` in `generation`; everything kept when that is gone.
    Chunk readSince(std::uint64_t generation, std::uint64_t from) const;

    // Everything kept, with a first line saying what was dropped, if anything.
    std::string text() const;

  private:
    void dropOldLines();

    mutable std::mutex mutex_;
    std::size_t limit_;
    std::uint64_t generation_ = 1;
    std::uint64_t dropped_ = 0;  // absolute position of text_[start_]
    std::size_t start_ = 0;
    std::string text_;
};

// The line put at the top of a transcript that lost its beginning.
std::string DroppedNote(std::uint64_t droppedBytes);

}  // namespace vrk

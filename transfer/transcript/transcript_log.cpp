#include "transcript/transcript_log.h"

namespace vrk {

void TranscriptLog::clear() {
    std::lock_guard lock(mutex_);
    ++generation_;
    dropped_ = 0;
    start_ = 0;
    text_.clear();
}

void TranscriptLog::appendLine(std::string_view line) {
    std::lock_guard lock(mutex_);
    text_ += line;
    text_ += '\n';
    if (text_.size() - start_ > limit_) {
        dropOldLines();
    }
}

void TranscriptLog::dropOldLines() {
    const std::size_t excess = text_.size() - start_ - limit_;
    std::size_t cut = text_.find('\n', start_ + excess - 1);
    cut = cut == std::string::npos ? text_.size() : cut + 1;
    dropped_ += cut - start_;
    start_ = cut;
    // Moving the kept text down only now and then keeps appending cheap.
    if (start_ > limit_) {
        text_.erase(0, start_);
        start_ = 0;
    }
}

TranscriptLog::Chunk TranscriptLog::readSince(std::uint64_t generation, std::uint64_t from) const {
    std::lock_guard lock(mutex_);
    Chunk chunk;
    chunk.generation = generation_;
    chunk.dropped = dropped_;
    chunk.end = dropped_ + (text_.size() - start_);
    chunk.restarted = generation != generation_ || from < dropped_ || from > chunk.end;
    const std::size_t offset =
        chunk.restarted ? start_ : start_ + static_cast<std::size_t>(from - dropped_);
    chunk.text.assign(text_, offset, std::string::npos);
    return chunk;
}

std::string TranscriptLog::text() const {
    std::lock_guard lock(mutex_);
    std::string out = dropped_ > 0 ? DroppedNote(dropped_) + '\n' : std::string();
    out.append(text_, start_, std::string::npos);
    return out;
}

std::string DroppedNote(std::uint64_t droppedBytes) {
    return "(记录过长:前面 " + std::to_string(droppedBytes) + " 字节已舍弃,以下是其后的部分)";
}

}  // namespace vrk

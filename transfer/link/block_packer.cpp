#include "link/block_packer.h"

#include <algorithm>

#include "link/link_constants.h"

namespace vrk {

void BlockPacker::start() {
    accumulator_.clear();
    output_.clear();
}

void BlockPacker::add(std::string_view record) {
    accumulator_ += record;
    emitFullBlocks();
}

void BlockPacker::finish() {
    accumulator_ += kFieldSeparator;
    emitFullBlocks();
    if (!accumulator_.empty()) {
        accumulator_.resize(kBlockSize, ' ');
        emitFullBlocks();
    }
}

std::string BlockPacker::takeOutput() {
    std::string out;
    out.swap(output_);
    return out;
}

void BlockPacker::emitFullBlocks() {
    std::size_t offset = 0;
    while (accumulator_.size() - offset >= kBlockSize) {
        output_.append(accumulator_, offset, kBlockSize);
        output_ += kBlockSeparator;
        offset += kBlockSize;
    }
    accumulator_.erase(0, offset);
}

std::size_t CountUploadBlocks(std::string_view upload) {
    return static_cast<std::size_t>(std::count(upload.begin(), upload.end(), kBlockSeparator));
}

}  // namespace vrk

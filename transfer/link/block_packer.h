#pragma once

#include <string>
#include <string_view>

namespace vrk {

// Packs records into 128-byte blocks, each followed by the separator byte 0x02, as the upload
// buffer holds them. Records run across block boundaries; the last block carries a closing "_".
class BlockPacker {
  public:
    // Empties the accumulator and the output.
    void start();
    void add(std::string_view record);
    // Closes the stream with "_" and pads the last block with spaces.
    void finish();

    const std::string& output() const { return output_; }
    std::string takeOutput();

  private:
    void emitFullBlocks();

    std::string accumulator_;
    std::string output_;
};

// Number of blocks in an upload buffer (the text before each 0x02).
std::size_t CountUploadBlocks(std::string_view upload);

}  // namespace vrk

// Any text in the view through both upload builders: the buffer must always be whole 128-byte
// blocks, each followed by its separator, the last one closing the stream.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "link/block_packer.h"
#include "link/upload_lines.h"

namespace {

constexpr std::size_t kBlock = 128;

void CheckUpload(const std::string& upload) {
    fuzzCheck(!upload.empty());
    fuzzCheck(upload.size() % (kBlock + 1) == 0);
    for (std::size_t i = kBlock; i < upload.size(); i += kBlock + 1) {
        fuzzCheck(upload[i] == '\x02');
    }
    const std::string_view last(upload.data() + upload.size() - kBlock - 1, kBlock);
    fuzzCheck(last.find('_') != std::string_view::npos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CheckUpload(vrk::BuildCoordUpload(text));
    CheckUpload(vrk::BuildPcodeUpload(text));
    return 0;
}

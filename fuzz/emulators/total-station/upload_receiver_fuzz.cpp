// Bytes from the computer are the instrument's untrusted input: whatever arrives, the receiver
// must frame, judge and parse it without crashing, and the files it reads must not trip it.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "block_parser.h"
#include "delf_file.h"
#include "pcode_file.h"
#include "upload_receiver.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    tssim::UploadReceiver receiver(tssim::Protocol::AckNak, tssim::Faults{});
    // Two chunks, so frames that straddle reads are exercised too.
    const std::size_t half = size / 2;
    receiver.feed(bytes.substr(0, half));
    receiver.feed(bytes.substr(half));
    tssim::parseBlocks(receiver.blocks());

    const auto points = tssim::parseDelf(bytes).points;
    tssim::parseDelf(tssim::formatDelf(points));
    const auto entries = tssim::parsePcode(bytes).entries;
    tssim::parsePcode(tssim::formatPcode(entries));
    return 0;
}

#include "convert/block_stream_reader.h"

#include <algorithm>
#include <utility>

namespace vrk {

namespace {

constexpr char kFieldSeparator = '_';
constexpr char kStxByte = '\x02';

}  // namespace

BlockStreamReader::BlockStreamReader(Consumer consumer) : consumer_(std::move(consumer)) {}

void BlockStreamReader::feed(std::string_view block) {
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
            consumer_(carry_);
            carry_.clear();
        }
        start = end + 1;
    }
    carry_ += block.substr(start);
}

bool ForEachDownloadLine(std::string_view text,
                         const std::function<bool(std::string_view line)>& onLine) {
    std::size_t lf = text.find('\n');
    if (lf == std::string_view::npos || lf == 0) {
        return false;
    }
    std::size_t start = 0;
    while (lf != std::string_view::npos) {
        if (!onLine(text.substr(start, lf - start))) {
            return true;
        }
        start = text.find_first_not_of("\r\n", lf + 1);
        if (start == std::string_view::npos) {
            break;
        }
        lf = text.find('\n', start);
    }
    return true;
}

std::string WithoutStx(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::copy_if(text.begin(), text.end(), std::back_inserter(out),
                 [](char c) { return c != kStxByte; });
    return out;
}

}  // namespace vrk

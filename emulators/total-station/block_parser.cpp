#include "block_parser.h"

#include <cstdint>
#include <optional>
#include <string_view>

#include "protocol.h"

namespace tssim {
namespace {

constexpr std::size_t kMaxDigits = 18;  // stays inside int64

std::string_view trimRight(std::string_view text) {
    while (!text.empty() && text.back() == protocol::kBlockPadding) {
        text.remove_suffix(1);
    }
    return text;
}

bool isBlank(std::string_view text) {
    return trimRight(text).empty();
}

// Signed decimal, leading zeros allowed before the sign so that the program's "0-5" reads -5.
std::optional<std::int64_t> readSigned(std::string_view text) {
    std::size_t i = 0;
    while (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == '-' || text[i + 1] == '+')) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    std::int64_t value = 0;
    std::size_t digits = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (++digits > kMaxDigits) {
            return std::nullopt;
        }
        value = value * 10 + (text[i] - '0');
    }
    if (digits == 0 || !isBlank(text.substr(i))) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

class FieldSorter {
  public:
    explicit FieldSorter(ParsedBlocks& out) : out_(out) {}

    void field(std::string_view text) {
        if (text.starts_with(protocol::kNameMarker)) {
            dropPending();
            pending_ =
                Point{std::string(trimRight(text.substr(protocol::kNameMarker.size()))), 0, 0, 0};
            stage_ = 1;
        } else if (!text.empty() && text.front() == protocol::kPcodeMarker) {
            dropPending();
            pcode(text.substr(1));
        } else if (text.starts_with(protocol::kNorthLabel)) {
            coordinate(1, text, &Point::northMm);
        } else if (text.starts_with(protocol::kEastLabel)) {
            coordinate(2, text, &Point::eastMm);
        } else if (text.starts_with(protocol::kHeightLabel)) {
            if (coordinate(3, text, &Point::heightMm)) {
                out_.points.push_back(pending_);
                stage_ = 0;
            }
        } else if (!isBlank(text)) {
            dropPending();
            ++out_.unknownFields;
        }
    }

    void finish() { dropPending(); }

  private:
    bool coordinate(int stage, std::string_view text, std::int64_t Point::*member) {
        const auto value = readSigned(text.substr(protocol::kNorthLabel.size()));
        if (stage_ != stage || !value) {
            dropPending();
            ++out_.unknownFields;
            return false;
        }
        pending_.*member = *value;
        stage_ = stage + 1;
        return true;
    }

    void pcode(std::string_view body) {
        if (body.size() < protocol::kPcodeNumberDigits) {
            ++out_.unknownFields;
            return;
        }
        const auto number = readSigned(body.substr(0, protocol::kPcodeNumberDigits));
        if (!number) {
            ++out_.unknownFields;
            return;
        }
        out_.pcodes.push_back(
            PcodeEntry{static_cast<int>(*number),
                       std::string(trimRight(body.substr(protocol::kPcodeNumberDigits)))});
    }

    void dropPending() {
        if (stage_ != 0) {
            ++out_.incompletePoints;
            stage_ = 0;
        }
    }

    ParsedBlocks& out_;
    Point pending_;
    int stage_ = 0;  // 0 no point open, 1 name read, 2 north read, 3 east read
};

}  // namespace

ParsedBlocks parseBlocks(const std::vector<std::string>& blocks) {
    std::string stream;
    for (const std::string& block : blocks) {
        stream += block;
    }
    ParsedBlocks out;
    FieldSorter sorter(out);
    std::size_t start = stream.find(protocol::kFieldSeparator);
    while (start != std::string::npos) {
        const std::size_t end = stream.find(protocol::kFieldSeparator, start + 1);
        const std::size_t length = end == std::string::npos ? std::string::npos : end - start - 1;
        sorter.field(std::string_view(stream).substr(start + 1, length));
        start = end;
    }
    sorter.finish();
    return out;
}

}  // namespace tssim

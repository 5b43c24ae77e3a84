#include "link/pcode_record.h"

#include <algorithm>

#include "text/gbk_cut.h"

namespace vrk {

namespace {

constexpr std::size_t kNumberWidth = 3;
constexpr std::size_t kRecordWidth = 15;

}  // namespace

std::string PcodeRecord::format() const {
    std::string record = "_:";
    std::string digits = std::to_string(std::min(number, kMaxPcodeNumber));
    if (digits.size() < kNumberWidth) {
        digits.insert(0, kNumberWidth - digits.size(), '0');
    }
    record += digits;
    if (text.size() > kPcodeTextBytes) {
        // The cut is counted on the whole record: a long negative number leaves less room.
        const std::size_t room = kRecordWidth > record.size() ? kRecordWidth - record.size() : 0;
        record.append(text, 0, GbkSafePrefix(text, room));
        record.resize(std::max(record.size(), kRecordWidth), ' ');
    } else {
        record += text;
        record.append(kPcodeTextBytes - text.size(), ' ');
    }
    return record;
}

}  // namespace vrk

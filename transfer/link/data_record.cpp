#include "link/data_record.h"

#include <cstdint>

#include "link/send_framed.h"

namespace vrk {

namespace {

constexpr std::size_t kCheckWidth = 3;
constexpr int kCounterBase = 10;

}  // namespace

std::string CheckValue(std::string_view record) {
    unsigned char sum = 0;
    for (const char c : record) {
        sum = static_cast<unsigned char>(sum ^ static_cast<unsigned char>(c));
    }
    std::string value = std::to_string(static_cast<std::int8_t>(sum));
    if (value.size() < kCheckWidth) {
        value.insert(0, kCheckWidth - value.size(), '0');
    }
    return value;
}

std::string BuildDataRecord(std::string_view text, int& counter) {
    std::string record(text);
    int digit = counter % kCounterBase;
    if (digit < 0) {
        digit += kCounterBase;
    }
    record += static_cast<char>('0' + digit);
    ++counter;
    record += CheckValue(record);
    return record;
}

FrameResult SendDataRecordFrame(TransferContext& ctx, std::string_view text, int& counter) {
    return SendFrame(ctx, BuildDataRecord(text, counter));
}

}  // namespace vrk

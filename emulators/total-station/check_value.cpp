#include "check_value.h"

#include <cstdint>

#include "protocol.h"

namespace tssim {

std::string checkValue(std::string_view bytes) {
    std::uint8_t x = 0;
    for (char c : bytes) {
        x = static_cast<std::uint8_t>(x ^ static_cast<std::uint8_t>(c));
    }
    const int value = x < 128 ? static_cast<int>(x) : static_cast<int>(x) - 256;
    std::string text = std::to_string(value);
    if (text.size() < protocol::kCheckWidth) {
        text.insert(0, protocol::kCheckWidth - text.size(), '0');
    }
    return text;
}

std::string dataRecord(std::string_view block, int counter) {
    const int digit = ((counter % protocol::kCounterModulus) + protocol::kCounterModulus) %
                      protocol::kCounterModulus;
    std::string record(block);
    record.push_back(static_cast<char>('0' + digit));
    record += checkValue(record);
    return record;
}

}  // namespace tssim

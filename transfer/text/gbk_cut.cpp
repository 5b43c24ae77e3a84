#include "text/gbk_cut.h"

namespace vrk {

namespace {

constexpr unsigned char kFirstLead = 0x81;
constexpr unsigned char kLastLead = 0xFE;

bool IsLeadByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= kFirstLead && byte <= kLastLead;
}

}  // namespace

std::size_t GbkSafePrefix(std::string_view text, std::size_t limit) {
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t width = (IsLeadByte(text[i]) && i + 1 < text.size()) ? 2 : 1;
        if (i + width > limit) {
            break;
        }
        i += width;
    }
    return i;
}

}  // namespace vrk

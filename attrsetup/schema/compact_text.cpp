#include "schema/compact_text.h"

#include <limits>
#include <stdexcept>

namespace quorbel {

void CompactText::assign(std::string_view text) {
    // The new bytes are copied before the old ones go: text may be a part of this very value.
    if (text.size() <= kInlineCapacity) {
        char copy[kInlineCapacity];
        std::memcpy(copy, text.data(), text.size());
        release();
        std::memcpy(m_bytes, copy, text.size());
        setInlineSize(text.size());
        return;
    }
    if (text.size() > std::numeric_limits<std::uint32_t>::max()) {
        throw std::length_error("CompactText: a value of 4 GiB or more");
    }
    char* block = new char[text.size()];
    std::memcpy(block, text.data(), text.size());
    release();
    const auto size = static_cast<std::uint32_t>(text.size());
    std::memcpy(m_bytes, &block, sizeof block);
    std::memcpy(m_bytes + kSizeOffset, &size, sizeof size);
    m_bytes[kTagByte] = kOnHeap;
}

}  // namespace quorbel

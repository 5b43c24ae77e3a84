#include <sys/mman.h>

#include <cstdint>

#include "files/large_buffer.h"

namespace vrk {

namespace {

constexpr std::uintptr_t kLargePage = std::uintptr_t{1} << 21;

}  // namespace

void ReserveLargeBuffer(std::string& buffer, std::size_t size) {
    buffer.reserve(size);
#ifdef MADV_HUGEPAGE
    // Only whole large pages inside the buffer can be backed by one; the advice is a hint, and a
    // system that does not take it still gives ordinary pages.
    const auto start = reinterpret_cast<std::uintptr_t>(buffer.data());
    const std::uintptr_t first = (start + kLargePage - 1) & ~(kLargePage - 1);
    const std::uintptr_t end = (start + buffer.capacity()) & ~(kLargePage - 1);
    if (end > first) {
        ::madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
    }
#endif
}

}  // namespace vrk

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

#include "attrcheck/large_page_heap.h"

namespace quorbel::attrcheck {

namespace {

constexpr std::size_t kHeapStep = std::size_t{64} << 20;
constexpr std::uintptr_t kLargePage = std::uintptr_t{1} << 21;

}  // namespace

void useLargePagesForHeap() {
#if defined(M_TOP_PAD) && defined(MADV_HUGEPAGE)
    // Every block up to the step comes from the heap, the heap grows a step at a time, and it
    // keeps what it has: the room made now is the room the schema is read into.
    ::mallopt(M_MMAP_THRESHOLD, static_cast<int>(kHeapStep / 2));
    ::mallopt(M_TRIM_THRESHOLD, static_cast<int>(kHeapStep * 2));
    ::mallopt(M_TOP_PAD, static_cast<int>(kHeapStep));
    const auto before = reinterpret_cast<std::uintptr_t>(::sbrk(0));
    // Volatile: the compiler may otherwise drop a block that is freed unused.
    void* volatile block = std::malloc(kHeapStep / 4);
    std::free(block);
    const auto after = reinterpret_cast<std::uintptr_t>(::sbrk(0));
    const std::uintptr_t first = (before + kLargePage - 1) & ~(kLargePage - 1);
    const std::uintptr_t end = after & ~(kLargePage - 1);
    if (end > first) {
        ::madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
    }
#endif
}

}  // namespace quorbel::attrcheck

#include "attrcheck/large_page_heap.h"

namespace quorbel::attrcheck {

// Windows gives large pages only to a process holding the lock-pages privilege.
void useLargePagesForHeap() {}

}  // namespace quorbel::attrcheck

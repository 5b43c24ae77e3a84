#include "files/large_buffer.h"

namespace vrk {

// Windows gives large pages only to a process holding the lock-pages privilege; ordinary pages it
// is.
void ReserveLargeBuffer(std::string& buffer, std::size_t size) {
    buffer.reserve(size);
}

}  // namespace vrk

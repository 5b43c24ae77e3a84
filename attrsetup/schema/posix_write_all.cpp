#include "schema/posix_write_all.h"

#include <unistd.h>

#include <cerrno>

namespace quorbel {

bool writeAll(int fd, std::string_view bytes, WriteCall call) {
    if (call == nullptr) {
        call = ::write;
    }
    while (!bytes.empty()) {
        const ssize_t written = call(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        if (written == 0) {
            errno = EIO;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

}  // namespace quorbel

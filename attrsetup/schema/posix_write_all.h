#pragma once

#include <sys/types.h>

#include <cstddef>
#include <string_view>

namespace quorbel {

using WriteCall = ssize_t (*)(int fd, const void* data, std::size_t size);

// Writes every byte, retrying after interruptions and short writes. A write that makes no
// progress (answers 0, as some network and FUSE file systems do when full) is a failure: retrying
// it would never end.
bool writeAll(int fd, std::string_view bytes, WriteCall call = nullptr);

}  // namespace quorbel

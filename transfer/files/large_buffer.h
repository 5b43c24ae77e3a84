#pragma once

#include <cstddef>
#include <string>

namespace vrk {

// Reserves room for `size` bytes in `buffer`, asking the system to back a large one with large
// pages. Whole files and whole conversions are filled once, front to back; on a virtual machine a
// fault for every 4 KiB page of them can cost more than reading or converting the bytes.
void ReserveLargeBuffer(std::string& buffer, std::size_t size);

}  // namespace vrk

#pragma once

#include <cstddef>
#include <string>

#include "files/file_result.h"

namespace vrk {

// The whole file at `path`; FileFault::TooLarge, and nothing read, when it holds more than
// `limit` bytes (also when it grows past it while being read).
FileResult ReadFile(const std::string& path, std::string& bytes,
                    std::size_t limit = static_cast<std::size_t>(-1));

FileResult ReadStandardInput(std::string& bytes);

}  // namespace vrk

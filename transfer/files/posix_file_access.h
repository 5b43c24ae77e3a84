#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "files/file_result.h"
#include "files/posix_file_calls.h"

namespace vrk {

// WriteFile, CheckWritable, MoveIntoPlace and ReadFile on the given system calls, for tests that
// make them fail.
FileResult WriteFileWith(PosixFileCalls& calls, const std::string& path, std::string_view bytes);
FileResult CheckWritableWith(PosixFileCalls& calls, const std::string& path);
FileResult MoveIntoPlaceWith(PosixFileCalls& calls, const std::string& finished,
                             const std::string& path);
FileResult ReadFileWith(PosixFileCalls& calls, const std::string& path, std::string& bytes,
                        std::size_t limit);

}  // namespace vrk

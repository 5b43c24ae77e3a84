#pragma once

#include <string>
#include <string_view>

#include "files/file_result.h"

namespace vrk {

// Why a file could not be read or written, in Chinese, made from the fault the reader or writer
// returned (never by looking at the disk again). `shownPath` is the file as the user should read
// it (UTF-8, the system's separators); a folder named in the reason is its part before the last
// separator. A file that may be damaged gets a second line that says so.
std::string ReadFailureReason(const FileResult& result, std::string_view shownPath);
std::string WriteFailureReason(const FileResult& result, std::string_view shownPath);

}  // namespace vrk

#pragma once

#include <string>

#include "files/file_result.h"

namespace vrk::cli {

// "vrk410-cli: 无法读取 PATH" / "vrk410-cli: 无法写入 PATH", and on the next line why, for the
// terminal. An empty path is the standard stream, which has no reason of its own to give.
std::string CannotReadMessage(const std::string& path, const FileResult& result);
std::string CannotWriteMessage(const std::string& path, const FileResult& result);

}  // namespace vrk::cli

#pragma once

#include <string>
#include <string_view>

namespace vrk::cli {

// The whole file at `path` in one read sized from the file; false when it cannot be read.
bool ReadFileBytes(const std::string& path, std::string& bytes);

// Standard input to its end.
bool ReadStandardInput(std::string& bytes);

// `bytes` as the file at `path` (created or emptied first, as before); false when any of it
// could not be written.
bool WriteFileBytes(const std::string& path, std::string_view bytes);

// `bytes` on standard output.
bool WriteStandardOutput(std::string_view bytes);

}  // namespace vrk::cli

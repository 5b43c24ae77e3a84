#pragma once

#include <string>
#include <string_view>

namespace vrk::cli {

// The whole file at `path` in one read sized from the file; false when it cannot be read.
bool ReadFileBytes(const std::string& path, std::string& bytes);

// Standard input to its end.
bool ReadStandardInput(std::string& bytes);

// Whether WriteFileBytes may write `path`: an existing file the user may write, or a new one in a
// folder the user may write. Checked before a transfer, so that nothing is received in vain.
bool CanWriteFile(const std::string& path);

// `bytes` as the file at `path`; false when any of it could not be written. An earlier file is
// replaced only once the new content is complete, and never when the user may not write it.
bool WriteFileBytes(const std::string& path, std::string_view bytes);

// Why WriteFileBytes would refuse an existing `path`, in Chinese after "：" (a read-only file, a
// file the user may not write); empty when nothing is known against it.
std::string WriteRefusalReason(const std::string& path);

// `bytes` in a new file of the temporary folder, for text that could not go where it was asked to:
// answers the file's name, empty when none could be written.
std::string WriteRescueFile(std::string_view bytes);

// `bytes` on standard output.
bool WriteStandardOutput(std::string_view bytes);

}  // namespace vrk::cli

#pragma once

#include <string>
#include <string_view>

#include "files/file_result.h"

namespace vrk {

// The one way VRK410 writes a file: `bytes` become the whole content of `path`.
//
// The new content is written beside the file, synced, and renamed over it, then the folder is
// synced: a failure or a power cut leaves the earlier file whole. Where a rename would lose
// something (a second hard link, another owner, a group this user cannot give, extended
// attributes or an ACL, a folder this user may not write) the file is written in place instead:
// room is reserved and the old bytes kept first, and put back if the write fails half-way; only
// when that fails too is the file reported damaged. A file this user may not write, or one
// marked read-only, is never touched; a symbolic link keeps pointing where it did, and one whose
// target is missing is refused. A device or a pipe just takes the bytes.
FileResult WriteFile(const std::string& path, std::string_view bytes);

// Whether WriteFile could write `path` now, asked before work whose result must be kept (a
// download), so that nothing is received in vain. The same faults as WriteFile would give.
FileResult CheckWritable(const std::string& path);

// Puts `finished`, a whole file that another library wrote beside `path` in the same folder, in
// place of `path` without copying its bytes: it is synced, takes the earlier file's owner, group
// and mode, is renamed over it, and the folder is synced. WriteFile's rules decide what may be
// replaced; where a rename would lose something, the bytes are copied in through WriteFile
// instead. `finished` is gone once this succeeds; after a failure the caller removes it.
FileResult MoveIntoPlace(const std::string& finished, const std::string& path);

// Writes `bytes` to a new file, readable only by this user, in the temporary folder, for a result
// that could not go where it was meant to. `stem` starts the file's name.
struct RescueCopy {
    FileResult result;
    std::string path;
};
RescueCopy WriteRescueCopy(std::string_view stem, std::string_view bytes);

FileResult WriteStandardOutput(std::string_view bytes);

}  // namespace vrk

#pragma once

namespace vrk {

// Why a file could not be read or written, as the system said it at the moment it failed.
enum class FileFault {
    None,
    FolderMissing,  // a folder on the way does not exist
    FolderDenied,   // a folder on the way may not be searched, or takes no new file from this user
    FileMissing,
    IsFolder,
    Denied,        // the file itself may not be read, or written (a read-only file among them)
    DanglingLink,  // a symbolic link whose target does not exist: never replaced by a file
    ReadOnlyDisk,
    DiskFull,  // no room, or the user's quota is used up
    TooLarge,  // over the process's file size limit, or over what the reader takes
    Io,        // anything else: a disk or network share gone, a failing device
};

struct FileResult {
    FileFault fault = FileFault::None;
    // The errno of the call that failed; 0 where the writer itself refused (a read-only file).
    int error = 0;
    // The file was written in place, the write failed half-way and its old bytes could not be put
    // back: it may hold neither. When false after a failure, the file is as it was.
    bool damaged = false;

    bool ok() const { return fault == FileFault::None; }
};

}  // namespace vrk

#include "files/posix_file_io.h"

#include <algorithm>

#include "files/large_buffer.h"

namespace vrk {

namespace {

constexpr std::size_t kReadChunk = std::size_t{1} << 16;

}  // namespace

FileFault FaultOf(int error) {
    switch (error) {
        case ENOSPC:
        case EDQUOT:
            return FileFault::DiskFull;
        case EROFS:
            return FileFault::ReadOnlyDisk;
        case EFBIG:
            return FileFault::TooLarge;
        case EACCES:
        case EPERM:
            return FileFault::Denied;
        case EISDIR:
            return FileFault::IsFolder;
        case ENOENT:
            return FileFault::FileMissing;
        default:
            return FileFault::Io;
    }
}

FileFault LookupFaultOf(int error) {
    switch (error) {
        case ENOENT:
        case ENOTDIR:
            return FileFault::FolderMissing;
        case EACCES:
        case EPERM:
            return FileFault::FolderDenied;
        default:
            return FaultOf(error);
    }
}

FileResult Failure(FileFault fault, int error) {
    return {fault, error, false};
}

std::string DirectoryOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

int WriteAll(RetryingCalls& calls, int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = calls.Write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            return errno;
        }
        if (written == 0) {
            return EIO;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

int ReadAll(RetryingCalls& calls, int fd, std::string& bytes, std::size_t limit,
            std::size_t expected) {
    bytes.clear();
    const std::size_t room = std::max(kReadChunk, std::min(expected, limit) + 1);
    ReserveLargeBuffer(bytes, room);
    bytes.resize(room);
    std::size_t used = 0;
    while (used <= limit) {
        if (used == bytes.size()) {
            bytes.resize(used * 2);
        }
        const ssize_t got = calls.Read(fd, bytes.data() + used, bytes.size() - used);
        if (got < 0) {
            const int error = errno;
            bytes.clear();
            return error;
        }
        if (got == 0) {
            break;
        }
        used += static_cast<std::size_t>(got);
    }
    bytes.resize(used);
    return 0;
}

}  // namespace vrk

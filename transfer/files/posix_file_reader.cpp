#include <fcntl.h>
#include <unistd.h>

#include "files/file_reader.h"
#include "files/posix_file_access.h"
#include "files/posix_file_io.h"

namespace vrk {

namespace {

// Which part of the path is missing or closed, asked at once while the failure is fresh.
FileResult OpenFailure(RetryingCalls& calls, const std::string& path, int error) {
    const std::string folder = DirectoryOf(path);
    if (error == ENOENT || error == ENOTDIR) {
        struct stat info {};
        const bool folderThere = calls.Stat(folder, &info) == 0 && S_ISDIR(info.st_mode);
        return Failure(folderThere ? FileFault::FileMissing : FileFault::FolderMissing, error);
    }
    if (error == EACCES) {
        const bool folderOpen = calls.Access(folder, X_OK) == 0;
        return Failure(folderOpen ? FileFault::Denied : FileFault::FolderDenied, error);
    }
    return Failure(FaultOf(error), error);
}

FileResult ReadOpen(RetryingCalls& calls, int fd, std::string& bytes, std::size_t limit,
                    std::size_t expected) {
    if (const int error = ReadAll(calls, fd, bytes, limit, expected); error != 0) {
        return Failure(error == EISDIR ? FileFault::IsFolder : FileFault::Io, error);
    }
    if (bytes.size() > limit) {
        bytes.clear();
        return Failure(FileFault::TooLarge, EFBIG);
    }
    return {};
}

}  // namespace

FileResult ReadFileWith(PosixFileCalls& system, const std::string& path, std::string& bytes,
                        std::size_t limit) {
    RetryingCalls calls(system);
    bytes.clear();
    const int fd = calls.Open(path, O_RDONLY);
    if (fd < 0) {
        return OpenFailure(calls, path, errno);
    }
    struct stat info {};
    FileResult result;
    if (calls.FileStat(fd, &info) != 0) {
        result = Failure(FaultOf(errno), errno);
    } else if (S_ISDIR(info.st_mode)) {
        result = Failure(FileFault::IsFolder, EISDIR);
    } else if (S_ISREG(info.st_mode) && static_cast<std::size_t>(info.st_size) > limit) {
        result = Failure(FileFault::TooLarge, EFBIG);
    } else {
        // Read one byte past the limit: a file that grows while it is read is still refused.
        const std::size_t expected =
            S_ISREG(info.st_mode) ? static_cast<std::size_t>(info.st_size) : 0;
        result = ReadOpen(calls, fd, bytes, limit, expected);
    }
    calls.Close(fd);
    return result;
}

FileResult ReadFile(const std::string& path, std::string& bytes, std::size_t limit) {
    return ReadFileWith(SystemFileCalls(), path, bytes, limit);
}

FileResult ReadStandardInput(std::string& bytes) {
    RetryingCalls calls(SystemFileCalls());
    return ReadOpen(calls, STDIN_FILENO, bytes, static_cast<std::size_t>(-1), 0);
}

}  // namespace vrk

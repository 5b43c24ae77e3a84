#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <utility>

#include "files/file_writer.h"
#include "files/posix_file_access.h"
#include "files/posix_file_io.h"

namespace vrk {

namespace {

constexpr mode_t kNewFileMode = 0666;  // narrowed by the umask and the folder's default ACL
constexpr mode_t kPrivateMode = 0600;
constexpr mode_t kPermissionBits = 07777;
constexpr mode_t kAnyWriteBit = 0222;
constexpr int kNameAttempts = 100;
constexpr std::string_view kSecurityLabel = "security.";

class Descriptor {
  public:
    Descriptor(RetryingCalls& calls, int fd) : calls_(calls), fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0) {
            calls_.Close(fd_);
        }
    }
    int get() const { return fd_; }
    // 0, or the errno of a close that reported a late failure (NFS, a full disk).
    int Close() {
        const int fd = std::exchange(fd_, -1);
        if (fd < 0) {
            return 0;
        }
        return calls_.Close(fd) == 0 ? 0 : errno;
    }

  private:
    RetryingCalls& calls_;
    int fd_;
};

FileResult FailureOf(int error) {
    return Failure(FaultOf(error), error);
}

// A file with no write bit for anyone was marked read-only on purpose: it stays, also for root.
FileResult MayWrite(RetryingCalls& calls, const std::string& target, const struct stat& info) {
    if ((info.st_mode & kAnyWriteBit) == 0) {
        return Failure(FileFault::Denied, EACCES);
    }
    if (calls.Access(target, W_OK) != 0) {
        return FailureOf(errno);
    }
    return {};
}

// Extended attributes, an ACL among them, would not come along to a renamed copy. A file system
// without them has none to lose; any other failure to list them counts as having some. Security
// labels are left out: the system gives the new file its own.
bool HasExtendedAttributes(RetryingCalls& calls, const std::string& target) {
    const ssize_t size = calls.ListAttributes(target, nullptr, 0);
    if (size <= 0) {
        return size < 0 && errno != ENOTSUP;
    }
    std::string names(static_cast<std::size_t>(size), '\0');
    const ssize_t listed = calls.ListAttributes(target, names.data(), names.size());
    if (listed < 0) {
        return true;
    }
    names.resize(static_cast<std::size_t>(listed));
    for (std::size_t start = 0; start < names.size();) {
        const std::size_t end = std::min(names.find('\0', start), names.size());
        if (std::string_view(names).substr(start, end - start).rfind(kSecurityLabel, 0) != 0) {
            return true;
        }
        start = end + 1;
    }
    return false;
}

bool RenameKeepsEverything(RetryingCalls& calls, const std::string& target,
                           const struct stat& info) {
    return info.st_nlink == 1 && info.st_uid == calls.raw().EffectiveUser() &&
           calls.Access(DirectoryOf(target), W_OK | X_OK) == 0 &&
           !HasExtendedAttributes(calls, target);
}

// A folder sync that fails for lack of support says nothing about the data.
int SyncFolder(RetryingCalls& calls, const std::string& target) {
    const int opened = calls.Open(DirectoryOf(target), O_RDONLY | O_DIRECTORY);
    if (opened < 0) {
        return 0;
    }
    Descriptor folder(calls, opened);
    if (calls.Sync(folder.get()) != 0 && errno != EINVAL && errno != EROFS) {
        return errno;
    }
    return 0;
}

// Gives the open file the earlier file's owner, group and mode; false when it cannot have them
// all (a group this user may not give).
bool TakeOwnerAndMode(RetryingCalls& calls, int fd, const struct stat& existing) {
    const mode_t mode = existing.st_mode & kPermissionBits;
    struct stat made {};
    // The kernel drops the set-group-id bit for a group this user is not in.
    return calls.ChangeOwner(fd, existing.st_uid, existing.st_gid) == 0 &&
           calls.ChangeMode(fd, mode) == 0 && calls.FileStat(fd, &made) == 0 &&
           (made.st_mode & kPermissionBits) == mode;
}

// A new file of its own beside `target`, created exclusively; -1 with errno when none can be.
int CreateBeside(RetryingCalls& calls, const std::string& target, mode_t mode, std::string& name) {
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        name = target + "." + calls.raw().UniqueName() + ".tmp";
        const int fd = calls.Open(name, O_WRONLY | O_CREAT | O_EXCL, mode);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

// Writes `bytes` beside `target`, syncs them, renames them over it and syncs the folder. With
// `existing`, the copy first gets the file's owner, group and mode; when it cannot (a group this
// user may not give, a folder that takes no new file), nothing is written and the answer is
// nullopt: the caller writes in place.
std::optional<FileResult> Stage(RetryingCalls& calls, const std::string& target,
                                const struct stat* existing, std::string_view bytes) {
    std::string staged;
    const int created =
        CreateBeside(calls, target, existing != nullptr ? kPrivateMode : kNewFileMode, staged);
    if (created < 0) {
        const int error = errno;
        if (existing != nullptr && (error == EACCES || error == EPERM)) {
            return std::nullopt;
        }
        return Failure(LookupFaultOf(error), error);
    }
    Descriptor file(calls, created);
    const auto remove = [&] {
        file.Close();
        calls.Unlink(staged);
    };
    const auto discard = [&](int error) {
        remove();
        return FailureOf(error);
    };
    if (existing != nullptr && !TakeOwnerAndMode(calls, file.get(), *existing)) {
        remove();
        return std::nullopt;
    }
    if (const int error = WriteAll(calls, file.get(), bytes); error != 0) {
        return discard(error);
    }
    if (calls.Sync(file.get()) != 0) {
        return discard(errno);
    }
    if (const int error = file.Close(); error != 0) {
        return discard(error);
    }
    if (calls.Rename(staged, target) != 0) {
        const int error = errno;
        calls.Unlink(staged);
        return FailureOf(error);
    }
    if (const int error = SyncFolder(calls, target); error != 0) {
        return FailureOf(error);
    }
    return FileResult{};
}

// Gives the open file exactly `bytes`, durably; 0 or the errno.
int WriteWhole(RetryingCalls& calls, int fd, std::string_view bytes) {
    if (calls.Seek(fd, 0) != 0) {
        return errno;
    }
    if (const int error = WriteAll(calls, fd, bytes); error != 0) {
        return error;
    }
    if (calls.Truncate(fd, static_cast<off_t>(bytes.size())) != 0 || calls.Sync(fd) != 0) {
        return errno;
    }
    return 0;
}

FileResult WriteInPlace(RetryingCalls& calls, const std::string& target, std::string_view bytes) {
    const int opened = calls.Open(target, O_RDWR);
    if (opened < 0) {
        return FailureOf(errno);
    }
    Descriptor file(calls, opened);
    struct stat info {};
    if (calls.FileStat(file.get(), &info) != 0) {
        return FailureOf(errno);
    }
    std::string old;
    if (const int error = ReadAll(calls, file.get(), old, static_cast<std::size_t>(-1),
                                  static_cast<std::size_t>(info.st_size));
        error != 0) {
        return FailureOf(error);
    }
    FileResult result;
    if (!bytes.empty() && calls.Reserve(file.get(), static_cast<off_t>(bytes.size())) != 0 &&
        errno != EOPNOTSUPP) {
        result = FailureOf(errno);
        // glibc's own reservation may have lengthened the file before it ran out of room.
        result.damaged = calls.Truncate(file.get(), static_cast<off_t>(old.size())) != 0;
        return result;
    }
    if (const int error = WriteWhole(calls, file.get(), bytes); error != 0) {
        result = FailureOf(error);
        result.damaged = WriteWhole(calls, file.get(), old) != 0;
    }
    // The content is synced already; a close that fails leaves no way to tell what it holds.
    if (const int error = file.Close(); error != 0) {
        if (result.ok()) {
            result = FailureOf(error);
        }
        result.damaged = true;
    }
    return result;
}

// A device or a pipe takes the bytes as they come; there is nothing to keep.
FileResult WriteToDevice(RetryingCalls& calls, const std::string& target, std::string_view bytes) {
    const int opened = calls.Open(target, O_WRONLY);
    if (opened < 0) {
        return FailureOf(errno);
    }
    Descriptor device(calls, opened);
    if (const int error = WriteAll(calls, device.get(), bytes); error != 0) {
        return FailureOf(error);
    }
    const int error = device.Close();
    return error == 0 ? FileResult{} : FailureOf(error);
}

// What stands at `path` once a symbolic link is followed: its stat and the path it resolves to.
struct Target {
    FileResult result;
    bool exists = false;
    struct stat info {};
    std::string path;
};

Target Look(RetryingCalls& calls, const std::string& path) {
    Target target;
    target.path = path;
    if (calls.LinkStat(path, &target.info) != 0) {
        if (errno != ENOENT) {
            target.result = Failure(LookupFaultOf(errno), errno);
        }
        return target;
    }
    target.exists = true;
    if (S_ISLNK(target.info.st_mode)) {
        // The link stays a link: its target is what gets written.
        if (calls.Stat(path, &target.info) != 0) {
            target.result = errno == ENOENT ? Failure(FileFault::DanglingLink, ENOENT)
                                            : Failure(LookupFaultOf(errno), errno);
            return target;
        }
        const auto resolved = calls.raw().Resolve(path.c_str());
        if (!resolved) {
            target.result = Failure(LookupFaultOf(errno), errno);
            return target;
        }
        target.path = *resolved;
    }
    if (S_ISDIR(target.info.st_mode)) {
        target.result = Failure(FileFault::IsFolder, EISDIR);
    }
    return target;
}

bool OverSizeLimit(RetryingCalls& calls, std::size_t size) {
    const auto limit = calls.raw().FileSizeLimit();
    return limit && size > *limit;
}

}  // namespace

FileResult WriteFileWith(PosixFileCalls& system, const std::string& path, std::string_view bytes) {
    RetryingCalls calls(system);
    const Target target = Look(calls, path);
    if (!target.result.ok()) {
        return target.result;
    }
    if (target.exists && !S_ISREG(target.info.st_mode)) {
        return WriteToDevice(calls, target.path, bytes);
    }
    // Past the limit a write would end the program with SIGXFSZ.
    if (OverSizeLimit(calls, bytes.size())) {
        return Failure(FileFault::TooLarge, EFBIG);
    }
    if (!target.exists) {
        return *Stage(calls, target.path, nullptr, bytes);
    }
    if (const FileResult allowed = MayWrite(calls, target.path, target.info); !allowed.ok()) {
        return allowed;
    }
    if (RenameKeepsEverything(calls, target.path, target.info)) {
        if (auto staged = Stage(calls, target.path, &target.info, bytes)) {
            return *staged;
        }
    }
    return WriteInPlace(calls, target.path, bytes);
}

namespace {

// The finished file's bytes written to `path` by the writer, for a target that a rename would not
// keep whole; the finished file goes once they are in place.
FileResult CopyIntoPlace(PosixFileCalls& system, const std::string& finished,
                         const std::string& path) {
    std::string bytes;
    FileResult result = ReadFileWith(system, finished, bytes, static_cast<std::size_t>(-1));
    if (result.ok()) {
        result = WriteFileWith(system, path, bytes);
    }
    if (result.ok()) {
        RetryingCalls(system).Unlink(finished);
    }
    return result;
}

}  // namespace

FileResult MoveIntoPlaceWith(PosixFileCalls& system, const std::string& finished,
                             const std::string& path) {
    RetryingCalls calls(system);
    const Target target = Look(calls, path);
    if (!target.result.ok()) {
        return target.result;
    }
    if (target.exists) {
        // A link, a device or a pipe is written through, as the writer always does.
        if (!S_ISREG(target.info.st_mode) || target.path != path) {
            return CopyIntoPlace(system, finished, path);
        }
        if (const FileResult allowed = MayWrite(calls, target.path, target.info); !allowed.ok()) {
            return allowed;
        }
        if (!RenameKeepsEverything(calls, target.path, target.info)) {
            return CopyIntoPlace(system, finished, path);
        }
    }
    const int opened = calls.Open(finished, O_RDONLY);
    if (opened < 0) {
        return FailureOf(errno);
    }
    Descriptor file(calls, opened);
    if (target.exists && !TakeOwnerAndMode(calls, file.get(), target.info)) {
        file.Close();
        return CopyIntoPlace(system, finished, path);
    }
    if (calls.Sync(file.get()) != 0) {
        return FailureOf(errno);
    }
    if (const int error = file.Close(); error != 0) {
        return FailureOf(error);
    }
    if (calls.Rename(finished, target.path) != 0) {
        return FailureOf(errno);
    }
    if (const int error = SyncFolder(calls, target.path); error != 0) {
        return FailureOf(error);
    }
    return {};
}

FileResult CheckWritableWith(PosixFileCalls& system, const std::string& path) {
    RetryingCalls calls(system);
    const Target target = Look(calls, path);
    if (!target.result.ok()) {
        return target.result;
    }
    if (target.exists) {
        if (!S_ISREG(target.info.st_mode)) {
            return calls.Access(target.path, W_OK) == 0 ? FileResult{} : FailureOf(errno);
        }
        return MayWrite(calls, target.path, target.info);
    }
    const std::string folder = DirectoryOf(path);
    struct stat info {};
    if (calls.Stat(folder, &info) != 0) {
        return Failure(LookupFaultOf(errno), errno);
    }
    if (!S_ISDIR(info.st_mode)) {
        return Failure(FileFault::FolderMissing, ENOTDIR);
    }
    if (calls.Access(folder, W_OK | X_OK) != 0) {
        return Failure(errno == EROFS ? FileFault::ReadOnlyDisk : FileFault::FolderDenied, errno);
    }
    return {};
}

FileResult WriteFile(const std::string& path, std::string_view bytes) {
    return WriteFileWith(SystemFileCalls(), path, bytes);
}

FileResult CheckWritable(const std::string& path) {
    return CheckWritableWith(SystemFileCalls(), path);
}

FileResult MoveIntoPlace(const std::string& finished, const std::string& path) {
    return MoveIntoPlaceWith(SystemFileCalls(), finished, path);
}

RescueCopy WriteRescueCopy(std::string_view stem, std::string_view bytes) {
    RetryingCalls calls(SystemFileCalls());
    std::error_code ignored;
    std::filesystem::path folder = std::filesystem::temp_directory_path(ignored);
    if (folder.empty()) {
        folder = "/tmp";
    }
    RescueCopy copy;
    const std::string base = (folder / stem).string();
    int created = -1;
    for (int attempt = 0; attempt < kNameAttempts && created < 0; ++attempt) {
        copy.path = base + "-" + calls.raw().UniqueName() + ".txt";
        created = calls.Open(copy.path, O_WRONLY | O_CREAT | O_EXCL, kPrivateMode);
        if (created < 0 && errno != EEXIST) {
            break;
        }
    }
    if (created < 0) {
        copy.result = Failure(LookupFaultOf(errno), errno);
        return copy;
    }
    Descriptor file(calls, created);
    int error = WriteAll(calls, file.get(), bytes);
    if (error == 0 && calls.Sync(file.get()) != 0) {
        error = errno;
    }
    if (const int closed = file.Close(); error == 0) {
        error = closed;
    }
    if (error != 0) {
        calls.Unlink(copy.path);
        copy.result = FailureOf(error);
    }
    return copy;
}

FileResult WriteStandardOutput(std::string_view bytes) {
    RetryingCalls calls(SystemFileCalls());
    const int error = WriteAll(calls, STDOUT_FILENO, bytes);
    return error == 0 ? FileResult{} : FailureOf(error);
}

}  // namespace vrk

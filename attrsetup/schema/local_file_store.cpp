#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "schema/file_store.h"
#include "schema/posix_write_all.h"

// The adapter between the schema and the local file system; the only file with system calls.
//
// A file is replaced by writing its new content beside it and renaming that over it, so a crash
// never leaves half a file. That is only possible when the new file can be made exactly like the
// old one: in a folder this user may write, for a file of this user's that has no other hard link,
// no extended attributes or ACL, and whose group this user may give. Otherwise the file is written
// in place: its old bytes are read and the room for the new content reserved first (where the file
// system can reserve room; network shares often cannot), and if writing the new bytes fails the old
// ones are written back. Only a crash during the write, or a failure of that restore as well,
// leaves the file damaged, and the caller is told which file that was.
namespace quorbel {
namespace {

// Where a symbolic link points, so the link itself is kept and its target replaced.
std::string resolvedPath(const std::string& path) {
    char buffer[PATH_MAX];
    if (realpath(path.c_str(), buffer) != nullptr) {
        return buffer;
    }
    return path;
}

std::string directoryOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool readAll(int fd, std::string& bytes) {
    bytes.clear();
    // Read straight into room made once for the size the file has now; a file that grows
    // meanwhile is read on in steps. Growing a string of megabytes copies it again and again.
    struct stat status {};
    std::size_t room = 1 << 16;
    if (::fstat(fd, &status) == 0 && status.st_size > 0) {
        room = static_cast<std::size_t>(status.st_size) + 1;
    }
    std::size_t filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            bytes.resize(std::max(room, bytes.size() + (1 << 16)));
        }
        const ssize_t got = ::read(fd, bytes.data() + filled, bytes.size() - filled);
        if (got == 0) {
            bytes.resize(filled);
            return true;
        }
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            bytes.clear();
            return false;
        }
        filled += static_cast<std::size_t>(got);
    }
}

void syncDirectory(const std::string& target) {
    const int fd = ::open(directoryOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

bool withinFileSizeLimit(std::size_t size) {
    rlimit limit{};
    return ::getrlimit(RLIMIT_FSIZE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY ||
           size <= limit.rlim_cur;
}

// Gives an open file exactly these bytes, durably.
bool writeWhole(int fd, std::string_view bytes) {
    return ::lseek(fd, 0, SEEK_SET) == 0 && writeAll(fd, bytes) &&
           ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && ::fsync(fd) == 0;
}

// One file between preparing and committing: either a complete, synced copy beside the target
// (temporary) or the target opened for writing with its old bytes read (fd, oldBytes).
struct PreparedFile {
    std::string target;
    std::string temporary;
    int fd = -1;
    std::string_view bytes;
    std::string oldBytes;

    bool inPlace() const { return temporary.empty(); }

    void discard() {
        if (!temporary.empty()) {
            ::unlink(temporary.c_str());
            temporary.clear();
        }
        if (fd >= 0) {
            ::close(fd);
            fd = -1;
        }
    }
};

// Extended attributes, an ACL among them, would not come along to a renamed copy. A file system
// without them has none to lose; any other failure to list them counts as having some. Security
// labels ("security.*") are left out: the system gives the new file its own, so a labelled file
// can still be replaced by a rename.
bool hasExtendedAttributes(const std::string& target) {
    const ssize_t size = ::listxattr(target.c_str(), nullptr, 0);
    if (size <= 0) {
        return size < 0 && errno != ENOTSUP;
    }
    std::string names(static_cast<std::size_t>(size), '\0');
    const ssize_t listed = ::listxattr(target.c_str(), names.data(), names.size());
    if (listed < 0) {
        return true;
    }
    names.resize(static_cast<std::size_t>(listed));
    constexpr std::string_view kSecurityLabel = "security.";
    for (std::size_t start = 0; start < names.size();) {
        const std::size_t end = std::min(names.find('\0', start), names.size());
        if (std::string_view(names).substr(start, end - start).rfind(kSecurityLabel, 0) != 0) {
            return true;
        }
        start = end + 1;
    }
    return false;
}

bool renameIsSafe(const std::string& target, const struct stat& original) {
    if (original.st_nlink > 1 || original.st_uid != ::geteuid() || hasExtendedAttributes(target)) {
        return false;
    }
    // A rename needs only the folder's permission; a file the user may not write must stay as it
    // is even when a caller did not ask mayWrite first.
    return ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) == 0 &&
           ::faccessat(AT_FDCWD, directoryOf(target).c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

enum class StageResult { Staged, NotPossible, Failed };

// Writes the new content beside the target with the target's mode, owner and group, and syncs it.
StageResult stage(PreparedFile& file, const struct stat& original) {
    // Past the limit the system stops the whole process (SIGXFSZ), and with it the CAD host.
    if (!withinFileSizeLimit(file.bytes.size())) {
        return StageResult::Failed;
    }
    std::string pattern = file.target + ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) {
        return (errno == EACCES || errno == EPERM) ? StageResult::NotPossible : StageResult::Failed;
    }
    file.temporary = name.data();
    if (::fchown(fd, original.st_uid, original.st_gid) != 0) {
        // A group this user may not give: the renamed copy would not be the same file.
        ::close(fd);
        file.discard();
        return StageResult::NotPossible;
    }
    bool ok =
        ::fchmod(fd, original.st_mode & 07777) == 0 && writeAll(fd, file.bytes) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (!ok) {
        file.discard();
        return StageResult::Failed;
    }
    return StageResult::Staged;
}

bool openInPlace(PreparedFile& file) {
    if (!withinFileSizeLimit(file.bytes.size())) {
        return false;
    }
    file.fd = ::open(file.target.c_str(), O_RDWR | O_CLOEXEC);
    if (file.fd < 0) {
        return false;
    }
    // Kept to write back if the new bytes cannot all be written; these files are small.
    if (!readAll(file.fd, file.oldBytes)) {
        file.discard();
        return false;
    }
    if (!file.bytes.empty() &&
        ::fallocate(file.fd, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(file.bytes.size())) != 0 &&
        errno != EOPNOTSUPP) {
        file.discard();
        return false;
    }
    return true;
}

bool prepare(const FileStore::Replacement& replacement, PreparedFile& file) {
    file.target = resolvedPath(replacement.path);
    file.bytes = replacement.bytes;
    struct stat original {};
    if (::stat(file.target.c_str(), &original) != 0 || !S_ISREG(original.st_mode)) {
        return false;
    }
    if (renameIsSafe(file.target, original)) {
        switch (stage(file, original)) {
            case StageResult::Staged:
                return true;
            case StageResult::Failed:
                return false;
            case StageResult::NotPossible:
                break;
        }
    }
    return openInPlace(file);
}

enum class CommitResult { Written, Unchanged, MayBeDamaged };

CommitResult commit(PreparedFile& file) {
    if (!file.inPlace()) {
        const bool renamed = ::rename(file.temporary.c_str(), file.target.c_str()) == 0;
        if (!renamed) {
            file.discard();
            return CommitResult::Unchanged;
        }
        file.temporary.clear();
        syncDirectory(file.target);
        return CommitResult::Written;
    }
    CommitResult result = CommitResult::Written;
    if (!writeWhole(file.fd, file.bytes)) {
        result = writeWhole(file.fd, file.oldBytes) ? CommitResult::Unchanged
                                                    : CommitResult::MayBeDamaged;
    }
    // The content is synced already; a failing close leaves no way to tell what the file holds.
    if (::close(file.fd) != 0 && result == CommitResult::Written) {
        result = CommitResult::MayBeDamaged;
    }
    file.fd = -1;
    return result;
}

class LocalFileStore final : public FileStore {
  public:
    bool read(const std::string& path, std::string& bytes) override {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            return false;
        }
        const bool ok = readAll(fd, bytes);
        ::close(fd);
        return ok;
    }

    bool stamp(const std::string& path, Stamp& stamp) override {
        struct stat status {};
        if (::stat(path.c_str(), &status) != 0) {
            return false;
        }
        stamp.size = static_cast<std::uint64_t>(status.st_size);
        stamp.modifiedNs = static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1'000'000'000 +
                           status.st_mtim.tv_nsec;
        return true;
    }

    bool mayWrite(const std::string& path) override {
        return ::faccessat(AT_FDCWD, resolvedPath(path).c_str(), W_OK, AT_EACCESS) == 0;
    }

    ReplaceResult replace(std::span<const Replacement> files) override {
        std::vector<PreparedFile> prepared(files.size());
        for (std::size_t i = 0; i < files.size(); ++i) {
            if (!prepare(files[i], prepared[i])) {
                discard(prepared);
                return {0, false};
            }
        }
        for (std::size_t i = 0; i < prepared.size(); ++i) {
            const CommitResult result = commit(prepared[i]);
            if (result != CommitResult::Written) {
                discard(prepared);
                return {i, result == CommitResult::MayBeDamaged};
            }
        }
        return {files.size(), false};
    }

  private:
    static void discard(std::span<PreparedFile> prepared) {
        for (PreparedFile& file : prepared) {
            file.discard();
        }
    }
};

}  // namespace

FileStore& localFileStore() {
    static LocalFileStore store;
    return store;
}

}  // namespace quorbel

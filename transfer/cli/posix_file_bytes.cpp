#include "cli/file_bytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>

namespace vrk::cli {

namespace {

constexpr std::size_t kChunk = 1 << 16;

class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    int get() const { return fd_; }
    // Closing can report a write that failed late (NFS, full disk).
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

  private:
    int fd_;
};

// Appends what `fd` delivers until its end; reads straight into the string's storage.
bool ReadToEnd(int fd, std::string& bytes, std::size_t expected) {
    std::size_t used = bytes.size();
    bytes.resize(used + std::max(expected, kChunk) + 1);
    for (;;) {
        if (used == bytes.size()) {
            bytes.resize(bytes.size() * 2);
        }
        const ssize_t n = ::read(fd, bytes.data() + used, bytes.size() - used);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            bytes.resize(used);
            return false;
        }
        if (n == 0) {
            bytes.resize(used);
            return true;
        }
        used += static_cast<std::size_t>(n);
    }
}

bool WriteAllTo(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

}  // namespace

bool ReadFileBytes(const std::string& path, std::string& bytes) {
    Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0) {
        return false;
    }
    struct stat info {};
    if (::fstat(file.get(), &info) != 0 || S_ISDIR(info.st_mode)) {
        return false;
    }
    const std::size_t size = S_ISREG(info.st_mode) ? static_cast<std::size_t>(info.st_size) : 0;
    return ReadToEnd(file.get(), bytes, size);
}

bool ReadStandardInput(std::string& bytes) {
    return ReadToEnd(STDIN_FILENO, bytes, 0);
}

namespace {

// Writes `bytes` over the file from its start without cutting it first: room for the new length
// is taken before the first byte changes, so a full disk or a size limit fails while the earlier
// content is still whole; the file is cut to length only once every byte is in.
bool WriteInPlace(const std::string& path, std::string_view bytes) {
    constexpr mode_t kNewFileMode = 0666;  // narrowed by the umask, as for any new file
    Descriptor file(::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, kNewFileMode));
    struct stat info {};
    if (file.get() < 0 || ::fstat(file.get(), &info) != 0) {
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        // A device or a pipe takes the bytes as they come; there is nothing to keep.
        const bool written = WriteAllTo(file.get(), bytes);
        return file.close() && written;
    }
    const auto size = static_cast<off_t>(bytes.size());
    if (size > 0 && ::posix_fallocate(file.get(), 0, size) != 0) {
        return false;
    }
    const bool written = WriteAllTo(file.get(), bytes) && ::ftruncate(file.get(), size) == 0;
    return file.close() && written;
}

// A copy beside `target` that takes its place only once every byte is written, so a full disk
// or a size limit leaves the earlier file as it was. Answers nullopt when no such copy can be
// made there (a folder the user may not write, a group the user cannot give): the caller then
// writes in place.
std::optional<bool> WriteBesideAndRename(const std::string& target, std::string_view bytes,
                                         const struct stat* existing) {
    std::string staged = target + ".XXXXXX";
    Descriptor file(::mkstemp(staged.data()));
    if (file.get() < 0) {
        return std::nullopt;
    }
    // The copy must end up with the earlier file's group, or the rename would change it.
    if (existing != nullptr &&
        ::fchown(file.get(), static_cast<uid_t>(-1), existing->st_gid) != 0) {
        ::unlink(staged.c_str());
        return std::nullopt;
    }
    const mode_t umask = ::umask(0);
    ::umask(umask);
    const mode_t mode = existing != nullptr ? existing->st_mode & 07777 : 0666 & ~umask;
    // No fsync: the rename already keeps the earlier file until this one is whole, and a
    // conversion that a power cut interrupts is simply run again.
    bool ok = ::fchmod(file.get(), mode) == 0 && WriteAllTo(file.get(), bytes);
    ok = file.close() && ok;
    if (!ok || ::rename(staged.c_str(), target.c_str()) != 0) {
        ::unlink(staged.c_str());
        return false;
    }
    return true;
}

}  // namespace

bool CanWriteFile(const std::string& path) {
    if (::access(path.c_str(), F_OK) == 0) {
        return ::access(path.c_str(), W_OK) == 0;
    }
    const std::string::size_type slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    return ::access(folder.c_str(), W_OK) == 0;
}

bool WriteFileBytes(const std::string& path, std::string_view bytes) {
    struct stat existing {};
    const bool exists = ::stat(path.c_str(), &existing) == 0;
    if (exists && ::access(path.c_str(), W_OK) != 0) {
        return false;  // never replace a file the user may not write
    }
    // A symbolic link stays a link: its target is what gets replaced.
    std::string target = path;
    if (exists) {
        std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr),
                                                             &std::free);
        if (resolved == nullptr) {
            return false;
        }
        target = resolved.get();
    }
    // A device, a pipe, a file with other names or another owner is written where it is, so
    // that it keeps what a rename would take from it.
    const bool replaceable = !exists || (S_ISREG(existing.st_mode) && existing.st_nlink == 1 &&
                                         existing.st_uid == ::geteuid());
    if (replaceable) {
        if (const auto renamed =
                WriteBesideAndRename(target, bytes, exists ? &existing : nullptr)) {
            return *renamed;
        }
    }
    return WriteInPlace(target, bytes);
}

std::string WriteRefusalReason(const std::string& path) {
    if (::access(path.c_str(), F_OK) != 0 || ::access(path.c_str(), W_OK) == 0) {
        return {};
    }
    return "：文件为只读或没有写入权限，原文件保持不变";
}

std::string WriteRescueFile(std::string_view bytes) {
    std::string rescue =
        (std::filesystem::temp_directory_path() / "vrk410-download-XXXXXX").string();
    Descriptor file(::mkstemp(rescue.data()));
    if (file.get() < 0) {
        return {};
    }
    const bool written = WriteAllTo(file.get(), bytes);
    if (!file.close() || !written) {
        ::unlink(rescue.c_str());
        return {};
    }
    return rescue;
}

bool WriteStandardOutput(std::string_view bytes) {
    return WriteAllTo(STDOUT_FILENO, bytes);
}

}  // namespace vrk::cli

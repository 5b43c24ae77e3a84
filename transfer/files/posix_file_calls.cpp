#include "files/posix_file_calls.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <memory>

namespace vrk {

PosixFileCalls::~PosixFileCalls() = default;

int PosixFileCalls::Open(const char* path, int flags, mode_t mode) {
    return ::open(path, flags | O_CLOEXEC, mode);
}

int PosixFileCalls::Close(int fd) {
    return ::close(fd);
}

ssize_t PosixFileCalls::Read(int fd, void* buffer, std::size_t size) {
    return ::read(fd, buffer, size);
}

ssize_t PosixFileCalls::Write(int fd, const void* bytes, std::size_t size) {
    return ::write(fd, bytes, size);
}

off_t PosixFileCalls::Seek(int fd, off_t offset) {
    return ::lseek(fd, offset, SEEK_SET);
}

int PosixFileCalls::Sync(int fd) {
    return ::fsync(fd);
}

int PosixFileCalls::Truncate(int fd, off_t size) {
    return ::ftruncate(fd, size);
}

int PosixFileCalls::Reserve(int fd, off_t size) {
    if (::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, size) == 0) {
        return 0;
    }
    if (errno != EOPNOTSUPP) {
        return -1;
    }
    // posix_fallocate answers with the error instead of setting errno.
    const int error = ::posix_fallocate(fd, 0, size);
    errno = error;
    return error == 0 ? 0 : -1;
}

int PosixFileCalls::Stat(const char* path, struct stat* info) {
    return ::stat(path, info);
}

int PosixFileCalls::LinkStat(const char* path, struct stat* info) {
    return ::lstat(path, info);
}

int PosixFileCalls::FileStat(int fd, struct stat* info) {
    return ::fstat(fd, info);
}

int PosixFileCalls::Access(const char* path, int mode) {
    return ::faccessat(AT_FDCWD, path, mode, AT_EACCESS);
}

int PosixFileCalls::ChangeOwner(int fd, uid_t owner, gid_t group) {
    return ::fchown(fd, owner, group);
}

int PosixFileCalls::ChangeMode(int fd, mode_t mode) {
    return ::fchmod(fd, mode);
}

int PosixFileCalls::Rename(const char* from, const char* to) {
    return ::rename(from, to);
}

int PosixFileCalls::Unlink(const char* path) {
    return ::unlink(path);
}

ssize_t PosixFileCalls::ListAttributes(const char* path, char* names, std::size_t size) {
    return ::listxattr(path, names, size);
}

std::optional<std::string> PosixFileCalls::Resolve(const char* path) {
    const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path, nullptr),
                                                               &std::free);
    if (resolved == nullptr) {
        return std::nullopt;
    }
    return std::string(resolved.get());
}

uid_t PosixFileCalls::EffectiveUser() {
    return ::geteuid();
}

std::optional<std::uint64_t> PosixFileCalls::FileSizeLimit() {
    rlimit limit{};
    if (::getrlimit(RLIMIT_FSIZE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) {
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(limit.rlim_cur);
}

std::string PosixFileCalls::UniqueName() {
    static std::atomic<unsigned> counter{0};
    return std::to_string(::getpid()) + "-" + std::to_string(counter.fetch_add(1));
}

PosixFileCalls& SystemFileCalls() {
    static PosixFileCalls calls;
    return calls;
}

}  // namespace vrk

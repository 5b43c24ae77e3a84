#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <string>

namespace vrk {

// Every system call the POSIX file reader and writer make, one virtual each, so a test can make
// any of them fail (a short write, EIO, ENOSPC, EINTR) at the moment it chooses. Each answers as
// the call it stands for: -1 with errno set on failure. The reader and writer retry EINTR; the
// calls themselves never do.
class PosixFileCalls {
  public:
    virtual ~PosixFileCalls();

    virtual int Open(const char* path, int flags, mode_t mode);
    virtual int Close(int fd);
    virtual ssize_t Read(int fd, void* buffer, std::size_t size);
    virtual ssize_t Write(int fd, const void* bytes, std::size_t size);
    virtual off_t Seek(int fd, off_t offset);
    virtual int Sync(int fd);
    virtual int Truncate(int fd, off_t size);
    // Room for `size` bytes from the start, without changing the file's length where the file
    // system can; elsewhere glibc writes the blocks itself, which needs `fd` open for reading.
    virtual int Reserve(int fd, off_t size);
    virtual int Stat(const char* path, struct stat* info);
    virtual int LinkStat(const char* path, struct stat* info);
    virtual int FileStat(int fd, struct stat* info);
    // faccessat with the effective ids, as the kernel will judge the open.
    virtual int Access(const char* path, int mode);
    virtual int ChangeOwner(int fd, uid_t owner, gid_t group);
    virtual int ChangeMode(int fd, mode_t mode);
    virtual int Rename(const char* from, const char* to);
    virtual int Unlink(const char* path);
    virtual ssize_t ListAttributes(const char* path, char* names, std::size_t size);
    virtual std::optional<std::string> Resolve(const char* path);
    virtual uid_t EffectiveUser();
    // The process's file size limit; nullopt when there is none. A write past it would end the
    // process with SIGXFSZ.
    virtual std::optional<std::uint64_t> FileSizeLimit();
    // A word for a new file's name that no other call in this process gets ("4711-3"); the caller
    // still creates the file with O_EXCL, since another process may have used it.
    virtual std::string UniqueName();
};

// The calls of the running system.
PosixFileCalls& SystemFileCalls();

}  // namespace vrk

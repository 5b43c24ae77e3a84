#pragma once

#include <cerrno>
#include <string>
#include <string_view>

#include "files/file_result.h"
#include "files/posix_file_calls.h"

namespace vrk {

// The system calls as the reader and writer use them: the one place where a call the system
// interrupted (EINTR) is made again. close() is the exception: on Linux the descriptor is gone
// even when it reports EINTR, so it is never retried.
class RetryingCalls {
    template <typename Call>
    static auto Retried(Call call) {
        for (;;) {
            const auto result = call();
            if (result != -1 || errno != EINTR) {
                return result;
            }
        }
    }

  public:
    explicit RetryingCalls(PosixFileCalls& calls) : calls_(calls) {}

    PosixFileCalls& raw() { return calls_; }

    int Open(const std::string& path, int flags, mode_t mode = 0) {
        return Retried([&] { return calls_.Open(path.c_str(), flags, mode); });
    }
    int Close(int fd) { return calls_.Close(fd); }
    ssize_t Read(int fd, void* buffer, std::size_t size) {
        return Retried([&] { return calls_.Read(fd, buffer, size); });
    }
    ssize_t Write(int fd, const void* bytes, std::size_t size) {
        return Retried([&] { return calls_.Write(fd, bytes, size); });
    }
    off_t Seek(int fd, off_t offset) {
        return Retried([&] { return calls_.Seek(fd, offset); });
    }
    int Sync(int fd) {
        return Retried([&] { return calls_.Sync(fd); });
    }
    int Truncate(int fd, off_t size) {
        return Retried([&] { return calls_.Truncate(fd, size); });
    }
    int Reserve(int fd, off_t size) {
        return Retried([&] { return calls_.Reserve(fd, size); });
    }
    int Stat(const std::string& path, struct stat* info) {
        return Retried([&] { return calls_.Stat(path.c_str(), info); });
    }
    int LinkStat(const std::string& path, struct stat* info) {
        return Retried([&] { return calls_.LinkStat(path.c_str(), info); });
    }
    int FileStat(int fd, struct stat* info) {
        return Retried([&] { return calls_.FileStat(fd, info); });
    }
    int Access(const std::string& path, int mode) {
        return Retried([&] { return calls_.Access(path.c_str(), mode); });
    }
    int ChangeOwner(int fd, uid_t owner, gid_t group) {
        return Retried([&] { return calls_.ChangeOwner(fd, owner, group); });
    }
    int ChangeMode(int fd, mode_t mode) {
        return Retried([&] { return calls_.ChangeMode(fd, mode); });
    }
    int Rename(const std::string& from, const std::string& to) {
        return Retried([&] { return calls_.Rename(from.c_str(), to.c_str()); });
    }
    int Unlink(const std::string& path) {
        return Retried([&] { return calls_.Unlink(path.c_str()); });
    }
    ssize_t ListAttributes(const std::string& path, char* names, std::size_t size) {
        return Retried([&] { return calls_.ListAttributes(path.c_str(), names, size); });
    }

  private:
    PosixFileCalls& calls_;
};

// What an errno means for reading or writing a file once its folder was found.
FileFault FaultOf(int error);
// What an errno means while a path is looked up or a name is made in its folder.
FileFault LookupFaultOf(int error);
FileResult Failure(FileFault fault, int error);

// The folder part of `path`: "." for a bare name, "/" for a name at the root.
std::string DirectoryOf(const std::string& path);

// 0, or the errno of the write that failed; a write that takes nothing counts as EIO, since
// trying again would never end.
int WriteAll(RetryingCalls& calls, int fd, std::string_view bytes);
// What `fd` holds from where it stands to its end, as `bytes`; it stops once `bytes` holds more
// than `limit`. `expected` sizes the first read. 0, or the errno of the read that failed.
int ReadAll(RetryingCalls& calls, int fd, std::string& bytes, std::size_t limit,
            std::size_t expected);

}  // namespace vrk

#include "cli/file_bytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

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

bool WriteFileBytes(const std::string& path, std::string_view bytes) {
    constexpr mode_t kNewFileMode = 0666;  // narrowed by the umask, as for any new file
    Descriptor file(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, kNewFileMode));
    if (file.get() < 0) {
        return false;
    }
    const bool written = WriteAllTo(file.get(), bytes);
    return file.close() && written;
}

bool WriteStandardOutput(std::string_view bytes) {
    return WriteAllTo(STDOUT_FILENO, bytes);
}

}  // namespace vrk::cli

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <vector>

#include "file_store.h"

// The adapter between the schema and the local file system; the only file with system calls.
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

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

struct StagedFile {
    std::string target;
    std::string temporary;
};

// Writes the new content beside the target with the target's permissions and flushes it to disk.
bool stage(const FileStore::Replacement& file, StagedFile& staged) {
    staged.target = resolvedPath(file.path);
    std::string pattern = staged.target + ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) {
        return false;
    }
    staged.temporary = name.data();
    struct stat original {};
    bool ok = true;
    if (::stat(staged.target.c_str(), &original) == 0) {
        ok = ::fchmod(fd, original.st_mode & 07777) == 0;
        // Keeping the owner needs privileges that a user seldom has; the content matters more.
        [[maybe_unused]] const int ignored = ::fchown(fd, original.st_uid, original.st_gid);
    }
    ok = ok && writeAll(fd, file.bytes) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (!ok) {
        ::unlink(staged.temporary.c_str());
    }
    return ok;
}

class LocalFileStore final : public FileStore {
  public:
    bool read(const std::string& path, std::string& bytes) override {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            return false;
        }
        bytes.clear();
        char buffer[1 << 16];
        bool ok = true;
        for (;;) {
            const ssize_t got = ::read(fd, buffer, sizeof buffer);
            if (got == 0) {
                break;
            }
            if (got < 0) {
                if (errno == EINTR) {
                    continue;
                }
                ok = false;
                break;
            }
            bytes.append(buffer, static_cast<std::size_t>(got));
        }
        ::close(fd);
        return ok;
    }

    bool replace(std::span<const Replacement> files) override {
        std::vector<StagedFile> staged;
        for (const Replacement& file : files) {
            StagedFile one;
            if (!stage(file, one)) {
                discard(staged);
                return false;
            }
            staged.push_back(std::move(one));
        }
        for (std::size_t i = 0; i < staged.size(); ++i) {
            if (::rename(staged[i].temporary.c_str(), staged[i].target.c_str()) != 0) {
                discard(std::span(staged).subspan(i));
                return false;
            }
            syncDirectory(staged[i].target);
        }
        return true;
    }

  private:
    static void discard(std::span<const StagedFile> staged) {
        for (const StagedFile& file : staged) {
            ::unlink(file.temporary.c_str());
        }
    }

    static void syncDirectory(const std::string& target) {
        const int fd = ::open(directoryOf(target).c_str(), O_RDONLY | O_DIRECTORY);
        if (fd >= 0) {
            ::fsync(fd);
            ::close(fd);
        }
    }
};

}  // namespace

FileStore::~FileStore() = default;

FileStore& localFileStore() {
    static LocalFileStore store;
    return store;
}

}  // namespace quorbel

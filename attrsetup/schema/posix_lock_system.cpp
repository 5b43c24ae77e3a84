#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "schema/lock_system.h"
#include "schema/posix_write_all.h"

namespace quorbel {
namespace {

std::string lockFolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

class PosixLockSystem final : public LockSystem {
  public:
    std::string userName() override {
        if (const passwd* entry = ::getpwuid(::geteuid()); entry != nullptr && entry->pw_name) {
            return entry->pw_name;
        }
        const char* user = std::getenv("USER");
        return user != nullptr ? user : std::to_string(::geteuid());
    }

    std::string hostName() override {
        char name[256] = {};
        if (::gethostname(name, sizeof name - 1) != 0) {
            return "localhost";
        }
        return name;
    }

    std::int64_t processId() override { return ::getpid(); }

    std::int64_t now() override { return static_cast<std::int64_t>(std::time(nullptr)); }

    bool processAlive(std::int64_t pid) override {
        if (pid <= 0) {
            return false;
        }
        // EPERM: it exists but belongs to another user.
        return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
    }

    CreateResult createExclusive(const std::string& path, std::string_view bytes) override {
        // Written under a private name first and then linked to the lock's name: link fails when
        // the name exists, and the lock is never seen without its content.
        std::string pattern = lockFolderOf(path) + "/.quorbel.lock.XXXXXX";
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        const int fd = ::mkstemp(name.data());
        if (fd < 0) {
            return CreateResult::Impossible;
        }
        ::fchmod(fd, 0644);
        const bool written = writeAll(fd, bytes);
        const bool closed = ::close(fd) == 0;
        CreateResult result = CreateResult::Impossible;
        if (written && closed) {
            if (::link(name.data(), path.c_str()) == 0) {
                result = CreateResult::Created;
            } else if (errno == EEXIST) {
                result = CreateResult::Exists;
            }
        }
        ::unlink(name.data());
        return result;
    }

    bool read(const std::string& path, std::string& bytes) override {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            return false;
        }
        bytes.clear();
        char buffer[512];
        ssize_t got = 0;
        while ((got = ::read(fd, buffer, sizeof buffer)) > 0 && bytes.size() < 4096) {
            bytes.append(buffer, static_cast<std::size_t>(got));
        }
        ::close(fd);
        return got >= 0;
    }

    bool remove(const std::string& path) override { return ::unlink(path.c_str()) == 0; }

    std::string localTime(std::int64_t seconds) override {
        const std::time_t time = static_cast<std::time_t>(seconds);
        std::tm local{};
        char text[32] = {};
        if (::localtime_r(&time, &local) == nullptr ||
            std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local) == 0) {
            return std::to_string(seconds);
        }
        return text;
    }
};

}  // namespace

LockSystem::~LockSystem() = default;

LockSystem& localLockSystem() {
    static PosixLockSystem system;
    return system;
}

}  // namespace quorbel

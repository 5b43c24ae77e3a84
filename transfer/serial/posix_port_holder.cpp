#include "serial/posix_port_holder.h"

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <system_error>
#include <vector>

namespace vrk {

namespace {

namespace fs = std::filesystem;

// Where serial programs leave "LCK..name" files holding their pid; the first one that exists is
// where this program writes its own.
constexpr const char* kLockDirs[] = {"/run/lock", "/var/lock"};
constexpr std::string_view kLockPrefix = "LCK..";

bool Alive(long pid) {
    return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
}

std::string ProcessName(long pid) {
    return FirstLine(fs::path("/proc") / std::to_string(pid) / "comm");
}

std::optional<long> ParsePid(const std::string& text) {
    const auto start = text.find_first_not_of(' ');
    if (start == std::string::npos) {
        return std::nullopt;
    }
    try {
        std::size_t used = 0;
        const long pid = std::stol(text.substr(start), &used);
        return pid > 0 ? std::optional<long>(pid) : std::nullopt;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

// The path below /dev with '/' turned into '_' ("pts_3", as other serial programs name it), or
// the last component for a device elsewhere.
std::string LockName(const fs::path& device) {
    std::string relative = device.lexically_relative("/dev").string();
    if (relative.empty() || relative.rfind("..", 0) == 0) {
        return device.filename().string();
    }
    for (char& c : relative) {
        if (c == '/') {
            c = '_';
        }
    }
    return relative;
}

// Both names other programs use for this device: the relative one and the last component.
std::vector<std::string> LockNames(const fs::path& device) {
    std::vector<std::string> names = {LockName(device)};
    if (names.front() != device.filename().string()) {
        names.push_back(device.filename().string());
    }
    return names;
}

struct LiveLock {
    long pid = 0;
    std::string appName;
};

std::optional<LiveLock> ReadLiveLock(const fs::path& lock) {
    std::ifstream in(lock);
    std::string pidLine;
    std::string appLine;
    if (!std::getline(in, pidLine)) {
        return std::nullopt;
    }
    std::getline(in, appLine);
    const auto pid = ParsePid(pidLine);
    if (!pid || !Alive(*pid)) {
        return std::nullopt;  // a stale lock does not stop an open
    }
    return LiveLock{*pid, appLine};
}

bool HolderFromLockFile(const fs::path& device, PortFailure& failure) {
    for (const char* dir : kLockDirs) {
        for (const std::string& name : LockNames(device)) {
            if (auto live = ReadLiveLock(fs::path(dir) / (std::string(kLockPrefix) + name))) {
                const std::string process = ProcessName(live->pid);
                failure.holderPid = live->pid;
                failure.holderName = process.empty() ? live->appName : process;
                return true;
            }
        }
    }
    return false;
}

// A program that opened the device exclusively without a lock file.
bool HolderFromProc(const fs::path& device, PortFailure& failure) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator("/proc", error)) {
        const auto pid = ParsePid(entry.path().filename().string());
        if (!pid || *pid == ::getpid()) {
            continue;
        }
        std::error_code fdError;
        for (const auto& fd : fs::directory_iterator(entry.path() / "fd", fdError)) {
            std::error_code linkError;
            if (fs::read_symlink(fd.path(), linkError) == device) {
                failure.holderPid = *pid;
                failure.holderName = ProcessName(*pid);
                return true;
            }
        }
    }
    return false;
}

std::string OwnUserName() {
    const passwd* user = ::getpwuid(::getuid());
    return user != nullptr ? user->pw_name : std::string();
}

std::string GroupName(gid_t gid) {
    if (gid == 0) {
        return "root";
    }
    const struct group* entry = ::getgrgid(gid);
    return entry != nullptr ? entry->gr_name : std::to_string(gid);
}

std::string SystemText(int error) {
    return std::error_code(error, std::generic_category()).message();
}

}  // namespace

std::string FirstLine(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return line;
}

std::string RealDevicePath(const std::string& device) {
    std::error_code error;
    const fs::path real = fs::canonical(device, error);
    return error ? device : real.string();
}

bool PortLockFile::acquire(const std::string& realDevice) {
    release();
    const std::string name = std::string(kLockPrefix) + LockName(realDevice);
    for (const char* dir : kLockDirs) {
        if (::access(dir, W_OK) != 0) {
            continue;
        }
        const std::string path = std::string(dir) + "/" + name;
        for (int attempt = 0; attempt < 2; ++attempt) {
            const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
            if (fd >= 0) {
                const std::string content = std::to_string(::getpid()) + "\nvrk410\n";
                const bool written = ::write(fd, content.data(), content.size()) ==
                                     static_cast<ssize_t>(content.size());
                ::close(fd);
                if (written) {
                    path_ = path;
                } else {
                    ::unlink(path.c_str());
                }
                return true;
            }
            if (errno != EEXIST) {
                return true;  // no lock can be left here; the open stays exclusive
            }
            if (ReadLiveLock(path)) {
                return false;
            }
            ::unlink(path.c_str());
        }
        return true;
    }
    return true;
}

void PortLockFile::release() {
    if (!path_.empty()) {
        ::unlink(path_.c_str());
        path_.clear();
    }
}

void FindPortHolder(const std::string& device, PortFailure& failure) {
    const fs::path real = RealDevicePath(device);
    if (!HolderFromLockFile(real, failure)) {
        HolderFromProc(real, failure);
    }
}

PortFailure ClassifyOpenFailure(const std::string& device, int error) {
    PortFailure failure;
    failure.systemError = error;
    failure.systemText = SystemText(error);
    struct stat info {};
    if (::stat(device.c_str(), &info) != 0) {
        // A folder on the way the user may not search hides the device: an administrator's
        // matter, like a device of root's.
        failure.status = errno == EACCES ? PortStatus::AccessDenied : PortStatus::Missing;
        return failure;
    }
    switch (error) {
        case ENOENT:
        case ENOTDIR:
            failure.status = PortStatus::Missing;
            break;
        case EACCES:
        case EPERM:
            failure.status = PortStatus::AccessDenied;
            failure.owningGroup = GroupName(info.st_gid);
            failure.userName = OwnUserName();
            break;
        case EBUSY:
            failure.status = PortStatus::Busy;
            FindPortHolder(device, failure);
            break;
        case ENXIO:
        case ENODEV:
            failure.status = PortStatus::Unplugged;
            break;
        default:
            failure.status = PortStatus::IoError;
            break;
    }
    return failure;
}

}  // namespace vrk

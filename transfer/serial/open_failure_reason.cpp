#include "serial/open_failure_reason.h"

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <exception>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

namespace vrk {

namespace {

namespace fs = std::filesystem;

// Where serial programs (QSerialPort among them) leave "LCK..name" files holding their pid.
constexpr const char* kLockDirs[] = {"/run/lock", "/var/lock"};
constexpr std::string_view kLockPrefix = "LCK..";

struct Holder {
    long pid = 0;
    std::string name;  // empty when not readable
};

std::string FirstLine(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return line;
}

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

// The lock-file names other programs use for this device: the last component ("ttyUSB0"), or
// the path below /dev with '/' turned into '_' ("pts_3").
std::vector<std::string> LockNames(const fs::path& device) {
    std::vector<std::string> names = {device.filename().string()};
    std::string relative = device.lexically_relative("/dev").string();
    if (!relative.empty() && relative.rfind("..", 0) != 0) {
        for (char& c : relative) {
            if (c == '/') {
                c = '_';
            }
        }
        names.push_back(relative);
    }
    return names;
}

std::optional<Holder> HolderFromLockFile(const fs::path& device) {
    for (const char* dir : kLockDirs) {
        for (const std::string& name : LockNames(device)) {
            const fs::path lock = fs::path(dir) / (std::string(kLockPrefix) + name);
            std::ifstream in(lock);
            std::string pidLine;
            std::string appLine;
            if (!std::getline(in, pidLine)) {
                continue;
            }
            std::getline(in, appLine);
            const auto pid = ParsePid(pidLine);
            if (!pid || !Alive(*pid)) {
                continue;  // a stale lock does not stop an open
            }
            std::string process = ProcessName(*pid);
            return Holder{*pid, process.empty() ? appLine : process};
        }
    }
    return std::nullopt;
}

// A program that opened the device exclusively without a lock file: look for it among the
// processes whose descriptors this user may read.
std::optional<Holder> HolderFromProc(const fs::path& device) {
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
                return Holder{*pid, ProcessName(*pid)};
            }
        }
    }
    return std::nullopt;
}

std::string InUse(const std::string& device, const std::optional<Holder>& holder) {
    if (!holder) {
        return "设备 " + device + " 正被另一个程序占用：请先关闭使用该串口的程序，再重试。";
    }
    const std::string who = "进程 " + std::to_string(holder->pid) +
                            (holder->name.empty() ? std::string() : "“" + holder->name + "”");
    return "设备 " + device + " 正被另一个程序占用（" + who + "）：请先关闭该程序，再重试。";
}

PortChoiceAdvice& Advice() {
    static PortChoiceAdvice advice{"在“通讯”菜单的“端口映射”中为该端口选择实际存在的设备",
                                   "在“通讯”菜单的“端口映射”中检查该端口对应的设备"};
    return advice;
}

std::string NotFound(const std::string& device) {
    return "设备 " + device + " 不存在：请接好串口线或 USB 转换器，或" + Advice().chooseDevice +
           "。";
}

// A device of root's group, or one behind a folder the user may not search: there is no group
// the user could join, only an administrator can open the device to others.
std::string AdministratorMustGrant(const std::string& device, std::string_view owner) {
    return "没有权限打开设备 " + device + std::string(owner) +
           "：请让管理员授予访问权限，例如用 udev 规则把该设备交给 dialout 组并把用户加入该组。";
}

std::string PermissionDenied(const std::string& device, gid_t owningGroup) {
    if (owningGroup == 0) {
        return AdministratorMustGrant(device, "（属于 root）");
    }
    const struct group* entry = ::getgrgid(owningGroup);
    const std::string groupName = entry != nullptr ? entry->gr_name : std::to_string(owningGroup);
    const passwd* user = ::getpwuid(::getuid());
    const std::string userName = user != nullptr ? user->pw_name : "用户名";
    return "没有权限打开设备 " + device + "（属于用户组 " + groupName + "）：请让管理员把用户 " +
           userName + " 加入 " + groupName + " 组（sudo usermod -aG " + groupName + " " + userName +
           "），然后注销并重新登录。";
}

}  // namespace

void SetPortChoiceAdvice(PortChoiceAdvice advice) {
    Advice() = std::move(advice);
}

std::string OpenFailureReason(const std::string& device, OpenErrorHint hint) {
    struct stat info {};
    if (::stat(device.c_str(), &info) != 0) {
        return errno == EACCES ? AdministratorMustGrant(device, {}) : NotFound(device);
    }
    std::error_code error;
    fs::path real = fs::canonical(device, error);
    if (error) {
        real = device;
    }
    if (auto holder = HolderFromLockFile(real)) {
        return InUse(device, holder);
    }
    if (::access(device.c_str(), R_OK | W_OK) != 0 && errno == EACCES) {
        return PermissionDenied(device, info.st_gid);
    }
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    const int openError = errno;
    if (fd >= 0) {
        ::close(fd);
    } else if (openError == EBUSY) {
        return InUse(device, HolderFromProc(real));
    } else if (openError == ENXIO || openError == ENODEV) {
        return "设备 " + device + " 已不可用：USB 转换器可能已拔出，请重新插好后再试。";
    }
    if (hint == OpenErrorHint::Permission) {
        return InUse(device, HolderFromProc(real));
    }
    if (hint == OpenErrorHint::NotFound) {
        return NotFound(device);
    }
    return "设备 " + device + " 不是可用的串口：请" + Advice().checkDevice + "。";
}

std::string SetParamsFailureReason(const std::string& device, const std::string& lineSettings) {
    return "设备 " + device + " 不接受通讯参数（" + lineSettings +
           "）：它可能不是串口，或其驱动不支持这些参数；请在“通讯参数”中改用其他参数，或检查端口映"
           "射。";
}

std::string BuffersFailureReason(const std::string& device) {
    return "设备 " + device + " 不接受收发缓冲区的设置：请检查端口映射是否指向串口设备。";
}

}  // namespace vrk

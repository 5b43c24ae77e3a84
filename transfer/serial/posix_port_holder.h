#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "serial/port_failure.h"

namespace vrk {

// The first line of a small system file (sysfs, a lock file); empty when it cannot be read.
std::string FirstLine(const std::filesystem::path& file);

// The lock file serial programs leave for a device they hold ("LCK..ttyUSB0", "LCK..pts_3" in
// /run/lock), taken by this program too so that others see the device is in use. Released
// (removed) on destruction.
class PortLockFile {
  public:
    PortLockFile() = default;
    ~PortLockFile() { release(); }
    PortLockFile(const PortLockFile&) = delete;
    PortLockFile& operator=(const PortLockFile&) = delete;

    // False when a live process holds the device; a stale lock is removed. Where no lock folder
    // may be written, the device is opened without a lock file (the open itself is exclusive).
    bool acquire(const std::string& realDevice);
    void release();

  private:
    std::string path_;
};

// Who holds `device`: from a lock file, else from the processes whose descriptors this user may
// read. Fills holderPid and holderName of a Busy failure.
void FindPortHolder(const std::string& device, PortFailure& failure);

// Why open(2) of `device` failed with `error`, looked at on the system: missing, the user's
// groups, a holder, a pulled adapter.
PortFailure ClassifyOpenFailure(const std::string& device, int error);

// The device a path stands for (a symlink made by an emulator or udev resolves to its target):
// one device, one lock.
std::string RealDevicePath(const std::string& device);

}  // namespace vrk

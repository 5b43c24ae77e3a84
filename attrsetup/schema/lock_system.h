#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quorbel {

// What the advisory lock needs of the operating system; one implementation per system
// (posix_lock_system.cpp), so the lock's rules stay plain C++.
class LockSystem {
  public:
    enum class CreateResult { Created, Exists, Impossible };

    virtual ~LockSystem();

    virtual std::string userName() = 0;
    virtual std::string hostName() = 0;
    virtual std::int64_t processId() = 0;
    // Seconds since the epoch.
    virtual std::int64_t now() = 0;
    // Whether a process of this id runs on this machine.
    virtual bool processAlive(std::int64_t pid) = 0;
    // Creates the file with exactly these bytes, all at once: another process never sees it empty
    // or half written. Exists when a file of that name is there already; Impossible when the
    // folder takes no new file (read-only, no rights).
    virtual CreateResult createExclusive(const std::string& path, std::string_view bytes) = 0;
    virtual bool read(const std::string& path, std::string& bytes) = 0;
    virtual bool remove(const std::string& path) = 0;
    // The local time of seconds since the epoch as "2026-12-08 11:40".
    virtual std::string localTime(std::int64_t seconds) = 0;
};

LockSystem& localLockSystem();

}  // namespace quorbel

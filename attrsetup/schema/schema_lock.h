#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "schema/lock_system.h"

namespace quorbel {

// The advisory lock beside INDEX.INI that tells a second administrator, or attrcheck, that the
// files are being edited. Nothing enforces it: the dialog asks, attrcheck refuses, and anyone may
// still open the files read-only.
inline constexpr std::string_view kLockFileName = ".quorbel.lock";
// A lock from another machine is taken over when it is older than this: its process cannot be
// asked whether it still runs.
inline constexpr std::int64_t kForeignLockLifetimeSeconds = 24 * 60 * 60;

struct LockHolder {
    std::string user;
    std::string host;
    std::int64_t pid = 0;
    std::int64_t since = 0;  // seconds since the epoch

    friend bool operator==(const LockHolder&, const LockHolder&) = default;
};

std::string formatLockFile(const LockHolder& holder);
// False when the bytes are not a lock file this program wrote.
bool parseLockFile(std::string_view bytes, LockHolder& holder);

class SchemaLock {
  public:
    enum class State {
        Released,     // not asked yet, or released
        Held,         // this process holds the lock
        HeldByOther,  // a live lock of another process: holder() says whose
        Unavailable,  // the folder takes no lock file; work goes on without one
    };

    explicit SchemaLock(LockSystem& system = localLockSystem());
    ~SchemaLock();
    SchemaLock(const SchemaLock&) = delete;
    SchemaLock& operator=(const SchemaLock&) = delete;

    // Takes the lock in folder, taking over a stale one (its process gone on this machine, or
    // older than a day from another machine).
    State acquire(const std::string& folder);
    // Removes the lock file if it is still this process's own.
    void release();

    State state() const { return m_state; }
    const LockHolder& holder() const { return m_holder; }
    // "user 在 host 上正在编辑属性结构(自 time 起)", UTF-8, for the holder of a HeldByOther lock.
    std::string holderTextUtf8();

  private:
    bool isStale(const LockHolder& other);

    LockSystem& m_system;
    State m_state = State::Released;
    std::string m_path;
    LockHolder m_holder;  // our own while Held, the other's while HeldByOther
};

// A lock in each folder that holds one of the two files: the search path may find INDEX.INI in one
// folder and attribute.def in another, and whoever edits either must be told.
class SchemaLocks {
  public:
    explicit SchemaLocks(LockSystem& system = localLockSystem()) : m_system(system) {}

    // Takes the lock in each folder in turn. HeldByOther at the first folder whose lock another
    // process holds (the locks taken before it stay held until release); Held when this process
    // holds a lock in at least one folder; Unavailable when no folder takes one.
    SchemaLock::State acquire(const std::vector<std::string>& folders);
    void release();
    // The holder's text of the lock another process holds.
    std::string holderTextUtf8();

  private:
    LockSystem& m_system;
    std::vector<std::unique_ptr<SchemaLock>> m_locks;
};

}  // namespace quorbel

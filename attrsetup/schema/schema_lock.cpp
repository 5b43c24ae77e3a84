#include "schema/schema_lock.h"

#include <charconv>

namespace quorbel {
namespace {

constexpr std::string_view kUserKey = "user=";
constexpr std::string_view kHostKey = "host=";
constexpr std::string_view kPidKey = "pid=";
constexpr std::string_view kSinceKey = "since=";
// A lost race with another taker is retried this often before the other one wins.
constexpr int kAttempts = 3;

bool parseNumber(std::string_view text, std::int64_t& number) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    return error == std::errc() && end == text.data() + text.size();
}

}  // namespace

std::string formatLockFile(const LockHolder& holder) {
    std::string text;
    text.append(kUserKey).append(holder.user).append("\n");
    text.append(kHostKey).append(holder.host).append("\n");
    text.append(kPidKey).append(std::to_string(holder.pid)).append("\n");
    text.append(kSinceKey).append(std::to_string(holder.since)).append("\n");
    return text;
}

bool parseLockFile(std::string_view bytes, LockHolder& holder) {
    LockHolder parsed;
    bool user = false;
    bool host = false;
    bool pid = false;
    bool since = false;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (line.starts_with(kUserKey)) {
            parsed.user = std::string(line.substr(kUserKey.size()));
            user = true;
        } else if (line.starts_with(kHostKey)) {
            parsed.host = std::string(line.substr(kHostKey.size()));
            host = true;
        } else if (line.starts_with(kPidKey)) {
            pid = parseNumber(line.substr(kPidKey.size()), parsed.pid);
        } else if (line.starts_with(kSinceKey)) {
            since = parseNumber(line.substr(kSinceKey.size()), parsed.since);
        }
    }
    if (!(user && host && pid && since)) {
        return false;
    }
    holder = std::move(parsed);
    return true;
}

SchemaLock::SchemaLock(LockSystem& system) : m_system(system) {}

SchemaLock::~SchemaLock() {
    release();
}

SchemaLock::State SchemaLock::acquire(const std::string& folder) {
    release();
    m_path = (folder.empty() || folder.back() == '/' ? folder : folder + "/") +
             std::string(kLockFileName);
    const LockHolder own{m_system.userName(), m_system.hostName(), m_system.processId(),
                         m_system.now()};
    const std::string bytes = formatLockFile(own);
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        switch (m_system.createExclusive(m_path, bytes)) {
            case LockSystem::CreateResult::Created:
                m_holder = own;
                return m_state = State::Held;
            case LockSystem::CreateResult::Impossible:
                return m_state = State::Unavailable;
            case LockSystem::CreateResult::Exists:
                break;
        }
        std::string existing;
        LockHolder other;
        if (!m_system.read(m_path, existing)) {
            continue;  // gone meanwhile: try again
        }
        // A file that is no lock of ours (empty, damaged) protects nothing and is taken over.
        if (parseLockFile(existing, other) && !isStale(other)) {
            m_holder = other;
            return m_state = State::HeldByOther;
        }
        m_system.remove(m_path);
    }
    // Others keep taking it: whoever holds it now is told.
    std::string existing;
    LockHolder other;
    if (m_system.read(m_path, existing) && parseLockFile(existing, other)) {
        m_holder = other;
        return m_state = State::HeldByOther;
    }
    return m_state = State::Unavailable;
}

void SchemaLock::release() {
    if (m_state == State::Held) {
        // Only our own: a lock someone took over meanwhile is theirs now.
        std::string existing;
        LockHolder current;
        if (m_system.read(m_path, existing) && parseLockFile(existing, current) &&
            current == m_holder) {
            m_system.remove(m_path);
        }
    }
    m_state = State::Released;
}

bool SchemaLock::isStale(const LockHolder& other) {
    if (other.host == m_system.hostName()) {
        return other.pid == m_system.processId() || !m_system.processAlive(other.pid);
    }
    return m_system.now() - other.since > kForeignLockLifetimeSeconds;
}

std::string SchemaLock::holderTextUtf8() {
    return m_holder.user + " 在 " + m_holder.host + " 上正在编辑属性结构(自 " +
           m_system.localTime(m_holder.since) + " 起)";
}

SchemaLock::State SchemaLocks::acquire(const std::vector<std::string>& folders) {
    release();
    SchemaLock::State result = SchemaLock::State::Unavailable;
    for (const std::string& folder : folders) {
        auto& lock = m_locks.emplace_back(std::make_unique<SchemaLock>(m_system));
        switch (lock->acquire(folder)) {
            case SchemaLock::State::HeldByOther:
                return SchemaLock::State::HeldByOther;
            case SchemaLock::State::Held:
                result = SchemaLock::State::Held;
                break;
            case SchemaLock::State::Released:
            case SchemaLock::State::Unavailable:
                break;
        }
    }
    return result;
}

void SchemaLocks::release() {
    // In reverse: the lock taken last goes first.
    while (!m_locks.empty()) {
        m_locks.pop_back();
    }
}

std::string SchemaLocks::holderTextUtf8() {
    for (const auto& lock : m_locks) {
        if (lock->state() == SchemaLock::State::HeldByOther) {
            return lock->holderTextUtf8();
        }
    }
    return {};
}

}  // namespace quorbel

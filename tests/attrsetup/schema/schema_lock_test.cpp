#include <gtest/gtest.h>

#include <map>
#include <set>

#include "schema/schema_lock.h"

namespace quorbel {
namespace {

constexpr std::int64_t kNow = 1'800'000'000;
constexpr std::int64_t kHour = 3600;

// A machine "here" whose clock, processes and files the test sets.
class FakeLockSystem : public LockSystem {
  public:
    std::map<std::string, std::string> files;
    std::set<std::int64_t> running{100};
    bool folderWritable = true;

    std::string userName() override { return "li"; }
    std::string hostName() override { return "here"; }
    std::int64_t processId() override { return 100; }
    std::int64_t now() override { return kNow; }
    bool processAlive(std::int64_t pid) override { return running.count(pid) != 0; }
    CreateResult createExclusive(const std::string& path, std::string_view bytes) override {
        if (!folderWritable) {
            return CreateResult::Impossible;
        }
        return files.try_emplace(path, bytes).second ? CreateResult::Created : CreateResult::Exists;
    }
    bool read(const std::string& path, std::string& bytes) override {
        const auto it = files.find(path);
        if (it == files.end()) {
            return false;
        }
        bytes = it->second;
        return true;
    }
    bool remove(const std::string& path) override { return files.erase(path) != 0; }
    std::string localTime(std::int64_t seconds) override {
        return seconds == kNow - kHour ? "2027-01-15 07:00" : "?";
    }
};

constexpr const char* kPath = "/s/.quorbel.lock";

TEST(SchemaLockTest, ALiveLockIsReportedAndAStaleOneTakenOver) {
    struct Case {
        const char* what;
        LockHolder existing;
        bool otherRuns;
        SchemaLock::State expected;
    };
    const Case cases[] = {
        {"live process here",
         {"wang", "here", 200, kNow - kHour},
         true,
         SchemaLock::State::HeldByOther},
        {"dead process here", {"wang", "here", 200, kNow - kHour}, false, SchemaLock::State::Held},
        {"our own pid, left over",
         {"li", "here", 100, kNow - kHour},
         true,
         SchemaLock::State::Held},
        {"other host, an hour old",
         {"wang", "there", 200, kNow - kHour},
         false,
         SchemaLock::State::HeldByOther},
        {"other host, two days old",
         {"wang", "there", 200, kNow - 48 * kHour},
         true,
         SchemaLock::State::Held},
    };
    for (const Case& c : cases) {
        FakeLockSystem system;
        system.files[kPath] = formatLockFile(c.existing);
        if (c.otherRuns) {
            system.running.insert(c.existing.pid);
        }
        SchemaLock lock(system);
        EXPECT_EQ(lock.acquire("/s"), c.expected) << c.what;
        if (c.expected == SchemaLock::State::Held) {
            EXPECT_EQ(system.files[kPath], formatLockFile({"li", "here", 100, kNow})) << c.what;
        } else {
            EXPECT_EQ(lock.holder(), c.existing) << c.what;
            EXPECT_EQ(system.files[kPath], formatLockFile(c.existing)) << c.what;
        }
    }
}

TEST(SchemaLockTest, NamesTheHolderAndTakesOverADamagedFile) {
    FakeLockSystem system;
    system.running.insert(7);
    system.files[kPath] = "user=wang\nhost=there\npid=7\nsince=" + std::to_string(kNow - kHour);
    SchemaLock lock(system);
    ASSERT_EQ(lock.acquire("/s/"), SchemaLock::State::HeldByOther);
    EXPECT_EQ(lock.holderTextUtf8(), "wang 在 there 上正在编辑属性结构(自 2027-01-15 07:00 起)");

    system.files[kPath] = "user=wang\npid=x\n";
    EXPECT_EQ(lock.acquire("/s"), SchemaLock::State::Held);
}

TEST(SchemaLockTest, ReleaseRemovesOnlyOurOwnLockAndAReadOnlyFolderHasNone) {
    FakeLockSystem system;
    {
        SchemaLock lock(system);
        ASSERT_EQ(lock.acquire("/s"), SchemaLock::State::Held);
    }
    EXPECT_TRUE(system.files.empty());

    SchemaLock lock(system);
    ASSERT_EQ(lock.acquire("/s"), SchemaLock::State::Held);
    const std::string other = formatLockFile({"wang", "there", 9, kNow});
    system.files[kPath] = other;  // taken over by someone who thought ours stale
    lock.release();
    EXPECT_EQ(system.files[kPath], other);

    FakeLockSystem readOnly;
    readOnly.folderWritable = false;
    SchemaLock none(readOnly);
    EXPECT_EQ(none.acquire("/s"), SchemaLock::State::Unavailable);
    EXPECT_TRUE(readOnly.files.empty());
}

}  // namespace
}  // namespace quorbel

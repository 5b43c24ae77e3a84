// What an ordinary user's write does to files of several owners, groups and modes. The writer runs
// in write_probe under the user's ids, since root ignores file modes; setting the files up needs
// root, so these cases are skipped when the tests do not run as root.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "file_test_support.h"
#include "files/file_result.h"

namespace {

namespace fs = std::filesystem;

constexpr uid_t kUser = 65534;
constexpr gid_t kGroup = 65534;
const std::string kOldBytes = "old\r\n";
const std::string kNewBytes = "P1,,1.000,2.000\r\n";

using filestest::Get;
using filestest::Put;
using filestest::StatOf;

void Own(const fs::path& path, uid_t uid, gid_t gid, mode_t mode) {
    ASSERT_EQ(::chown(path.c_str(), uid, gid), 0) << path;
    ASSERT_EQ(::chmod(path.c_str(), mode), 0) << path;
}

struct Probe {
    vrk::FileFault fault = vrk::FileFault::Io;
    std::string rescue;
};

class WriteAsUser : public ::testing::Test {
  protected:
    fs::path dir;

    void SetUp() override {
        if (::geteuid() != 0) {
            GTEST_SKIP() << "needs root to give files to another user and to drop to that user";
        }
        if (std::system("command -v setpriv >/dev/null 2>&1") != 0) {
            GTEST_SKIP() << "setpriv is not installed";
        }
        dir = fs::temp_directory_path() /
              ("vrk-write-as-user-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir / "own");
        fs::create_directories(dir / "tmp");
        Own(dir, 0, 0, 0755);
        Own(dir / "own", kUser, kGroup, 0755);
        Own(dir / "tmp", kUser, kGroup, 0700);
        Put(dir / "input", kNewBytes);
    }
    void TearDown() override {
        if (!dir.empty()) {
            fs::remove_all(dir);
        }
    }

    // A file of `kOldBytes` with the given owner, group and mode.
    fs::path Make(const fs::path& path, uid_t uid, gid_t gid, mode_t mode) {
        Put(path, kOldBytes);
        Own(path, uid, gid, mode);
        return path;
    }

    Probe Write(const fs::path& path, const char* mode = "write") {
        const std::string command =
            "setpriv --reuid=65534 --regid=65534 --clear-groups env TMPDIR=" +
            (dir / "tmp").string() + " " + WRITE_PROBE + " " + mode + " " + path.string() + " < " +
            (dir / "input").string();
        FILE* pipe = ::popen(command.c_str(), "r");
        std::string output;
        char buffer[512];
        for (std::size_t got = 0;
             pipe != nullptr && (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
            output.append(buffer, got);
        }
        if (pipe != nullptr) {
            ::pclose(pipe);
        }
        std::istringstream lines(output);
        int fault = -1;
        Probe probe;
        lines >> fault;
        probe.fault = static_cast<vrk::FileFault>(fault);
        std::string rest;
        std::getline(lines, rest);
        std::getline(lines, probe.rescue);
        return probe;
    }
};

TEST_F(WriteAsUser, ReadOnlyFilesAreRefusedAndKeptAsTheyWere) {
    const fs::path mine = Make(dir / "own" / "mine.txt", kUser, kGroup, 0444);
    // Another owner's file in the user's own folder: a rename would be allowed, and is not done.
    const fs::path theirs = Make(dir / "own" / "theirs.txt", 0, 0, 0644);
    const ino_t inode = StatOf(theirs).st_ino;
    EXPECT_EQ(Write(mine).fault, vrk::FileFault::Denied);
    EXPECT_EQ(Write(theirs).fault, vrk::FileFault::Denied);
    EXPECT_EQ(Get(mine), kOldBytes);
    EXPECT_EQ(Get(theirs), kOldBytes);
    EXPECT_EQ(StatOf(mine).st_mode & 07777, 0444u);
    EXPECT_EQ(StatOf(theirs).st_ino, inode);
    EXPECT_EQ(StatOf(theirs).st_uid, 0u);
}

TEST_F(WriteAsUser, ModeAndGroupAreKept) {
    const fs::path staged = Make(dir / "own" / "staged.txt", kUser, kGroup, 0604);
    // Group root: the user is not in it and could not give it to a new file.
    const fs::path rootGroup = Make(dir / "own" / "root-group.txt", kUser, 0, 0664);
    // The folder is root's: the file is the user's to write, but no new name can be made there.
    const fs::path shared = Make(dir / "shared.txt", kUser, kGroup, 0640);
    const ino_t stagedInode = StatOf(staged).st_ino;
    const ino_t rootGroupInode = StatOf(rootGroup).st_ino;
    const ino_t sharedInode = StatOf(shared).st_ino;
    for (const fs::path& path : {staged, rootGroup, shared}) {
        EXPECT_EQ(Write(path).fault, vrk::FileFault::None) << path;
        EXPECT_EQ(Get(path), kNewBytes) << path;
    }
    EXPECT_NE(StatOf(staged).st_ino, stagedInode);
    EXPECT_EQ(StatOf(staged).st_mode & 07777, 0604u);
    EXPECT_EQ(StatOf(staged).st_gid, kGroup);
    EXPECT_EQ(StatOf(rootGroup).st_ino, rootGroupInode);
    EXPECT_EQ(StatOf(rootGroup).st_mode & 07777, 0664u);
    EXPECT_EQ(StatOf(rootGroup).st_gid, 0u);
    EXPECT_EQ(StatOf(shared).st_ino, sharedInode);
    EXPECT_EQ(StatOf(shared).st_mode & 07777, 0640u);
}

// A finished file (an export's) replaces the earlier one by a rename only where the writer would
// rename too; a file the user may not replace stays, and one of another group is written in place.
TEST_F(WriteAsUser, FinishedFilesFollowTheWritersRules) {
    const fs::path readOnly = Make(dir / "own" / "read-only.gpkg", kUser, kGroup, 0444);
    const fs::path theirs = Make(dir / "own" / "theirs.gpkg", 0, 0, 0644);
    const fs::path mine = Make(dir / "own" / "mine.gpkg", kUser, kGroup, 0604);
    const fs::path rootGroup = Make(dir / "own" / "root-group.gpkg", kUser, 0, 0664);
    const ino_t theirsInode = StatOf(theirs).st_ino;
    const ino_t mineInode = StatOf(mine).st_ino;
    const ino_t rootGroupInode = StatOf(rootGroup).st_ino;

    EXPECT_EQ(Write(readOnly, "move").fault, vrk::FileFault::Denied);
    EXPECT_EQ(Write(theirs, "move").fault, vrk::FileFault::Denied);
    EXPECT_EQ(Get(readOnly), kOldBytes);
    EXPECT_EQ(StatOf(readOnly).st_mode & 07777, 0444u);
    EXPECT_EQ(Get(theirs), kOldBytes);
    EXPECT_EQ(StatOf(theirs).st_ino, theirsInode);

    for (const fs::path& path : {mine, rootGroup}) {
        EXPECT_EQ(Write(path, "move").fault, vrk::FileFault::None) << path;
        EXPECT_EQ(Get(path), kNewBytes) << path;
        EXPECT_FALSE(fs::exists(path.string() + ".finished")) << path;
    }
    EXPECT_NE(StatOf(mine).st_ino, mineInode);
    EXPECT_EQ(StatOf(mine).st_mode & 07777, 0604u);
    EXPECT_EQ(StatOf(rootGroup).st_ino, rootGroupInode);
    EXPECT_EQ(StatOf(rootGroup).st_gid, 0u);
    EXPECT_EQ(StatOf(rootGroup).st_mode & 07777, 0664u);
}

TEST_F(WriteAsUser, WhatCannotGoWhereItWasMeantGoesToTheTemporaryFolder) {
    const fs::path target = Make(dir / "own" / "download.txt", kUser, kGroup, 0444);
    const Probe probe = Write(target, "rescue");
    EXPECT_EQ(probe.fault, vrk::FileFault::Denied);
    EXPECT_EQ(Get(target), kOldBytes);
    ASSERT_EQ(fs::path(probe.rescue).parent_path(), dir / "tmp") << probe.rescue;
    EXPECT_EQ(fs::path(probe.rescue).filename().string().rfind("vrk410-download-", 0), 0u);
    EXPECT_EQ(Get(probe.rescue), kNewBytes);
    EXPECT_EQ(StatOf(probe.rescue).st_mode & 07777, 0600u);
    EXPECT_EQ(StatOf(probe.rescue).st_uid, kUser);
}

}  // namespace

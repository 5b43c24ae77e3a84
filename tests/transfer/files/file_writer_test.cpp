// The writer through its system-call seam: what each failure leaves on the disk, and what the user
// is told about it.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "file_test_support.h"
#include "files/file_failure_reason.h"
#include "files/file_reader.h"
#include "files/file_writer.h"
#include "files/posix_file_access.h"

namespace {

namespace fs = std::filesystem;
using vrk::FileFault;
using vrk::FileResult;

const std::string kOld = "P1,,100.000,200.000\r\n";
// Longer than the old bytes, so a write cut short leaves a file of a third length.
const std::string kNew = "P1,,100.000,200.000,10.000\r\n\xB5\xE3\r\n";

using filestest::Get;
using filestest::Put;
using filestest::StatOf;

std::size_t Entries(const fs::path& dir) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), {}));
}

class Folder : public ::testing::Test {
  protected:
    fs::path dir;
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("vrk-files-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string At(const char* name) const { return (dir / name).string(); }
};

// Writes go through up to `cutAt` bytes in all (the last one short), then fail with `error`;
// after that, further writes fail too unless `restoreWorks`.
class CuttingCalls : public vrk::PosixFileCalls {
  public:
    CuttingCalls(std::size_t cutAt, int error, bool restoreWorks)
        : cutAt_(cutAt), error_(error), restoreWorks_(restoreWorks) {}

    ssize_t Write(int fd, const void* bytes, std::size_t size) override {
        if (cut_ && !restoreWorks_) {
            errno = error_;
            return -1;
        }
        if (!cut_) {
            if (written_ == cutAt_) {
                cut_ = true;
                errno = error_;
                return -1;
            }
            size = std::min(size, cutAt_ - written_);
        }
        const ssize_t done = PosixFileCalls::Write(fd, bytes, size);
        if (!cut_ && done > 0) {
            written_ += static_cast<std::size_t>(done);
        }
        return done;
    }
    bool cut() const { return cut_; }

  private:
    std::size_t cutAt_;
    int error_;
    bool restoreWorks_;
    std::size_t written_ = 0;
    bool cut_ = false;
};

TEST_F(Folder, NewFileTakesTheUmaskWhichStaysAsItWas) {
    const mode_t before = ::umask(027);
    const FileResult result = vrk::WriteFile(At("new.delf"), kNew);
    const mode_t after = ::umask(before);
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_EQ(after, 027u);
    EXPECT_EQ(Get(dir / "new.delf"), kNew);
    EXPECT_EQ(StatOf(dir / "new.delf").st_mode & 07777, 0640u);
    EXPECT_EQ(Entries(dir), 1u);
}

TEST_F(Folder, LinksStayLinksAndADanglingOneIsRefused) {
    Put(dir / "real.txt", kOld);
    fs::create_symlink("real.txt", dir / "link.txt");
    ASSERT_TRUE(vrk::WriteFile(At("link.txt"), kNew).ok());
    EXPECT_TRUE(fs::is_symlink(dir / "link.txt"));
    EXPECT_EQ(Get(dir / "real.txt"), kNew);

    fs::create_symlink("gone.txt", dir / "dangling.txt");
    const FileResult dangling = vrk::WriteFile(At("dangling.txt"), kNew);
    EXPECT_EQ(dangling.fault, FileFault::DanglingLink);
    EXPECT_TRUE(fs::is_symlink(dir / "dangling.txt"));
    EXPECT_FALSE(fs::exists(dir / "gone.txt"));
    EXPECT_EQ(vrk::WriteFailureReason(dangling, "/d/dangling.txt"),
              "/d/dangling.txt 是一个链接，它指向的文件不存在；为了不把链接换成文件，没有保存。");
}

// Also for root, which the mode does not stop: the file was marked read-only on purpose.
TEST_F(Folder, ReadOnlyFileIsNeverTouched) {
    Put(dir / "kept.txt", kOld);
    ::chmod((dir / "kept.txt").c_str(), 0444);
    const ino_t inode = StatOf(dir / "kept.txt").st_ino;
    const FileResult result = vrk::WriteFile(At("kept.txt"), kNew);
    EXPECT_EQ(result.fault, FileFault::Denied);
    EXPECT_FALSE(result.damaged);
    EXPECT_EQ(Get(dir / "kept.txt"), kOld);
    EXPECT_EQ(StatOf(dir / "kept.txt").st_ino, inode);
    EXPECT_EQ(vrk::CheckWritable(At("kept.txt")).fault, FileFault::Denied);
}

TEST_F(Folder, StagedWriteCutShortAtEveryOffsetLeavesTheOldFile) {
    Put(dir / "survey.delf", kOld);
    ::chmod((dir / "survey.delf").c_str(), 0640);
    for (std::size_t cut = 0; cut < kNew.size(); ++cut) {
        CuttingCalls calls(cut, ENOSPC, true);
        const FileResult result = vrk::WriteFileWith(calls, At("survey.delf"), kNew);
        ASSERT_EQ(result.fault, FileFault::DiskFull) << cut;
        EXPECT_FALSE(result.damaged);
        EXPECT_EQ(Get(dir / "survey.delf"), kOld) << cut;
        EXPECT_EQ(Entries(dir), 1u) << "no staged copy left behind after a cut at " << cut;
    }
    CuttingCalls whole(kNew.size(), ENOSPC, true);
    const ino_t inode = StatOf(dir / "survey.delf").st_ino;
    ASSERT_TRUE(vrk::WriteFileWith(whole, At("survey.delf"), kNew).ok());
    EXPECT_EQ(Get(dir / "survey.delf"), kNew);
    EXPECT_NE(StatOf(dir / "survey.delf").st_ino, inode) << "a complete copy renamed over it";
    EXPECT_EQ(StatOf(dir / "survey.delf").st_mode & 07777, 0640u);
}

// A second hard link would be split off by a rename, so the file is written where it is.
TEST_F(Folder, InPlaceWriteCutShortAtEveryOffsetIsRestoredByteForByte) {
    Put(dir / "survey.delf", kOld);
    fs::create_hard_link(dir / "survey.delf", dir / "other-name.delf");
    for (std::size_t cut = 0; cut < kNew.size(); ++cut) {
        CuttingCalls calls(cut, EIO, true);
        const FileResult result = vrk::WriteFileWith(calls, At("survey.delf"), kNew);
        ASSERT_EQ(result.fault, FileFault::Io) << cut;
        EXPECT_FALSE(result.damaged) << cut;
        EXPECT_EQ(Get(dir / "other-name.delf"), kOld) << cut;
    }
    ASSERT_TRUE(vrk::WriteFile(At("survey.delf"), kNew).ok());
    EXPECT_EQ(Get(dir / "other-name.delf"), kNew);
    EXPECT_EQ(StatOf(dir / "survey.delf").st_nlink, 2u);
    EXPECT_EQ(Entries(dir), 2u);
}

TEST_F(Folder, InPlaceWriteThatCannotBeRestoredIsCalledDamaged) {
    Put(dir / "survey.delf", kOld);
    fs::create_hard_link(dir / "survey.delf", dir / "other-name.delf");
    CuttingCalls calls(5, EIO, false);
    const FileResult result = vrk::WriteFileWith(calls, At("survey.delf"), kNew);
    EXPECT_EQ(result.fault, FileFault::Io);
    EXPECT_EQ(result.error, EIO);
    EXPECT_TRUE(result.damaged);
    EXPECT_EQ(vrk::WriteFailureReason(result, "/data/survey.delf"),
              "写入文件 /data/survey.delf 时出错，磁盘可能已满或已断开。\n"
              "文件 /data/survey.delf 可能已损坏：新内容没有写完，原来的内容也没能恢复。");
}

// Every call the writer and reader make is interrupted once before it goes through.
class InterruptingCalls : public vrk::PosixFileCalls {
  public:
    int Open(const char* path, int flags, mode_t mode) override {
        return Interrupted() ? -1 : PosixFileCalls::Open(path, flags, mode);
    }
    ssize_t Read(int fd, void* buffer, std::size_t size) override {
        return Interrupted() ? -1 : PosixFileCalls::Read(fd, buffer, size);
    }
    ssize_t Write(int fd, const void* bytes, std::size_t size) override {
        return Interrupted() ? -1
                             : PosixFileCalls::Write(fd, bytes, std::min<std::size_t>(size, 3));
    }
    int Sync(int fd) override { return Interrupted() ? -1 : PosixFileCalls::Sync(fd); }
    int Truncate(int fd, off_t size) override {
        return Interrupted() ? -1 : PosixFileCalls::Truncate(fd, size);
    }
    int Reserve(int fd, off_t size) override {
        return Interrupted() ? -1 : PosixFileCalls::Reserve(fd, size);
    }
    int Rename(const char* from, const char* to) override {
        return Interrupted() ? -1 : PosixFileCalls::Rename(from, to);
    }
    int LinkStat(const char* path, struct stat* info) override {
        return Interrupted() ? -1 : PosixFileCalls::LinkStat(path, info);
    }
    int interruptions = 0;

  private:
    bool Interrupted() {
        interrupt_ = !interrupt_;
        if (interrupt_) {
            ++interruptions;
            errno = EINTR;
        }
        return interrupt_;
    }
    bool interrupt_ = false;
};

TEST_F(Folder, InterruptedAndShortCallsAreCarriedOnBothWays) {
    InterruptingCalls calls;
    ASSERT_TRUE(vrk::WriteFileWith(calls, At("staged.delf"), kNew).ok());
    EXPECT_EQ(Get(dir / "staged.delf"), kNew);
    fs::create_hard_link(dir / "staged.delf", dir / "in-place.delf");
    ASSERT_TRUE(vrk::WriteFileWith(calls, At("in-place.delf"), kOld).ok());
    EXPECT_EQ(Get(dir / "staged.delf"), kOld);
    std::string read;
    ASSERT_TRUE(vrk::ReadFileWith(calls, At("in-place.delf"), read, 1024).ok());
    EXPECT_EQ(read, kOld);
    EXPECT_GT(calls.interruptions, 20);
}

class FailingCalls : public vrk::PosixFileCalls {
  public:
    ssize_t Write(int fd, const void* bytes, std::size_t size) override {
        ++writes;
        return zeroWrite ? 0 : PosixFileCalls::Write(fd, bytes, size);
    }
    int Reserve(int, off_t) override {
        errno = ENOSPC;
        return -1;
    }
    bool zeroWrite = false;
    int writes = 0;
};

TEST_F(Folder, NoRoomIsFoundBeforeTheFileChangesAndAWriteOfNothingEnds) {
    Put(dir / "survey.delf", kOld);
    fs::create_hard_link(dir / "survey.delf", dir / "other-name.delf");
    FailingCalls calls;
    const FileResult full = vrk::WriteFileWith(calls, At("survey.delf"), kNew);
    EXPECT_EQ(full.fault, FileFault::DiskFull);
    EXPECT_EQ(calls.writes, 0);
    EXPECT_EQ(Get(dir / "survey.delf"), kOld);
    EXPECT_EQ(vrk::WriteFailureReason(full, "/data/survey.delf"),
              "磁盘已满：文件夹 /data 所在的磁盘没有足够的空间。");

    calls.zeroWrite = true;
    const FileResult stuck = vrk::WriteFileWith(calls, At("new.delf"), kNew);
    EXPECT_EQ(stuck.fault, FileFault::Io);
    EXPECT_FALSE(fs::exists(dir / "new.delf"));
    EXPECT_EQ(Entries(dir), 2u);
}

TEST_F(Folder, ReadAndWriteFailuresSayWhatAndWhere) {
    fs::create_directory(dir / "sub");
    std::string bytes;
    const FileResult missing = vrk::ReadFile(At("nothing.txt"), bytes);
    const FileResult noFolder = vrk::ReadFile(At("gone/nothing.txt"), bytes);
    const FileResult folder = vrk::ReadFile(At("sub"), bytes);
    Put(dir / "big.txt", std::string(11, 'x'));
    const FileResult big = vrk::ReadFile(At("big.txt"), bytes, 10);
    EXPECT_EQ(vrk::ReadFailureReason(missing, "D:\\测量\\nothing.txt"),
              "文件 D:\\测量\\nothing.txt 不存在。");
    EXPECT_EQ(vrk::ReadFailureReason(noFolder, "/d/gone/nothing.txt"), "文件夹 /d/gone 不存在。");
    EXPECT_EQ(vrk::ReadFailureReason(folder, "/d/sub"), "/d/sub 是文件夹，不是文件。");
    EXPECT_EQ(big.fault, FileFault::TooLarge);
    EXPECT_TRUE(bytes.empty());
    ASSERT_TRUE(vrk::ReadFile(At("big.txt"), bytes, 11).ok());
    EXPECT_EQ(bytes, std::string(11, 'x'));

    const FileResult toFolder = vrk::WriteFile(At("sub"), kNew);
    const FileResult noWriteFolder = vrk::WriteFile(At("gone/new.txt"), kNew);
    EXPECT_EQ(vrk::WriteFailureReason(toFolder, "/d/sub"), "/d/sub 是文件夹，不是文件。");
    EXPECT_EQ(vrk::WriteFailureReason(noWriteFolder, "/d/gone/new.txt"), "文件夹 /d/gone 不存在。");
    EXPECT_EQ(vrk::CheckWritable(At("gone/new.txt")).fault, FileFault::FolderMissing);
    EXPECT_TRUE(vrk::CheckWritable(At("new.txt")).ok());
    EXPECT_EQ(vrk::WriteFailureReason({FileFault::FolderDenied, EACCES, false}, "/d/x"),
              "没有在文件夹 /d 中保存文件的权限。");
    EXPECT_EQ(vrk::WriteFailureReason({FileFault::ReadOnlyDisk, EROFS, false}, "/d/x"),
              "文件夹 /d 所在的磁盘是只读的。");
}

}  // namespace

#include "cli/file_bytes.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

class FileBytes : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("file-bytes-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string path(const std::string& name) const { return (dir_ / name).string(); }
    fs::path dir_;
};

TEST_F(FileBytes, AShorterTextReplacesALongerOneExactlyAndLeavesNothingBeside) {
    const std::string longer(100000, 'x');
    // GBK bytes, a NUL and CR LF pass untouched.
    const std::string shorter("P1,\xB5\xE3\x00,1.000\r\n", 17);
    ASSERT_TRUE(vrk::cli::WriteFileBytes(path("out.txt"), longer));
    ASSERT_TRUE(vrk::cli::WriteFileBytes(path("out.txt"), shorter));
    std::string read;
    ASSERT_TRUE(vrk::cli::ReadFileBytes(path("out.txt"), read));
    EXPECT_EQ(read, shorter);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1)
        << "no staged copy is left in the folder";
}

TEST_F(FileBytes, AMissingFolderOrFileIsRefusedWithoutCreatingAnything) {
    std::string read = "kept";
    EXPECT_FALSE(vrk::cli::ReadFileBytes(path("missing.txt"), read));
    EXPECT_FALSE(vrk::cli::ReadFileBytes(dir_.string(), read)) << "a folder is not a file";
    EXPECT_FALSE(vrk::cli::CanWriteFile(path("no-such-folder/out.txt")));
    EXPECT_FALSE(vrk::cli::WriteFileBytes(path("no-such-folder/out.txt"), "bytes"));
    EXPECT_TRUE(fs::is_empty(dir_));
}

}  // namespace

// What an ordinary user's save does to files and folders of the support path. The rewrite runs in
// attrcheck under an ordinary user's ids, since root ignores file modes; setting the files up for
// another owner needs root, so these cases are skipped when the tests do not run as root.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

namespace fs = std::filesystem;

constexpr uid_t kUser = 65534;
constexpr gid_t kGroup = 65534;
const std::string kIndex = "1301,gc1,0,a,0\n; remark\nEND\n";
const std::string kDef = "*T,1,d\n[END]\n";
const std::string kIndexSaved = "1301,gc1,0.0000,a,0\r\nEND\r\n";
const std::string kDefSaved = "*T,1,d\r\n\r\n[END]\r\n";

void writeFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct stat statOf(const fs::path& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info;
}

void own(const fs::path& path, uid_t uid, gid_t gid, mode_t mode) {
    ASSERT_EQ(::chown(path.c_str(), uid, gid), 0) << path;
    ASSERT_EQ(::chmod(path.c_str(), mode), 0) << path;
}

class RewriteAsUser : public ::testing::Test {
  protected:
    fs::path dir;
    std::string output;

    void SetUp() override {
        if (::geteuid() != 0) {
            GTEST_SKIP() << "needs root to give files to another user and to drop to that user";
        }
        if (std::system("command -v setpriv >/dev/null 2>&1") != 0) {
            GTEST_SKIP() << "setpriv is not installed";
        }
        dir = fs::temp_directory_path() /
              ("rewrite-as-user-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir / "support");
        own(dir, 0, 0, 0755);
        writeFile(dir / "support" / "INDEX.INI", kIndex);
        writeFile(dir / "support" / "attribute.def", kDef);
        for (const char* name : {"INDEX.INI", "attribute.def"}) {
            own(dir / "support" / name, kUser, kGroup, 0644);
        }
        own(dir / "support", kUser, kGroup, 0755);
    }
    void TearDown() override {
        if (!dir.empty()) {
            fs::remove_all(dir);
        }
    }

    // attrcheck --rewrite as the ordinary user; true when it saved.
    bool rewrite() {
        const std::string command = "setpriv --reuid=65534 --regid=65534 --clear-groups " +
                                    std::string(ATTRCHECK_PATH) + " --support-path " +
                                    (dir / "support").string() + " --rewrite 2>&1";
        FILE* pipe = ::popen(command.c_str(), "r");
        if (pipe == nullptr) {
            return false;
        }
        char buffer[512];
        std::size_t got = 0;
        while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
            output.append(buffer, got);
        }
        return ::pclose(pipe) == 0;
    }
    std::size_t entries() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir / "support"), {}));
    }
};

TEST_F(RewriteAsUser, ReadOnlyFileIsNamedAndNeitherFileIsWritten) {
    ::chmod((dir / "support" / "INDEX.INI").c_str(), 0444);
    EXPECT_FALSE(rewrite()) << output;
    EXPECT_NE(output.find("INDEX.INI文件是只读的,不能写入!"), std::string::npos) << output;
    EXPECT_EQ(readFile(dir / "support" / "INDEX.INI"), kIndex);
    EXPECT_EQ(readFile(dir / "support" / "attribute.def"), kDef);
    EXPECT_EQ(statOf(dir / "support" / "INDEX.INI").st_mode & 07777, 0444u);

    // Another owner's file that refuses the user, in the user's own folder.
    ::chmod((dir / "support" / "INDEX.INI").c_str(), 0644);
    own(dir / "support" / "attribute.def", 0, 0, 0644);
    output.clear();
    EXPECT_FALSE(rewrite()) << output;
    EXPECT_NE(output.find("attribute.def文件是只读的,不能写入!"), std::string::npos) << output;
    EXPECT_EQ(readFile(dir / "support" / "INDEX.INI"), kIndex);
}

TEST_F(RewriteAsUser, WritableFilesInAReadOnlyFolderAreWrittenInPlace) {
    own(dir / "support", 0, 0, 0755);
    const ino_t before = statOf(dir / "support" / "INDEX.INI").st_ino;
    EXPECT_TRUE(rewrite()) << output;
    EXPECT_EQ(readFile(dir / "support" / "INDEX.INI"), kIndexSaved);
    EXPECT_EQ(readFile(dir / "support" / "attribute.def"), kDefSaved);
    EXPECT_EQ(statOf(dir / "support" / "INDEX.INI").st_ino, before);
    EXPECT_EQ(entries(), 2u);
}

TEST_F(RewriteAsUser, AnotherOwnersFileAndAHardLinkedFileKeepOwnerAndLinks) {
    own(dir / "support" / "INDEX.INI", 0, 0, 0646);
    fs::create_hard_link(dir / "support" / "attribute.def", dir / "shared.def");
    EXPECT_TRUE(rewrite()) << output;
    const struct stat index = statOf(dir / "support" / "INDEX.INI");
    EXPECT_EQ(readFile(dir / "support" / "INDEX.INI"), kIndexSaved);
    EXPECT_EQ(index.st_uid, 0u);
    EXPECT_EQ(index.st_gid, 0u);
    EXPECT_EQ(index.st_mode & 07777, 0646u);
    EXPECT_EQ(statOf(dir / "support" / "attribute.def").st_nlink, 2u);
    EXPECT_EQ(readFile(dir / "shared.def"), kDefSaved);
    EXPECT_EQ(entries(), 2u);
}

TEST_F(RewriteAsUser, TheUsersOwnFileInItsOwnFolderIsStillReplacedWhole) {
    const ino_t before = statOf(dir / "support" / "INDEX.INI").st_ino;
    EXPECT_TRUE(rewrite()) << output;
    const struct stat index = statOf(dir / "support" / "INDEX.INI");
    EXPECT_EQ(readFile(dir / "support" / "INDEX.INI"), kIndexSaved);
    EXPECT_NE(index.st_ino, before);
    EXPECT_EQ(index.st_uid, kUser);
    EXPECT_EQ(index.st_mode & 07777, 0644u);
    EXPECT_EQ(entries(), 2u);
}

}  // namespace

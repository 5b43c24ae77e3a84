#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "schema/attribute_schema.h"
#include "schema/file_store.h"
#include "schema/posix_write_all.h"
#include "schema/search_path_finder.h"
#include "schema_test_support.h"

namespace quorbel {
namespace {

namespace fs = std::filesystem;

void writeFile(const fs::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A host over a real directory, found the way attrcheck finds it.
class DirectoryHost : public HostServices {
  public:
    explicit DirectoryHost(std::vector<fs::path> dirs) : finder(std::move(dirs)) {}
    SearchPathFinder finder;
    std::vector<std::string> printed;
    int findFile(std::string_view name, std::string& fullPath) override {
        return finder.findFile(name, fullPath);
    }
    void print(std::string_view text) override { printed.emplace_back(text); }
};

class LocalFilesTest : public ::testing::Test {
  protected:
    fs::path root;

    void SetUp() override {
        root = fs::temp_directory_path() /
               ("schema-test-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        fs::create_directories(root / "a");
        fs::create_directories(root / "b");
    }
    void TearDown() override {
        fs::permissions(root / "a", fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(root);
    }
    std::size_t entriesIn(const fs::path& dir) {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), {}));
    }
};

TEST_F(LocalFilesTest, SearchIgnoresLetterCaseAndTakesTheFirstDirectory) {
    writeFile(root / "a" / "INDEX.INI", "x");
    writeFile(root / "b" / "index.ini", "y");
    writeFile(root / "b" / "Attribute.Def", "z");
    fs::create_directories(root / "a" / "attribute.def");  // a directory is not a file
    SearchPathFinder finder({root / "missing", root / "a", root / "b"});
    std::string path;
    ASSERT_EQ(finder.findFile("index.ini", path), RTNORM);
    EXPECT_EQ(path, (root / "a" / "INDEX.INI").string());
    ASSERT_EQ(finder.findFile("attribute.def", path), RTNORM);
    EXPECT_EQ(path, (root / "b" / "Attribute.Def").string());
    EXPECT_NE(finder.findFile("other.txt", path), RTNORM);
    EXPECT_NE(finder.findFile("", path), RTNORM);
    EXPECT_EQ(SearchPathFinder::parseSearchPath("/x::/y:"), (std::vector<fs::path>{"/x", "/y"}));
}

TEST_F(LocalFilesTest, SaveKeepsPermissionsAndSymlinks) {
    writeFile(root / "b" / "real.def", "*T,1,d\n[END]\n");
    fs::create_symlink(root / "b" / "real.def", root / "a" / "attribute.def");
    writeFile(root / "a" / "index.ini", "1301,gc1,0,a,0\nEND\n");
    fs::permissions(root / "a" / "index.ini", fs::perms(0640));
    DirectoryHost host({root / "a"});
    AttributeSchema schema(host);
    ASSERT_TRUE(schema.loadSchema());
    schema.assignFeature("1301", "T");
    ASSERT_TRUE(schema.saveSchema());
    EXPECT_TRUE(fs::is_symlink(root / "a" / "attribute.def"));
    EXPECT_EQ(readFile(root / "b" / "real.def"), "*T,1,d\r\n\r\n[END]\r\n");
    EXPECT_EQ(readFile(root / "a" / "index.ini"), "1301,gc1,0.0000,a,0,T\r\nEND\r\n");
    EXPECT_EQ(fs::status(root / "a" / "index.ini").permissions() & fs::perms::all, fs::perms(0640));
    EXPECT_EQ(entriesIn(root / "a"), 2u);
    EXPECT_EQ(entriesIn(root / "b"), 1u);
}

TEST_F(LocalFilesTest, FullDiskLeavesBothOldFilesWhole) {
    const std::string oldIndex = "1301,gc1,0,a,0\r\nEND\r\n";
    const std::string oldDef = "*T,1,d\r\n\r\n[END]\r\n";
    writeFile(root / "a" / "index.ini", oldIndex);
    writeFile(root / "a" / "attribute.def", oldDef);
    DirectoryHost host({root / "a"});
    AttributeSchema schema(host);
    ASSERT_TRUE(schema.loadSchema());
    schema.insertTableAfter(std::nullopt, {std::string(4096, 'x'), 1, "NULL", "", {}});

    // A file size limit makes writes fail with EFBIG as a full disk fails them with ENOSPC.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 1024;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved_ok = schema.saveSchema();
    ::setrlimit(RLIMIT_FSIZE, &saved);

    EXPECT_FALSE(saved_ok);
    EXPECT_EQ(readFile(root / "a" / "index.ini"), oldIndex);
    EXPECT_EQ(readFile(root / "a" / "attribute.def"), oldDef);
    EXPECT_EQ(entriesIn(root / "a"), 2u);
    EXPECT_EQ(host.printed.size(), 1u);
}

// Without SIGXFSZ ignored, as in a host that never heard of it: a staged copy past the limit
// would end the process.
TEST_F(LocalFilesTest, FileSizeLimitFailsTheSaveAndKeepsTheProcess) {
    writeFile(root / "a" / "index.ini", "1301,gc1,0,a,0\r\nEND\r\n");
    writeFile(root / "a" / "attribute.def", "*T,1,d\r\n\r\n[END]\r\n");
    const auto saveUnderLimit = [this] {
        DirectoryHost host({root / "a"});
        AttributeSchema schema(host);
        if (!schema.loadSchema()) {
            std::_Exit(2);
        }
        schema.insertTableAfter(std::nullopt, {std::string(4096, 'x'), 1, "NULL", "", {}});
        rlimit small{};
        ::getrlimit(RLIMIT_FSIZE, &small);
        small.rlim_cur = 1024;
        ::setrlimit(RLIMIT_FSIZE, &small);
        std::_Exit(schema.saveSchema() ? 1 : 0);
    };
    EXPECT_EXIT(saveUnderLimit(), ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(readFile(root / "a" / "attribute.def"), "*T,1,d\r\n\r\n[END]\r\n");
    EXPECT_EQ(entriesIn(root / "a"), 2u);
}

TEST(WriteAllTest, AWriteWithoutProgressFailsInsteadOfLoopingAndShortWritesGoOn) {
    static int calls = 0;
    calls = 0;
    const WriteCall stuck = [](int, const void*, std::size_t) -> ssize_t {
        ++calls;
        return 0;
    };
    EXPECT_FALSE(writeAll(-1, "abc", stuck));
    EXPECT_EQ(calls, 1);

    static std::string written;
    written.clear();
    const WriteCall oneByteAtATime = [](int, const void* data, std::size_t) -> ssize_t {
        if (written.size() == 1 && errno != EINTR) {
            errno = EINTR;
            return -1;
        }
        written += *static_cast<const char*>(data);
        return 1;
    };
    errno = 0;
    EXPECT_TRUE(writeAll(-1, "abc", oneByteAtATime));
    EXPECT_EQ(written, "abc");
}

TEST_F(LocalFilesTest, ChangesByOthersAreSeenEvenWithSizeAndTimeKeptAndSavingForgetsThem) {
    writeFile(root / "a" / "index.ini", "1301,gc1,0,a,0\r\nEND\r\n");
    writeFile(root / "a" / "attribute.def", "*T,1,d\r\n\r\n[END]\r\n");
    DirectoryHost host({root / "a"});
    AttributeSchema schema(host);
    ASSERT_TRUE(schema.loadSchema());
    EXPECT_TRUE(schema.changedOnDisk().empty());
    EXPECT_EQ(schema.indexIniFolder(), (root / "a").string());

    // Same size, and the old modification time put back: only the bytes tell.
    struct stat before {};
    ::stat((root / "a" / "attribute.def").c_str(), &before);
    writeFile(root / "a" / "attribute.def", "*U,1,d\r\n\r\n[END]\r\n");
    const timespec times[2] = {before.st_atim, before.st_mtim};
    ::utimensat(AT_FDCWD, (root / "a" / "attribute.def").c_str(), times, 0);
    auto changed = schema.changedOnDisk();
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0].name, "attribute.def");

    writeFile(root / "a" / "index.ini", "1301,gc1,0,a,0,T\r\nEND\r\n");
    changed = schema.changedOnDisk();
    ASSERT_EQ(changed.size(), 2u);
    EXPECT_EQ(changed[0].name, "INDEX.INI");

    ASSERT_TRUE(schema.saveSchema());
    EXPECT_TRUE(schema.changedOnDisk().empty());
}

TEST_F(LocalFilesTest, FolderThatTakesNoNewFiles) {
    if (::geteuid() == 0) {
        // Folder modes do not bind root, but nobody may create or write files in /proc.
        testing::FakeHost host;
        host.files = {{"index.ini", "/proc/version"}, {"attribute.def", "/proc/version"}};
        const std::string before = readFile("/proc/version");
        AttributeSchema schema(host);
        ASSERT_TRUE(schema.loadSchema());
        EXPECT_FALSE(schema.saveSchema());
        EXPECT_EQ(readFile("/proc/version"), before);
        EXPECT_EQ(host.printed.size(), 1u);
        return;
    }
    // The files themselves are writable, so they are written in place.
    writeFile(root / "a" / "index.ini", "END\n");
    writeFile(root / "a" / "attribute.def", "[END]\n");
    DirectoryHost host({root / "a"});
    AttributeSchema schema(host);
    ASSERT_TRUE(schema.loadSchema());
    fs::permissions(root / "a", fs::perms(0555));
    EXPECT_TRUE(schema.saveSchema());
    EXPECT_EQ(readFile(root / "a" / "index.ini"), "END\r\n");
    EXPECT_EQ(readFile(root / "a" / "attribute.def"), "[END]\r\n");
}

TEST_F(LocalFilesTest, FileWithExtendedAttributesKeepsThem) {
    writeFile(root / "a" / "index.ini", "END\n");
    writeFile(root / "a" / "attribute.def", "[END]\n");
    const std::string index = (root / "a" / "index.ini").string();
    if (::setxattr(index.c_str(), "user.surveyor", "k", 1, 0) != 0) {
        GTEST_SKIP() << "this file system takes no user extended attributes";
    }
    struct stat before {};
    ASSERT_EQ(::stat(index.c_str(), &before), 0);
    DirectoryHost host({root / "a"});
    AttributeSchema schema(host);
    ASSERT_TRUE(schema.loadSchema());
    ASSERT_TRUE(schema.saveSchema());
    EXPECT_EQ(readFile(index), "END\r\n");
    char value[4] = {};
    EXPECT_EQ(::getxattr(index.c_str(), "user.surveyor", value, sizeof value), 1);
    struct stat after {};
    ASSERT_EQ(::stat(index.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
}

TEST_F(LocalFilesTest, StoreNeverReplacesAFileTheUserMayNotWrite) {
    // The user's own read-only file in the user's own folder: a rename would be allowed.
    const fs::path file = root / "a" / "index.ini";
    writeFile(file, "END\n");
    fs::permissions(file, fs::perms(0444));
    const bool asRoot = ::geteuid() == 0;
    if (asRoot) {
        ASSERT_EQ(::chown(root.c_str(), 65534, 65534), 0);
        ASSERT_EQ(::chown((root / "a").c_str(), 65534, 65534), 0);
        ASSERT_EQ(::chown(file.c_str(), 65534, 65534), 0);
    }
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Root ignores modes, so the child drops to an ordinary user first.
        if (asRoot &&
            (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)) {
            ::_exit(100);
        }
        const FileStore::Replacement files[] = {{file.string(), "1301,gc1,0,a,0\r\nEND\r\n"}};
        ::_exit(static_cast<int>(localFileStore().replace(files).written));
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(readFile(file), "END\n");
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all, fs::perms(0444));
}

TEST_F(LocalFilesTest, FoundButUnreadableFileIsKept) {
    // Found by the host but not a readable file: loading goes on, saving refuses.
    fs::create_directories(root / "a" / "index.ini");
    writeFile(root / "a" / "attribute.def", "*T,1,d\n[END]\n");
    testing::FakeHost host;
    host.files = {{"index.ini", (root / "a" / "index.ini").string()},
                  {"attribute.def", (root / "a" / "attribute.def").string()}};
    AttributeSchema schema(host);
    ASSERT_TRUE(schema.loadSchema());
    EXPECT_EQ(schema.tables().size(), 1u);
    EXPECT_FALSE(schema.saveSchema());
    EXPECT_EQ(readFile(root / "a" / "attribute.def"), "*T,1,d\n[END]\n");
}

}  // namespace
}  // namespace quorbel

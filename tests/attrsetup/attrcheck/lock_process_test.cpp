// The editing lock between real processes: a child of this test holds it the way the dialog does,
// attrcheck runs as a process of its own on the same folder.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "schema/schema_lock.h"

namespace {

namespace fs = std::filesystem;

const std::string kIndex = "1301,gc1,0,a,0\nEND\n";
const std::string kIndexSaved = "1301,gc1,0.0000,a,0\r\nEND\r\n";

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class LockBetweenProcesses : public ::testing::Test {
  protected:
    fs::path dir;
    pid_t holder = -1;
    int release = -1;

    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("lock-process-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        std::ofstream(dir / "INDEX.INI", std::ios::binary) << kIndex;
        std::ofstream(dir / "attribute.def", std::ios::binary) << "*T,1,d\r\n\r\n[END]\r\n";
    }
    void TearDown() override {
        if (holder > 0) {
            ::kill(holder, SIGKILL);
            ::waitpid(holder, nullptr, 0);
        }
        fs::remove_all(dir);
    }

    // A process that takes the lock and keeps it until told (its pipe closes) or killed.
    void startHolder() {
        int ready[2];
        int done[2];
        ASSERT_EQ(::pipe(ready), 0);
        ASSERT_EQ(::pipe(done), 0);
        holder = ::fork();
        ASSERT_GE(holder, 0);
        if (holder == 0) {
            ::close(ready[0]);
            ::close(done[1]);
            quorbel::SchemaLock lock;
            const char state = lock.acquire(dir.string()) == quorbel::SchemaLock::State::Held;
            (void)!::write(ready[1], &state, 1);
            char byte = 0;
            (void)!::read(done[0], &byte, 1);
            lock.release();
            ::_exit(0);
        }
        ::close(ready[1]);
        ::close(done[0]);
        release = done[1];
        char state = 0;
        ASSERT_EQ(::read(ready[0], &state, 1), 1);
        ::close(ready[0]);
        ASSERT_EQ(state, 1);
    }
    void stopHolder(bool kill) {
        if (kill) {
            ::kill(holder, SIGKILL);
        }
        ::close(release);
        ::waitpid(holder, nullptr, 0);
        holder = -1;
    }

    int rewrite(const std::string& extra, std::string& output) {
        return rewriteOn(dir.string(), extra, output);
    }
    int rewriteOn(const std::string& supportPath, const std::string& extra, std::string& output) {
        const std::string command = std::string(ATTRCHECK_PATH) + " --support-path " + supportPath +
                                    " --rewrite " + extra + " 2>&1";
        FILE* pipe = ::popen(command.c_str(), "r");
        char buffer[512];
        std::size_t got = 0;
        while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
            output.append(buffer, got);
        }
        const int status = ::pclose(pipe);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
};

TEST_F(LockBetweenProcesses, RewriteRefusesALiveLockUnlessForcedAndLeavesTheLockAlone) {
    startHolder();
    const std::string lockBytes = readFile(dir / ".quorbel.lock");
    std::string output;
    EXPECT_EQ(rewrite("", output), 1);
    EXPECT_NE(output.find("正在编辑属性结构(自 "), std::string::npos) << output;
    EXPECT_NE(output.find("--force"), std::string::npos) << output;
    // The report of the check, made beside the attempt, stands before the refusal.
    EXPECT_LT(output.find("共报告 1 项"), output.find("正在编辑属性结构")) << output;
    EXPECT_EQ(readFile(dir / "INDEX.INI"), kIndex);

    output.clear();
    EXPECT_EQ(rewrite("--force", output), 0) << output;
    EXPECT_EQ(readFile(dir / "INDEX.INI"), kIndexSaved);
    EXPECT_EQ(readFile(dir / ".quorbel.lock"), lockBytes);

    stopHolder(false);
    EXPECT_FALSE(fs::exists(dir / ".quorbel.lock"));
}

TEST_F(LockBetweenProcesses, TheLockOfAProcessThatDiedIsTakenOver) {
    startHolder();
    stopHolder(true);
    ASSERT_TRUE(fs::exists(dir / ".quorbel.lock"));
    std::string output;
    EXPECT_EQ(rewrite("", output), 0) << output;
    EXPECT_EQ(readFile(dir / "INDEX.INI"), kIndexSaved);
    EXPECT_FALSE(fs::exists(dir / ".quorbel.lock"));
}

TEST_F(LockBetweenProcesses, ALockBesideAttributeDefFoundInAnotherFolderCountsToo) {
    // This user's own folder comes first and holds only INDEX.INI; attribute.def is the shared one
    // that the holder edits.
    fs::create_directories(dir / "own");
    std::ofstream(dir / "own" / "INDEX.INI", std::ios::binary) << kIndex;
    startHolder();
    const std::string path = (dir / "own").string() + ":" + dir.string();
    std::string output;
    EXPECT_EQ(rewriteOn(path, "", output), 1) << output;
    EXPECT_NE(output.find("正在编辑属性结构(自 "), std::string::npos) << output;
    EXPECT_EQ(readFile(dir / "own" / "INDEX.INI"), kIndex);
    EXPECT_FALSE(fs::exists(dir / "own" / ".quorbel.lock"));
    stopHolder(false);

    output.clear();
    EXPECT_EQ(rewriteOn(path, "", output), 0) << output;
    EXPECT_EQ(readFile(dir / "own" / "INDEX.INI"), kIndexSaved);
    EXPECT_FALSE(fs::exists(dir / "own" / ".quorbel.lock"));
    EXPECT_FALSE(fs::exists(dir / ".quorbel.lock"));
}

}  // namespace

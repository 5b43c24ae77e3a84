#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

namespace fs = std::filesystem;

struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class CliImport : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("vrk410-cli-import-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    fs::path file(const std::string& name) const { return dir_ / name; }

    CliRun run(const std::string& args) const {
        const std::string command = std::string("'") + VRK410_CLI + "' import " + args + " >'" +
                                    file("out").string() + "' 2>'" + file("err").string() + "'";
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(file("out")),
                ReadFile(file("err"))};
    }

    static std::string Sample(const char* name) { return std::string(SAMPLES_DIR) + "/" + name; }

  private:
    fs::path dir_;
};

TEST_F(CliImport, TheSampleJobBecomesDelfLinesAndItsSkippedRecordsAreReported) {
    const CliRun run =
        this->run("auto '" + Sample("survey.gsi") + "' -o '" + file("job.delf").string() + "'");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(run.out.empty());
    EXPECT_EQ(ReadFile(file("job.delf")),
              "K1,CTRL,500123.456,3012345.678,45.678\r\n"
              "K2,CTRL,500223.456,3012345.678,46.012\r\n"
              "K3,CTRL,500173.456,3012245.678,\r\n"
              "P1,WALL,500193.949,3012275.185,53.724\r\n"
              "P2,TREE,500093.550,3012315.772,47.207\r\n"
              "P3,TREE,500097.342,3012371.893,45.006\r\n");
    EXPECT_EQ(run.err,
              "识别为 GSI 格式\n"
              "第 3 行: 没有高程,H 留空\n"
              "第 9 行: 观测没有距离,不推算\n"
              "导入 6 个点, 跳过 1 条\n");
}

TEST_F(CliImport, ColumnsDelimiterAndUnitAreTakenFromTheCommandLine) {
    std::ofstream(file("in.txt"), std::ios::binary) << "7 100 200 10\r\n";
    const CliRun run = this->run("csv '" + file("in.txt").string() +
                                 "' --columns name,N,E,H --delimiter blank --unit ft");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "7,,60.960,30.480,3.048\r\n");
}

TEST_F(CliImport, ExitCodesTellNothingReadFromUnreadable) {
    std::ofstream(file("job.delf"), std::ios::binary) << "kept";
    const CliRun wrong =
        this->run("sdr '" + Sample("points-gbk.csv") + "' -o '" + file("job.delf").string() + "'");
    EXPECT_EQ(wrong.exitCode, 1);
    EXPECT_EQ(wrong.err, "文件不是 SDR 格式: 第 1 行读不下去(不是 SDR 记录)\n");
    EXPECT_EQ(ReadFile(file("job.delf")), "kept");

    EXPECT_EQ(this->run("gsi '" + file("missing.gsi").string() + "'").exitCode, 2);
    EXPECT_EQ(this->run("dxf '" + Sample("survey.gsi") + "'").exitCode, 2);
    EXPECT_EQ(this->run("csv '" + Sample("points-gbk.csv") + "' --columns name,Q").exitCode, 2);
}

}  // namespace

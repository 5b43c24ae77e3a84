#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "gbk_literal.h"
#include "sample_downloads.h"

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

void WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

class CliConvert : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("vrk410-cli-test-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    fs::path file(const std::string& name) const { return dir_ / name; }

    // Runs the program with `args` (shell words, already quoted where needed), standard input from
    // `stdinPath` when given.
    CliRun run(const std::string& args, const fs::path& stdinPath = "/dev/null") const {
        const std::string command = std::string("'") + VRK410_CLI + "' " + args + " <'" +
                                    stdinPath.string() + "' >'" + file("out").string() + "' 2>'" +
                                    file("err").string() + "'";
        const int status = std::system(command.c_str());
        CliRun result;
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.out = ReadFile(file("out"));
        result.err = ReadFile(file("err"));
        return result;
    }

  private:
    fs::path dir_;
};

std::string ExpectedDelf() {
    std::string text;
    for (const auto& p : vrk::test::SamplePoints()) {
        std::string name = vrk::test::Gbk(p.name);
        if (name.size() < 10) {
            name.resize(10, ' ');
        }
        text += name + "," + name + "," + p.y + "," + p.x + "," + p.h + "\r\n";
    }
    return text;
}

std::string ExpectedPcode() {
    std::string text;
    for (const auto& c : vrk::test::SampleCodes()) {
        std::string code = vrk::test::Gbk(c.text);
        if (code.size() < 10) {
            code.resize(10, ' ');
        }
        text += std::to_string(c.number) + "," + code + "\r\n";
    }
    return text;
}

const std::string kSamples = SAMPLES_DIR;

TEST_F(CliConvert, TheBundledDownloadsConvertByteForByte) {
    const CliRun delf = run("convert delf '" + kSamples + "/download-coords.txt'");
    EXPECT_EQ(delf.exitCode, 0) << delf.err;
    EXPECT_EQ(delf.out, ExpectedDelf());
    EXPECT_EQ(delf.err, "");

    const CliRun pcode = run("convert pcode -o '" + file("codes.txt").string() + "'",
                             kSamples + "/download-pcode.txt");
    EXPECT_EQ(pcode.exitCode, 0) << pcode.err;
    EXPECT_EQ(pcode.out, "");
    std::string expected = ExpectedPcode();
    // The two long texts are cut to the instrument's width.
    const std::string cutFrom = "14,LONGCODETEXT";
    expected.replace(expected.find(cutFrom), cutFrom.size() + 2, "14,LONGCODETE\r\n");
    const std::string straddle = "15," + vrk::test::Gbk("ABCDEFGHI桥");
    expected.replace(expected.find(straddle), straddle.size() + 2, "15,ABCDEFGHI \r\n");
    EXPECT_EQ(ReadFile(file("codes.txt")), expected);
}

TEST_F(CliConvert, AFailedConversionSaysWhyAndLeavesTheOutputAlone) {
    WriteFile(file("junk.txt"), "not a download\r\n");
    WriteFile(file("keep.txt"), "earlier result");
    const CliRun delf = run("convert delf '" + file("junk.txt").string() + "' -o '" +
                            file("keep.txt").string() + "'");
    EXPECT_EQ(delf.exitCode, 1);
    EXPECT_EQ(delf.err, "文件格式不正确\n第1行没有x、y或z\n");
    EXPECT_EQ(ReadFile(file("keep.txt")), "earlier result");

    const CliRun pcode = run("convert pcode '" + kSamples + "/download-coords.txt'");
    EXPECT_EQ(pcode.exitCode, 1);
    EXPECT_EQ(pcode.err, "转换失败\n读出0个字段,其中没有编码\n");
    EXPECT_EQ(pcode.out, "");

    const CliRun empty = run("convert delf");
    EXPECT_EQ(empty.exitCode, 1);
    EXPECT_EQ(empty.err, "转换失败\n文本中没有换行符(LF)\n");
}

TEST_F(CliConvert, UnreadableInputAndUnwritableOutputFail) {
    EXPECT_EQ(run("convert delf '" + file("missing.txt").string() + "'").exitCode, 1);
    const CliRun r = run("convert delf '" + kSamples + "/download-coords.txt' -o '" +
                         file("no/such/dir/out.txt").string() + "'");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "vrk410-cli: 无法写入 " + file("no/such/dir/out.txt").string() + "\n文件夹 " +
                         file("no/such/dir").string() + " 不存在。\n");

    // A write cut short (here by a file-size limit, as by a full disk) keeps the earlier file
    // whole and leaves no copy behind, whether the output is replaced by a rename or, for a
    // symbolic link and a file with two names, written where it is. Three samples in a row
    // convert to about 3 KB.
    const std::string sample = ReadFile(kSamples + "/download-coords.txt");
    WriteFile(file("big.txt"), sample + sample + sample);
    WriteFile(file("keep.txt"), "earlier result");
    WriteFile(file("linked.txt"), "earlier result");
    fs::create_symlink(file("keep.txt"), file("symlink.txt"));
    fs::create_hard_link(file("linked.txt"), file("second-name.txt"));
    for (const char* output : {"keep.txt", "symlink.txt", "second-name.txt"}) {
        const std::string limited = "bash -c \"trap '' XFSZ; ulimit -f 1; exec '" +
                                    std::string(VRK410_CLI) + "' convert delf '" +
                                    file("big.txt").string() + "' -o '" + file(output).string() +
                                    "'\" 2>/dev/null";
        const int status = std::system(limited.c_str());
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << output;
    }
    EXPECT_EQ(ReadFile(file("keep.txt")), "earlier result");
    EXPECT_EQ(ReadFile(file("linked.txt")), "earlier result");
    EXPECT_TRUE(fs::is_symlink(file("symlink.txt")));
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry :
         fs::directory_iterator(file("keep.txt").parent_path())) {
        ++entries;
    }
    EXPECT_EQ(entries, 7u) << "the inputs, the three outputs, out and err only";
}

TEST_F(CliConvert, CommandLinesNotUnderstoodExitWithTwo) {
    for (const std::string& args : std::vector<std::string>{
             "", "convert", "convert dxf", "convert delf a b", "convert delf -o",
             "convert delf --fast", "convert pcode -o x -o y", "frobnicate"}) {
        const CliRun r = run(args);
        EXPECT_EQ(r.exitCode, 2) << args;
        EXPECT_NE(r.err.find("用法:"), std::string::npos) << args;
        EXPECT_EQ(r.out, "") << args;
    }
}

TEST_F(CliConvert, VerboseReportsWhatCameOut) {
    const CliRun r = run("convert delf '" + kSamples + "/download-coords.txt' --verbose");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, "DELF: 20 个点\n");
}

TEST_F(CliConvert, CheckPrintsTheFindingsAndExitsWithOneWhenThereAreAny) {
    WriteFile(file("coords.delf"), "P1,,1,2,3\r\nP1,,4,5\r\nP_2,,1,2,3\r\n");
    const CliRun found = run("check coords '" + file("coords.delf").string() + "'");
    EXPECT_EQ(found.exitCode, 1);
    EXPECT_EQ(found.out, "2: 不是恰好4个逗号,此行不发送\n3: 点名含有\"_\",全站仪会读成另一个点\n");

    const CliRun clean = run("check coords '" + kSamples + "/survey.delf'");
    EXPECT_EQ(clean.exitCode, 0);
    EXPECT_EQ(clean.out, "");
    EXPECT_EQ(run("check pcode '" + file("missing").string() + "'").exitCode, 2);
    EXPECT_EQ(run("check lines '" + file("coords.delf").string() + "'").exitCode, 2);
}

}  // namespace

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "attrcheck/attrcheck_options.h"
#include "attrcheck/run_attrcheck.h"
#include "schema/gbk_text.h"
#include "schema/schema_findings.h"

namespace quorbel::attrcheck {
namespace {

namespace fs = std::filesystem;

void writeGbk(const fs::path& path, std::string_view utf8) {
    const std::string bytes = utf8ToGbk(utf8);
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(AttrcheckOptions, ParsesAndRejects) {
    Options options;
    std::string error;
    ASSERT_TRUE(parseOptions({"--support-path", "/a:/b", "--rewrite", "--strict"}, options, error));
    EXPECT_EQ(options.supportPath, "/a:/b");
    EXPECT_TRUE(options.rewrite && options.strict);
    Options other;
    ASSERT_TRUE(parseOptions({"--support-path=/c"}, other, error));
    EXPECT_EQ(other.supportPath, "/c");
    EXPECT_FALSE(parseOptions({"--support-path"}, other, error));
    EXPECT_FALSE(parseOptions({"--rewrit"}, other, error));
    EXPECT_NE(error.find("--rewrit"), std::string::npos);
}

class AttrcheckRun : public ::testing::Test {
  protected:
    fs::path dir;
    std::ostringstream out;
    std::ostringstream err;

    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("attrcheck-test-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    int run(std::vector<std::string_view> args, const char* acad = nullptr) {
        return runAttrcheck(args, acad, out, err);
    }
};

TEST_F(AttrcheckRun, ReportsWhatAnAdministratorNeedsToKnow) {
    writeGbk(dir / "INDEX.INI",
             "; 索引\n"
             "1301,gc1,0,三角点,0,控制点表\n"
             "1302,gc2,0,导线点,0,缺失表\n"
             "9901,gc3,0,未分类,0\n"
             "1303,gc4,0,一个名称超过三十九个字节的很长很长很长的地物名称,0\n"
             "END\n");
    writeGbk(dir / "Attribute.def",
             "*控制点表,1,控制点\n"
             "  点名,120,16,0,点名\n"
             "  怪类型,5,1,0,未知\n"
             "*控制点表,1,重复\n"
             "*空表,2,没有地物\n"
             "[END]\n");
    const std::string path = dir.string();
    EXPECT_EQ(run({"--support-path", path, "--strict"}), kExitFindings);
    const std::string text = out.str();
    for (const char* expected : {"INDEX.INI 第1行", "表名重复: 控制点表", "表 空表 没有地物使用",
                                 "怪类型 的类型代码5未知", "表 缺失表 不存在,却有1个地物引用: 1302",
                                 "1个地物的编码不属于任何类别(编辑器中不会列出): 9901",
                                 "地物 1303 的名称 长48字节,超过容量39字节"}) {
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
    }
    out.str("");
    EXPECT_EQ(run({"--support-path", path}), kExitOk);
}

TEST_F(AttrcheckRun, MissingFilesFailWithTheHostMessage) {
    const std::string path = dir.string();
    EXPECT_EQ(run({"--support-path", path}), kExitFailed);
    EXPECT_EQ(out.str().rfind("没有找到INDEX.INI文件!\n", 0), 0u) << out.str();
    writeGbk(dir / "index.ini", "END\n");
    out.str("");
    EXPECT_EQ(run({"--support-path", path}), kExitFailed);
    EXPECT_NE(out.str().find("没有找到属性文件!"), std::string::npos);
}

TEST_F(AttrcheckRun, SupportPathFallsBackToAcad) {
    fs::create_directories(dir / "second");
    writeGbk(dir / "second" / "index.ini", "1301,gc1,0,a,0\nEND\n");
    writeGbk(dir / "second" / "attribute.def", "[END]\n");
    const std::string acad = (dir / "first").string() + ":" + (dir / "second").string();
    EXPECT_EQ(run({"--strict"}, acad.c_str()), kExitOk) << out.str();
    EXPECT_NE(out.str().find("未发现问题"), std::string::npos);
}

TEST_F(AttrcheckRun, RewriteSavesLikeTheEditor) {
    writeGbk(dir / "index.ini", "1301,gc1,1.23456,a,0,T\n; 备注\nEND\n");
    writeGbk(dir / "attribute.def", "*T,1,d\n  f,3,8,2,d,TBL_LandUseCode\n[END]\n");
    const std::string path = dir.string();
    EXPECT_EQ(run({"--support-path", path, "--rewrite"}), kExitOk);
    // The check runs beside the writing, but its report still comes first.
    const std::string text = out.str();
    EXPECT_EQ(text.substr(text.find("共报告")), "共报告 2 项\n已保存 INDEX.INI 和 attribute.def\n")
        << text;
    EXPECT_EQ(readFile(dir / "index.ini"), "1301,gc1,1.2346,a,0,T\r\nEND\r\n");
    EXPECT_EQ(readFile(dir / "attribute.def"), "*T,1,d\r\n  f,3,8,2,d\r\n\r\n[END]\r\n");
}

TEST_F(AttrcheckRun, UsageErrorsAndHelp) {
    EXPECT_EQ(run({"--frobnicate"}), kExitUsage);
    EXPECT_NE(err.str().find("usage:"), std::string::npos);
    EXPECT_EQ(run({"--support-path", ":"}), kExitUsage);
    EXPECT_EQ(run({"--help"}), kExitOk);
}

TEST_F(AttrcheckRun, BundledSamplesReportOnlyTheirRemarks) {
    EXPECT_EQ(run({"--support-path", SAMPLES_DIR, "--strict"}), kExitFindings);
    EXPECT_NE(out.str().find("共报告 2 项"), std::string::npos) << out.str();
}

}  // namespace
}  // namespace quorbel::attrcheck

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

namespace fs = std::filesystem;

// Two points, a line that is not one, and a point after it: GBK name "点1" and code "房屋".
const std::string kSurvey =
    "\xB5\xE3"
    "1,\xB7\xBF\xCE\xDD,512345.678,3456789.012,12.5\r\n"
    "three,commas,only\r\n"
    "P2,,512355.1,3456799.2,13\r\n";

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// vrk410-cli export as a user runs it: the module is found beside the program in the build tree.
class CliExport : public ::testing::Test {
  protected:
    void SetUp() override {
        ::unsetenv("VRK410_EXPORT_MODULE");
        dir_ = fs::temp_directory_path() /
               ("vrk410-cli-export-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
        fs::permissions(dir_, fs::perms::all);
        std::ofstream(file("survey.delf"), std::ios::binary) << kSurvey;
    }
    void TearDown() override { fs::remove_all(dir_); }

    fs::path file(const std::string& name) const { return dir_ / name; }

    CliRun run(const std::string& args, const std::string& prefix = "") const {
        const std::string command = prefix + "'" + VRK410_CLI + "' export " + args + " >'" +
                                    file("out").string() + "' 2>'" + file("err").string() + "'";
        const int status = std::system(command.c_str());
        CliRun result{WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(file("out")),
                      ReadFile(file("err"))};
        fs::remove(file("out"));
        fs::remove(file("err"));
        return result;
    }

  private:
    fs::path dir_;
};

TEST_F(CliExport, WritesTheFileNamesTheSkippedLinesAndAnswersZero) {
    const CliRun result = run("csv '" + file("survey.delf").string() + "' -o '" +
                              file("points").string() + "' --crs EPSG:4547");
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, "2: 不是恰好4个逗号,或在空行之后,此行不导出\n");
    EXPECT_EQ(result.out, "已导出 2 个点到 " + file("points.csv").string() + "\n");
    EXPECT_EQ(ReadFile(file("points.csv")),
              "name,code,E,N,H\r\n"
              "点1,房屋,512345.678,3456789.012,12.5\r\n"
              "P2,,512355.1,3456799.2,13\r\n");
}

TEST_F(CliExport, ARefusalAnswersOneAndAnUnreadableInputTwo) {
    std::ofstream(file("points.kml"), std::ios::binary) << "earlier";
    const CliRun local =
        run("kml '" + file("survey.delf").string() + "' -o '" + file("points.kml").string() + "'");
    EXPECT_EQ(local.exitCode, 1);
    EXPECT_NE(local.err.find("GeoJSON 和 KML 要写经纬度"), std::string::npos) << local.err;
    EXPECT_EQ(ReadFile(file("points.kml")), "earlier");

    const CliRun missing =
        run("gpkg '" + file("none.delf").string() + "' -o '" + file("points.gpkg").string() + "'");
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_EQ(missing.err, "vrk410-cli: 无法读取 " + file("none.delf").string() + "\n文件 " +
                               file("none.delf").string() + " 不存在。\n");
    EXPECT_EQ(run("svg '" + file("survey.delf").string() + "' -o x").exitCode, 2);
    EXPECT_FALSE(fs::exists(file("points.gpkg")));
}

TEST_F(CliExport, AFileTheUserMayNotWriteIsLeftAsItWas) {
    std::ofstream(file("points.gpkg"), std::ios::binary) << "earlier";
    fs::permissions(file("points.gpkg"),
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::permissions(file("survey.delf"),
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const CliRun result = run("gpkg '" + file("survey.delf").string() + "' -o '" +
                                  file("points.gpkg").string() + "' --crs EPSG:4547",
                              "setpriv --reuid=65534 --regid=65534 --clear-groups ");
    EXPECT_EQ(result.exitCode, 1) << result.err;
    EXPECT_EQ(result.err,
              "2: 不是恰好4个逗号,或在空行之后,此行不导出\n"
              "vrk410-cli: 没有写入权限,原文件保持不变: " +
                  file("points.gpkg").string() + "\n");
    EXPECT_EQ(ReadFile(file("points.gpkg")), "earlier");
}

}  // namespace

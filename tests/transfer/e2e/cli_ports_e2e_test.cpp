// vrk410-cli on real ports: the COM mapping it shares with the program, why an open failed,
// and a download that must not cost the user an earlier file.
#include <fcntl.h>
#include <grp.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "cli_run.h"
#include "e2e_harness.h"
#include "sample_data.h"

namespace {

using namespace std::chrono_literals;
using e2e::RunCli;

using e2e::kStationWait;

class CliPortsE2E : public ::testing::Test {
  protected:
    void SetUp() override {
        station =
            std::make_unique<tssim::TotalStation>(e2e::StationConfig(tssim::Protocol::AckNak));
        ASSERT_TRUE(station->open()) << station->error();
        station->setMemory(e2e::SampleMemory());
    }

    // The program's settings folder for a run: XDG_CONFIG_HOME, with the mapping file in it.
    std::string configWithMapping(const std::string& lines) const {
        const std::filesystem::path folder =
            std::filesystem::path(dir.file("config")) / "Local AppWizard-Generated Applications";
        std::filesystem::create_directories(folder);
        std::ofstream(folder / "VRK410-ports.conf") << "[Ports]\n" << lines;
        return "XDG_CONFIG_HOME=" + dir.file("config");
    }

    e2e::TempDir dir;
    std::unique_ptr<tssim::TotalStation> station;
};

TEST_F(CliPortsE2E, PortsShowsTheMappingInForceAndDownloadsUseIt) {
    const std::string config = configWithMapping("COM3=" + station->slavePath() + "\n");
    const auto ports = RunCli(dir, {"ports"}, {config, "VRK410_COM2=/dev/ttyUSB9"});
    EXPECT_EQ(ports.exitCode, 0) << ports.err;
    EXPECT_NE(ports.out.find("\nCOM1 = /dev/ttyS0  (默认)\n"), std::string::npos) << ports.out;
    EXPECT_NE(ports.out.find("\nCOM2 = /dev/ttyUSB9  (VRK410_COM2)\n"), std::string::npos);
    EXPECT_NE(ports.out.find("\nCOM3 = " + station->slavePath() + "  (端口映射: "),
              std::string::npos);
    EXPECT_EQ(ports.out.rfind("设备: ", 0), 0u) << "the devices come first";

    ASSERT_TRUE(station->startSend(tssim::Content::Pcode));
    const auto result =
        RunCli(dir, {"download", "--port", "COM3", "--protocol", "acknak", "--yes"}, {config});
    ASSERT_TRUE(station->waitFinished(kStationWait));
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, e2e::ViewTextOf(station->downloadLines(tssim::Content::Pcode)));
    EXPECT_EQ(result.err.find("QSocketNotifier"), std::string::npos) << result.err;
}

TEST_F(CliPortsE2E, ADownloadThatBringsNothingLeavesTheEarlierFileAsItWas) {
    const std::string path = dir.file("survey.txt");
    std::ofstream(path, std::ios::binary) << "earlier\r\n";
    // The station is never started: the first read times out before any line.
    const auto result = RunCli(
        dir, {"download", "--port", station->slavePath(), "--delay", "1", "--yes", "-o", path});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find(e2e::kTimedOut), std::string::npos) << result.err;
    EXPECT_EQ(e2e::ReadFile(path), "earlier\r\n");
    EXPECT_EQ(std::distance(
                  std::filesystem::directory_iterator(std::filesystem::path(path).parent_path()),
                  std::filesystem::directory_iterator{}),
              3)
        << "survey.txt and the run's two output files, no temporary left behind";
}

TEST_F(CliPortsE2E, RefusedOpensSayWhyOnStandardError) {
    const auto absent = RunCli(dir, {"download", "--port", "COM6", "--yes"},
                               {"VRK410_COM6=" + dir.file("ttyUSB0")});
    EXPECT_EQ(absent.exitCode, 1);
    EXPECT_NE(absent.err.find(std::string(e2e::kCannotOpen) + "\n设备 " + dir.file("ttyUSB0") +
                              " 不存在"),
              std::string::npos)
        << absent.err;
    // The command line has no menu: the advice is its own.
    EXPECT_NE(
        absent.err.find("或用环境变量 VRK410_COMn 或 --port 设备路径 为该端口选择实际存在的设备"),
        std::string::npos)
        << absent.err;
    EXPECT_EQ(absent.err.find("菜单"), std::string::npos) << absent.err;

    vrk::SerialPort holder({station->slavePath(), nullptr});
    vrk::PortParams params;
    params.portName = "COM1";
    ASSERT_EQ(holder.open(params), vrk::OpenResult::Ok);
    const auto busy = RunCli(dir, {"download", "--port", station->slavePath(), "--yes"});
    EXPECT_EQ(busy.exitCode, 1);
    EXPECT_NE(busy.err.find("正被另一个程序占用（进程 " + std::to_string(::getpid())),
              std::string::npos)
        << busy.err;
}

// Root may open any device, so the refusal is seen as an ordinary user: a pseudo-terminal made
// here is given to root and the group dialout, as a serial port is, and that user is in neither.
TEST_F(CliPortsE2E, PermissionDeniedNamesTheGroupToJoin) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root to run the command as an ordinary user (setpriv)";
    }
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master), 0);
    ASSERT_EQ(::unlockpt(master), 0);
    const std::string device = ::ptsname(master);
    if (const group* dialout = ::getgrnam("dialout")) {
        ASSERT_EQ(::chown(device.c_str(), 0, dialout->gr_gid), 0);
    }
    ASSERT_EQ(::chmod(device.c_str(), 0660), 0);
    struct stat info {};
    ASSERT_EQ(::stat(device.c_str(), &info), 0);
    const std::string groupName = ::getgrgid(info.st_gid)->gr_name;
    const auto result =
        e2e::RunCommand(dir, {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups",
                              E2E_CLI_PATH, "download", "--port", device, "--yes"});
    ::close(master);
    EXPECT_EQ(result.exitCode, 1) << result.err;
    EXPECT_NE(result.err.find(std::string(e2e::kCannotOpen) + "\n没有权限打开设备 " + device +
                              "（属于用户组 " + groupName + "）"),
              std::string::npos)
        << result.err;
    EXPECT_NE(result.err.find("加入 " + groupName + " 组"), std::string::npos);
    EXPECT_NE(result.err.find("注销并重新登录"), std::string::npos);

    // Nobody can join root's group: only an administrator can let the user in.
    const int rootMaster = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(rootMaster, 0);
    ASSERT_EQ(::grantpt(rootMaster), 0);
    ASSERT_EQ(::unlockpt(rootMaster), 0);
    const std::string rootDevice = ::ptsname(rootMaster);
    ASSERT_EQ(::chown(rootDevice.c_str(), 0, 0), 0);
    ASSERT_EQ(::chmod(rootDevice.c_str(), 0660), 0);
    const auto rootOwned =
        e2e::RunCommand(dir, {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups",
                              E2E_CLI_PATH, "download", "--port", rootDevice, "--yes"});
    ::close(rootMaster);
    EXPECT_EQ(rootOwned.exitCode, 1) << rootOwned.err;
    EXPECT_NE(
        rootOwned.err.find(std::string(e2e::kCannotOpen) + "\n没有权限打开设备 " + rootDevice +
                           "（属于 root）：请让管理员授予访问权限，例如用 udev 规则把该设备"
                           "交给 dialout 组并把用户加入该组。"),
        std::string::npos)
        << rootOwned.err;
}

}  // namespace

#include "serial/qt_serial_port.h"

#include <gtest/gtest.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <thread>

#include "pty_pair.h"

namespace {

using namespace std::chrono_literals;

// Long enough that a read which waits it out instead of ending early fails the test visibly.
constexpr auto kLongWait = 30s;

vrk::PortParams ParamsFor() {
    vrk::PortParams params;
    params.portName = "COM1";
    return params;
}

class QtSerialPortTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(pty.ok()); }

    static vrk::OpenResult openOnPty(vrk::QtSerialPort& target,
                                     const vrk::PortParams& params = ParamsFor()) {
        return target.open(params);
    }

    PtyPair pty;
    vrk::QtSerialPort port{{pty.slavePath(), nullptr}};
};

TEST_F(QtSerialPortTest, ReadsWhatArrivesAndReportsAShortReadAsTimeout) {
    ASSERT_EQ(openOnPty(port), vrk::OpenResult::Ok);
    ASSERT_TRUE(pty.send("abcde"));
    std::string out;
    EXPECT_EQ(port.read(3, 2s, out), vrk::ReadResult::Ok);
    EXPECT_EQ(out, "abc");
    EXPECT_EQ(port.read(3, 200ms, out), vrk::ReadResult::Timeout);
    EXPECT_EQ(out, "abcde") << "bytes of a short read are kept";
    EXPECT_TRUE(port.isOpen()) << "a time-out leaves the port usable";
}

TEST_F(QtSerialPortTest, OneDeadlineCoversTheWholeReadCall) {
    ASSERT_EQ(openOnPty(port), vrk::OpenResult::Ok);
    std::atomic<bool> stop{false};
    // A byte every 20 ms keeps the line busy; a time-out restarted by every byte would never end.
    std::thread trickle([&] {
        for (int i = 0; i < 250 && !stop; ++i) {
            pty.send("x");
            std::this_thread::sleep_for(20ms);
        }
    });
    std::string out;
    const auto result = port.read(1000, 300ms, out);
    stop = true;
    trickle.join();
    EXPECT_EQ(result, vrk::ReadResult::Timeout);
    EXPECT_LT(out.size(), 250u);
}

TEST_F(QtSerialPortTest, WrittenBytesReachTheFarEndBeforeDrainReturns) {
    ASSERT_EQ(openOnPty(port), vrk::OpenResult::Ok);
    const std::string frame(
        "\x02"
        "abc0080\x03\r\n",
        11);
    for (char byte : frame) {
        ASSERT_TRUE(port.write(std::string_view(&byte, 1)));
    }
    ASSERT_TRUE(port.drain());
    EXPECT_EQ(pty.receive(frame.size()), frame);
}

TEST_F(QtSerialPortTest, AppliesTheLineSettings) {
    vrk::PortParams params = ParamsFor();
    params.baudRate = 19200;
    params.stopBits = 2;
    ASSERT_EQ(openOnPty(port, params), vrk::OpenResult::Ok);
    termios line{};
    ASSERT_EQ(::tcgetattr(pty.slaveFd(), &line), 0);
    EXPECT_EQ(::cfgetispeed(&line), static_cast<speed_t>(B19200));
    EXPECT_EQ(line.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(line.c_cflag & PARENB, 0u);
    EXPECT_NE(line.c_cflag & CSTOPB, 0u);

    params.baudRate = 1200;
    params.stopBits = 1;
    ASSERT_EQ(openOnPty(port, params), vrk::OpenResult::Ok);
    ASSERT_EQ(::tcgetattr(pty.slaveFd(), &line), 0);
    EXPECT_EQ(::cfgetospeed(&line), static_cast<speed_t>(B1200));
    EXPECT_EQ(line.c_cflag & CSTOPB, 0u);
}

// A pseudo-terminal always carries 8 data bits without parity; the driver's refusal is a
// refused setting, not a port that silently runs with other parameters than the dialog shows.
TEST_F(QtSerialPortTest, SettingsTheDeviceRefusesFailTheOpenAndReleaseThePort) {
    vrk::PortParams sevenBits = ParamsFor();
    sevenBits.dataBits = 7;
    EXPECT_EQ(openOnPty(port, sevenBits), vrk::OpenResult::CannotSetParams);
    EXPECT_FALSE(port.isOpen());

    vrk::PortParams evenParity = ParamsFor();
    evenParity.parity = vrk::Parity::Even;
    EXPECT_EQ(openOnPty(port, evenParity), vrk::OpenResult::CannotSetParams);
    EXPECT_EQ(openOnPty(port), vrk::OpenResult::Ok);
}

TEST_F(QtSerialPortTest, HangUpIsAnErrorAtOnceAndClosesThePort) {
    ASSERT_EQ(openOnPty(port), vrk::OpenResult::Ok);
    ASSERT_TRUE(pty.send("ab"));
    std::string out;
    ASSERT_EQ(port.read(2, 2s, out), vrk::ReadResult::Ok);
    pty.hangUp();
    EXPECT_EQ(port.read(1, kLongWait, out), vrk::ReadResult::Error);
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(port.read(1, kLongWait, out), vrk::ReadResult::Error) << "and stays dead";
    EXPECT_FALSE(port.write("x"));
    EXPECT_EQ(out, "ab");
}

TEST_F(QtSerialPortTest, ALostConnectionSaysWhatTheSystemReported) {
    ASSERT_EQ(openOnPty(port), vrk::OpenResult::Ok);
    pty.hangUp();
    std::string out;
    ASSERT_EQ(port.read(1, kLongWait, out), vrk::ReadResult::Error);
    EXPECT_EQ(port.failureReason(), "与设备 " + pty.slavePath() +
                                        " 的连接已断开：请检查串口线或 USB 转换器是否已拔出。"
                                        "（系统：poll 报告 POLLHUP）");
}

TEST_F(QtSerialPortTest, HangUpWhileAReadWaitsEndsTheRead) {
    ASSERT_EQ(openOnPty(port), vrk::OpenResult::Ok);
    std::thread pull([&] {
        std::this_thread::sleep_for(100ms);
        pty.hangUp();
    });
    std::string out;
    EXPECT_EQ(port.read(1, kLongWait, out), vrk::ReadResult::Error);
    pull.join();
    EXPECT_FALSE(port.isOpen());
}

TEST_F(QtSerialPortTest, WriteAfterHangUpFails) {
    ASSERT_EQ(openOnPty(port), vrk::OpenResult::Ok);
    pty.hangUp();
    EXPECT_FALSE(port.write("\x05"));
    EXPECT_FALSE(port.isOpen());
}

TEST_F(QtSerialPortTest, AbandoningEndsAWaitingRead) {
    std::atomic<bool> abandoned{false};
    vrk::QtSerialPort quitting({pty.slavePath(), &abandoned});
    ASSERT_EQ(openOnPty(quitting), vrk::OpenResult::Ok);
    std::thread quit([&] {
        std::this_thread::sleep_for(100ms);
        abandoned = true;
    });
    std::string out;
    EXPECT_EQ(quitting.read(1, kLongWait, out), vrk::ReadResult::Error);
    quit.join();
    EXPECT_FALSE(quitting.isOpen());
}

TEST_F(QtSerialPortTest, APortInUseCannotBeOpenedAgainUntilClosed) {
    ASSERT_EQ(openOnPty(port), vrk::OpenResult::Ok);
    vrk::QtSerialPort second({pty.slavePath(), nullptr});
    EXPECT_EQ(second.open(ParamsFor()), vrk::OpenResult::CannotOpen);

    const auto link = std::filesystem::temp_directory_path() /
                      ("vrk-serial-test-link-" + std::to_string(::getpid()));
    std::filesystem::remove(link);
    std::filesystem::create_symlink(pty.slavePath(), link);
    vrk::QtSerialPort throughLink({link.string(), nullptr});
    EXPECT_EQ(throughLink.open(ParamsFor()), vrk::OpenResult::CannotOpen)
        << "a symlink to a busy port is the same busy port";

    port.close();
    EXPECT_EQ(throughLink.open(ParamsFor()), vrk::OpenResult::Ok);
    throughLink.close();
    EXPECT_EQ(second.open(ParamsFor()), vrk::OpenResult::Ok);
    std::filesystem::remove(link);
}

TEST_F(QtSerialPortTest, RefusedOpensLeaveNothingBehind) {
    vrk::QtSerialPort absent({"/dev/vrk-no-such-port", nullptr});
    EXPECT_EQ(absent.open(ParamsFor()), vrk::OpenResult::CannotOpen);
    EXPECT_FALSE(absent.isOpen());

    vrk::PortParams noQueue = ParamsFor();
    noQueue.queueSize = 0;
    EXPECT_EQ(openOnPty(port, noQueue), vrk::OpenResult::CannotCreateBuffers);
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(openOnPty(port), vrk::OpenResult::Ok) << "the refused open released the port";
}

std::string OwnProcessName() {
    std::ifstream comm("/proc/self/comm");
    std::string name;
    std::getline(comm, name);
    return name;
}

// Each refusal says why on its own line: a missing device is named, a busy one names the
// process holding it (here this test, through QSerialPort's lock file), settings name the line.
TEST_F(QtSerialPortTest, FailedOpensSayWhy) {
    vrk::QtSerialPort absent({"/dev/vrk-no-such-port", nullptr});
    ASSERT_EQ(absent.open(ParamsFor()), vrk::OpenResult::CannotOpen);
    EXPECT_EQ(absent.failureReason().rfind("设备 /dev/vrk-no-such-port 不存在", 0), 0u)
        << absent.failureReason();

    ASSERT_EQ(openOnPty(port), vrk::OpenResult::Ok);
    EXPECT_EQ(port.failureReason(), "");
    vrk::QtSerialPort second({pty.slavePath(), nullptr});
    ASSERT_EQ(second.open(ParamsFor()), vrk::OpenResult::CannotOpen);
    const std::string holder =
        "（进程 " + std::to_string(::getpid()) + "“" + OwnProcessName() + "”）";
    EXPECT_NE(second.failureReason().find("正被另一个程序占用" + holder), std::string::npos)
        << second.failureReason();
    port.close();

    vrk::PortParams sevenBits = ParamsFor();
    sevenBits.dataBits = 7;
    ASSERT_EQ(openOnPty(port, sevenBits), vrk::OpenResult::CannotSetParams);
    EXPECT_NE(port.failureReason().find("不接受通讯参数（波特率 1200，7 位数据位"),
              std::string::npos)
        << port.failureReason();
}

TEST_F(QtSerialPortTest, ComNameIsMappedThroughTheEnvironment) {
    ::setenv("VRK410_COM4", pty.slavePath().c_str(), 1);
    vrk::QtSerialPort mapped;
    vrk::PortParams params = ParamsFor();
    params.portName = "COM4";
    EXPECT_EQ(mapped.open(params), vrk::OpenResult::Ok);
    EXPECT_EQ(mapped.device(), pty.slavePath());
    ::unsetenv("VRK410_COM4");
}

}  // namespace

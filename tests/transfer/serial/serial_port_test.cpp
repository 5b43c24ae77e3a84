#include "serial/serial_port.h"

#include <fcntl.h>
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

class SerialPortTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(pty.ok()); }

    static vrk::OpenResult openOnPty(vrk::SerialPort& target,
                                     const vrk::PortParams& params = ParamsFor()) {
        return target.open(params);
    }

    PtyPair pty;
    vrk::SerialPort port{{pty.slavePath(), nullptr}};
};

TEST_F(SerialPortTest, ReadsWhatArrivesAndReportsAShortReadAsTimeout) {
    ASSERT_EQ(openOnPty(port), vrk::OpenResult::Ok);
    ASSERT_TRUE(pty.send("abcde"));
    std::string out;
    EXPECT_EQ(port.read(3, 2s, out), vrk::ReadResult::Ok);
    EXPECT_EQ(out, "abc");
    EXPECT_EQ(port.read(3, 200ms, out), vrk::ReadResult::Timeout);
    EXPECT_EQ(out, "abcde") << "bytes of a short read are kept";
    EXPECT_TRUE(port.isOpen()) << "a time-out leaves the port usable";
}

TEST_F(SerialPortTest, OneDeadlineCoversTheWholeReadCall) {
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

TEST_F(SerialPortTest, WrittenBytesReachTheFarEndBeforeDrainReturns) {
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

// The far end of the pty sees what the driver holds: every rate of the dialog, a raw line with
// no flow control, and the stop bits asked for.
TEST_F(SerialPortTest, AppliesTheLineSettings) {
    const std::pair<int, speed_t> rates[] = {
        {1200, B1200}, {2400, B2400}, {4800, B4800}, {9600, B9600}, {19200, B19200}};
    for (const auto& [rate, code] : rates) {
        vrk::PortParams params = ParamsFor();
        params.baudRate = rate;
        params.stopBits = rate == 19200 ? 2 : 1;
        ASSERT_EQ(openOnPty(port, params), vrk::OpenResult::Ok) << rate;
        termios line{};
        ASSERT_EQ(::tcgetattr(pty.slaveFd(), &line), 0);
        EXPECT_EQ(::cfgetispeed(&line), code) << rate;
        EXPECT_EQ(::cfgetospeed(&line), code) << rate;
        EXPECT_EQ(line.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
        EXPECT_EQ(line.c_cflag & PARENB, 0u);
        EXPECT_EQ((line.c_cflag & CSTOPB) != 0, rate == 19200) << rate;
        EXPECT_EQ(line.c_cflag & CRTSCTS, 0u);
        EXPECT_EQ(line.c_cflag & (CLOCAL | CREAD), static_cast<tcflag_t>(CLOCAL | CREAD));
        EXPECT_EQ(line.c_iflag & (IXON | IXOFF | ICRNL | INLCR | ISTRIP), 0u);
        EXPECT_EQ(line.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), 0u);
        EXPECT_EQ(line.c_oflag & OPOST, 0u);
        port.close();
    }
}

// A rate the dialog does not offer is refused rather than sent at some other speed.
TEST_F(SerialPortTest, ARateOutsideTheChoicesIsRefused) {
    vrk::PortParams params = ParamsFor();
    params.baudRate = 1234;
    EXPECT_EQ(openOnPty(port, params), vrk::OpenResult::CannotSetParams);
    EXPECT_EQ(port.failure().status, vrk::PortStatus::SettingsRefused);
    EXPECT_FALSE(port.isOpen());
}

// A pseudo-terminal always carries 8 data bits without parity; the driver's refusal is a
// refused setting, not a port that silently runs with other parameters than the dialog shows.
TEST_F(SerialPortTest, SettingsTheDeviceRefusesFailTheOpenAndReleaseThePort) {
    vrk::PortParams sevenBits = ParamsFor();
    sevenBits.dataBits = 7;
    EXPECT_EQ(openOnPty(port, sevenBits), vrk::OpenResult::CannotSetParams);
    EXPECT_FALSE(port.isOpen());

    vrk::PortParams evenParity = ParamsFor();
    evenParity.parity = vrk::Parity::Even;
    EXPECT_EQ(openOnPty(port, evenParity), vrk::OpenResult::CannotSetParams);
    EXPECT_EQ(openOnPty(port), vrk::OpenResult::Ok);
}

TEST_F(SerialPortTest, HangUpIsAnErrorAtOnceAndClosesThePort) {
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

TEST_F(SerialPortTest, ALostConnectionSaysWhatTheSystemReported) {
    ASSERT_EQ(openOnPty(port), vrk::OpenResult::Ok);
    pty.hangUp();
    std::string out;
    ASSERT_EQ(port.read(1, kLongWait, out), vrk::ReadResult::Error);
    EXPECT_EQ(port.failure().status, vrk::PortStatus::HangUp);
    EXPECT_EQ(port.failureReason(), "与设备 " + pty.slavePath() +
                                        " 的连接已断开：请检查串口线或 USB 转换器是否已拔出。"
                                        "（系统：poll 报告 POLLHUP）");
}

TEST_F(SerialPortTest, HangUpWhileAReadWaitsEndsTheRead) {
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

TEST_F(SerialPortTest, WriteAfterHangUpFails) {
    ASSERT_EQ(openOnPty(port), vrk::OpenResult::Ok);
    pty.hangUp();
    EXPECT_FALSE(port.write("\x05"));
    EXPECT_FALSE(port.isOpen());
}

TEST_F(SerialPortTest, AbandoningEndsAWaitingRead) {
    std::atomic<bool> abandoned{false};
    vrk::SerialPort quitting({pty.slavePath(), &abandoned});
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

TEST_F(SerialPortTest, APortInUseCannotBeOpenedAgainUntilClosed) {
    ASSERT_EQ(openOnPty(port), vrk::OpenResult::Ok);
    vrk::SerialPort second({pty.slavePath(), nullptr});
    EXPECT_EQ(second.open(ParamsFor()), vrk::OpenResult::CannotOpen);

    const auto link = std::filesystem::temp_directory_path() /
                      ("vrk-serial-test-link-" + std::to_string(::getpid()));
    std::filesystem::remove(link);
    std::filesystem::create_symlink(pty.slavePath(), link);
    vrk::SerialPort throughLink({link.string(), nullptr});
    EXPECT_EQ(throughLink.open(ParamsFor()), vrk::OpenResult::CannotOpen)
        << "a symlink to a busy port is the same busy port";

    port.close();
    EXPECT_EQ(throughLink.open(ParamsFor()), vrk::OpenResult::Ok);
    throughLink.close();
    EXPECT_EQ(second.open(ParamsFor()), vrk::OpenResult::Ok);
    std::filesystem::remove(link);
}

TEST_F(SerialPortTest, RefusedOpensLeaveNothingBehind) {
    vrk::SerialPort absent({"/dev/vrk-no-such-port", nullptr});
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
// process holding it (here this test, through the port's lock file), settings name the line.
TEST_F(SerialPortTest, FailedOpensSayWhy) {
    vrk::SerialPort absent({"/dev/vrk-no-such-port", nullptr});
    ASSERT_EQ(absent.open(ParamsFor()), vrk::OpenResult::CannotOpen);
    EXPECT_EQ(absent.failureReason().rfind("设备 /dev/vrk-no-such-port 不存在", 0), 0u)
        << absent.failureReason();

    ASSERT_EQ(openOnPty(port), vrk::OpenResult::Ok);
    EXPECT_EQ(port.failureReason(), "");
    vrk::SerialPort second({pty.slavePath(), nullptr});
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

TEST_F(SerialPortTest, ComNameIsMappedThroughTheEnvironment) {
    ::setenv("VRK410_COM4", pty.slavePath().c_str(), 1);
    vrk::SerialPort mapped;
    vrk::PortParams params = ParamsFor();
    params.portName = "COM4";
    EXPECT_EQ(mapped.open(params), vrk::OpenResult::Ok);
    EXPECT_EQ(mapped.device(), pty.slavePath());
    ::unsetenv("VRK410_COM4");
}

}  // namespace

namespace {

// A pseudo-terminal keeps 8 bits without parity whatever it is asked, so the data bits and
// parity reach a real UART here: the machine's first built-in port, when it has one and this
// user may open it alongside the port (root may, despite the exclusive open).
class BuiltInUartTest : public ::testing::Test {
  protected:
    static constexpr const char* kUart = "/dev/ttyS0";

    void SetUp() override {
        std::ifstream type("/sys/class/tty/ttyS0/type");
        std::string code;
        if (!std::getline(type, code) || code == "0") {
            GTEST_SKIP() << "no built-in UART at " << kUart;
        }
    }
};

TEST_F(BuiltInUartTest, EveryFrameOfTheDialogReachesTheDriver) {
    struct Frame {
        int dataBits;
        vrk::Parity parity;
        int stopBits;
        tcflag_t expected;
    };
    const Frame frames[] = {
        {7, vrk::Parity::None, 1, CS7},
        {8, vrk::Parity::Odd, 1, CS8 | PARENB | PARODD},
        {7, vrk::Parity::Even, 2, CS7 | PARENB | CSTOPB},
        {8, vrk::Parity::None, 2, CS8 | CSTOPB},
    };
    for (const Frame& frame : frames) {
        vrk::SerialPort port({kUart, nullptr});
        vrk::PortParams params = ParamsFor();
        params.baudRate = 2400;
        params.dataBits = frame.dataBits;
        params.parity = frame.parity;
        params.stopBits = frame.stopBits;
        if (port.open(params) != vrk::OpenResult::Ok) {
            GTEST_SKIP() << port.failureReason();
        }
        const int fd = ::open(kUart, O_RDONLY | O_NOCTTY | O_NONBLOCK);
        if (fd < 0) {
            GTEST_SKIP() << "a second descriptor on " << kUart << " is refused to this user";
        }
        termios line{};
        ASSERT_EQ(::tcgetattr(fd, &line), 0);
        ::close(fd);
        EXPECT_EQ(line.c_cflag & (CSIZE | PARENB | PARODD | CSTOPB), frame.expected)
            << frame.dataBits << " bits, stop " << frame.stopBits;
        EXPECT_EQ(::cfgetospeed(&line), static_cast<speed_t>(B2400));
        EXPECT_EQ((line.c_iflag & INPCK) != 0, frame.parity != vrk::Parity::None);
    }
}

}  // namespace

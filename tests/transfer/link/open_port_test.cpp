#include <gtest/gtest.h>

#include "link/comm_settings_rules.h"
#include "link/open_port.h"
#include "link_fakes.h"

namespace vrk {
namespace {

TEST(PortParams, FreshSettingsGiveCom1At1200Baud8N1) {
    const PortParams p = PortParamsFor(CommSettings{});
    EXPECT_EQ(p.portName, "COM1");
    EXPECT_EQ(p.baudRate, 1200);
    EXPECT_EQ(p.dataBits, 8);
    EXPECT_EQ(p.parity, Parity::None);
    EXPECT_EQ(p.stopBits, 1);
    EXPECT_EQ(p.queueSize, 128u);
    EXPECT_EQ(p.readTimeout, std::chrono::seconds(10));
}

TEST(PortParams, IndexesMapWithTheirFallbacks) {
    CommSettings s;
    const int bauds[] = {1200, 2400, 4800, 9600, 19200};
    for (int i = 0; i < 5; ++i) {
        s.m_nBaud = i;
        EXPECT_EQ(BaudRateFor(s), bauds[i]);
    }
    s.m_nBaud = 5;
    EXPECT_EQ(BaudRateFor(s), 1200);
    s.m_nBaud = -1;
    EXPECT_EQ(BaudRateFor(s), 1200);

    s.m_nDataBits = 0;
    EXPECT_EQ(DataBitsFor(s), 7);
    s.m_nDataBits = 7;
    EXPECT_EQ(DataBitsFor(s), 8);

    s.m_nStopBits = 1;
    EXPECT_EQ(StopBitsFor(s), 2);
    s.m_nStopBits = 2;
    EXPECT_EQ(StopBitsFor(s), 1);

    s.m_nParity = 1;
    EXPECT_EQ(ParityFor(s), Parity::Odd);
    s.m_nParity = 2;
    EXPECT_EQ(ParityFor(s), Parity::Even);
    s.m_nParity = 3;
    EXPECT_EQ(ParityFor(s), Parity::None);

    for (int i = 0; i < 6; ++i) {
        s.m_nPort = i;
        EXPECT_EQ(PortNameFor(s), "COM" + std::to_string(i + 1));
    }
    s.m_nPort = 6;
    EXPECT_EQ(PortNameFor(s), "");

    s.m_nRecvDelay = 0;
    EXPECT_EQ(ReadTimeoutFor(s), std::chrono::seconds(1)) << "never a read without end";
    s.m_nRecvDelay = 1000;
    EXPECT_EQ(ReadTimeoutFor(s), std::chrono::seconds(1000));
}

TEST(OpenPort, OpensWithTheSettingsOfThisMoment) {
    test::Rig rig;
    CommSettings s;
    s.m_nPort = 2;
    s.m_nBaud = 4;
    s.m_nRecvDelay = 3;
    rig.settings.store(s);
    ASSERT_TRUE(OpenPort(rig.ctx));
    EXPECT_EQ(rig.port.params.portName, "COM3");
    EXPECT_EQ(rig.port.params.baudRate, 19200);
    EXPECT_EQ(rig.port.params.readTimeout, std::chrono::seconds(3));
    EXPECT_TRUE(rig.prompter.messages.empty());
}

TEST(OpenPort, EachFailureHasItsMessageAndLeavesThePortClosed) {
    const std::pair<OpenResult, std::string> cases[] = {
        {OpenResult::CannotOpen, "无法创建通讯口!"},
        {OpenResult::CannotCreateBuffers, "无法创建缓冲区!"},
        {OpenResult::CannotSetParams, "无法设置通讯参数!"},
    };
    for (const auto& [result, message] : cases) {
        test::Rig rig;
        rig.port.openResult = result;
        EXPECT_FALSE(OpenPort(rig.ctx));
        EXPECT_EQ(rig.prompter.messages, std::vector<std::string>{message});
        EXPECT_FALSE(rig.port.isOpen);
        EXPECT_TRUE(rig.port.written.empty());

        // The port's reason, when it has one, follows on a line of its own.
        test::Rig explained;
        explained.port.openResult = result;
        explained.port.reason = "设备 /dev/ttyUSB0 不存在。";
        EXPECT_FALSE(OpenPort(explained.ctx));
        EXPECT_EQ(explained.prompter.messages,
                  std::vector<std::string>{message + "\n设备 /dev/ttyUSB0 不存在。"});
        EXPECT_FALSE(explained.port.isOpen);
    }
}

TEST(OpenPort, APortIndexOutsideTheSixIsNotOpened) {
    test::Rig rig;
    CommSettings s;
    s.m_nPort = 9;
    rig.settings.store(s);
    EXPECT_FALSE(OpenPort(rig.ctx));
    EXPECT_EQ(rig.port.opens, 0);
    EXPECT_EQ(rig.prompter.messages, std::vector<std::string>{"无法创建通讯口!"});
}

}  // namespace
}  // namespace vrk

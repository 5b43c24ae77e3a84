#include "serial/com_port_device.h"

#include <gtest/gtest.h>

#include <QSettings>
#include <QTemporaryDir>
#include <cstdlib>

#include "serial/port_mapping.h"

namespace {

class ComPortDeviceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, profile.path());
        clearEnvironment();
    }
    void TearDown() override { clearEnvironment(); }
    static void clearEnvironment() {
        for (int n = 1; n <= 6; ++n) {
            ::unsetenv(("VRK410_COM" + std::to_string(n)).c_str());
        }
    }
    QTemporaryDir profile;
};

TEST_F(ComPortDeviceTest, ComNamesMapToTheFirstSixSerialDevices) {
    EXPECT_EQ(vrk::ComPortDevice("COM1"), "/dev/ttyS0");
    EXPECT_EQ(vrk::ComPortDevice("COM6"), "/dev/ttyS5");
}

TEST_F(ComPortDeviceTest, EnvironmentOverridesOnlyItsOwnPort) {
    ::setenv("VRK410_COM2", "/tmp/ttyTS0", 1);
    ::setenv("VRK410_COM3", "", 1);
    EXPECT_EQ(vrk::ComPortDevice("COM2"), "/tmp/ttyTS0");
    EXPECT_EQ(vrk::ComPortDevice("COM1"), "/dev/ttyS0");
    EXPECT_EQ(vrk::ComPortDevice("COM3"), "/dev/ttyS2") << "an empty setting is no setting";
}

TEST_F(ComPortDeviceTest, TheUsersMappingComesBetweenTheEnvironmentAndTheDefault) {
    vrk::PortMapping mapping;
    mapping.deviceFor(1) = "/dev/ttyUSB0";
    mapping.deviceFor(2) = "/dev/ttyACM0";
    ASSERT_TRUE(vrk::SavePortMapping(mapping));
    ::setenv("VRK410_COM2", "/tmp/ttyTS0", 1);
    EXPECT_EQ(vrk::ComPortDevice("COM1"), "/dev/ttyUSB0");
    EXPECT_EQ(vrk::ComPortDevice("COM2"), "/tmp/ttyTS0");
    EXPECT_EQ(vrk::ComDeviceFor(2).source, vrk::ComDeviceSource::Environment);
    EXPECT_EQ(vrk::ComPortDevice("COM3"), "/dev/ttyS2");
}

TEST_F(ComPortDeviceTest, OtherNamesAreDevicePathsAlready) {
    EXPECT_EQ(vrk::ComPortDevice("/dev/ttyUSB0"), "/dev/ttyUSB0");
    EXPECT_EQ(vrk::ComPortDevice("COM7"), "COM7");
    EXPECT_EQ(vrk::ComPortDevice("COM0"), "COM0");
    EXPECT_EQ(vrk::ComPortDevice("COM12"), "COM12");
}

}  // namespace

#include "serial/com_port_device.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "serial/port_mapping.h"

namespace {

namespace fs = std::filesystem;

class ComPortDeviceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(config);
        ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
        clearEnvironment();
    }
    void TearDown() override {
        clearEnvironment();
        ::unsetenv("XDG_CONFIG_HOME");
        fs::remove_all(config);
    }
    static void clearEnvironment() {
        for (int n = 1; n <= 6; ++n) {
            ::unsetenv(("VRK410_COM" + std::to_string(n)).c_str());
        }
    }
    const fs::path config =
        fs::temp_directory_path() / ("vrk-com-test-" + std::to_string(::getpid()));
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

// The file is the one earlier versions of the program wrote: an INI group "Ports", one key per
// chosen port; other groups and quoted values are read as such a file has them.
TEST_F(ComPortDeviceTest, TheMappingFileIsAnIniFileOfPortsToDevices) {
    const fs::path file = config / "Local AppWizard-Generated Applications" / "VRK410-ports.conf";
    EXPECT_EQ(vrk::PortMappingFile(), file.string());
    fs::create_directories(file.parent_path());
    std::ofstream(file) << "[General]\nCOM1=/dev/wrong\n\n[Ports]\nCOM2=\"/dev/my port\"\r\n"
                           "COM9=/dev/ttyS9\nCOM4 = /dev/ttyUSB1 \n";
    const vrk::PortMapping mapping = vrk::LoadPortMapping();
    EXPECT_EQ(mapping.deviceFor(1), "");
    EXPECT_EQ(mapping.deviceFor(2), "/dev/my port");
    EXPECT_EQ(mapping.deviceFor(4), "/dev/ttyUSB1");

    vrk::PortMapping chosen;
    chosen.deviceFor(3) = "/dev/ttyACM0";
    ASSERT_TRUE(vrk::SavePortMapping(chosen));
    std::ifstream in(file);
    const std::string written((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(written, "[Ports]\nCOM3=/dev/ttyACM0\n");
}

TEST_F(ComPortDeviceTest, OtherNamesAreDevicePathsAlready) {
    EXPECT_EQ(vrk::ComPortDevice("/dev/ttyUSB0"), "/dev/ttyUSB0");
    EXPECT_EQ(vrk::ComPortDevice("COM7"), "COM7");
    EXPECT_EQ(vrk::ComPortDevice("COM0"), "COM0");
    EXPECT_EQ(vrk::ComPortDevice("COM12"), "COM12");
}

}  // namespace

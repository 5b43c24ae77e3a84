#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "host_fixture.h"
#include "host_output_capture.h"

namespace {

class ApplicationTableTest : public ::testing::Test {
  protected:
    void TearDown() override {
        hostApplications().unloadAll();
        for (const char* name : {"SAMPLE_MODULE_STAY_LOCKED", "SAMPLE_MODULE_KEEP_COMMANDS"}) {
            unsetenv(name);
        }
    }
    HostOutputCapture output;
};

}  // namespace

TEST_F(ApplicationTableTest, LoadsRegistersUnloadsAndUnmapsTwiceInOneRun) {
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        ASSERT_TRUE(hostApplications().load(SAMPLE_MODULE_PATH)) << output.text();
        const cadhost::LoadedApplication* app = hostApplications().find("sample_module.arx");
        ASSERT_NE(app, nullptr);
        EXPECT_FALSE(app->locked);
        EXPECT_EQ(app->apiVersion, kArxApiVersion);
        EXPECT_EQ(app->version.value("InternalName"), "SampleModule");
        ASSERT_NE(hostCommands().lookupCmd("testcmd"), nullptr);
        EXPECT_EQ(hostCommands().lookupCmd("TESTCMD")->group, "TESTGRP");
        EXPECT_TRUE(moduleStillLoaded(SAMPLE_MODULE_PATH));

        ASSERT_TRUE(hostApplications().unload("SAMPLE_MODULE")) << output.text();
        EXPECT_EQ(hostApplications().find("sample_module.arx"), nullptr);
        EXPECT_EQ(hostCommands().lookupCmd("TESTCMD"), nullptr);
        EXPECT_FALSE(hostCommands().hasGroup("TESTGRP"));
        EXPECT_FALSE(moduleStillLoaded(SAMPLE_MODULE_PATH));
    }
    EXPECT_FALSE(output.contains("still mapped")) << output.text();
}

TEST_F(ApplicationTableTest, RefusesAModuleBuiltForAnotherVersionBeforeInitialising) {
    EXPECT_FALSE(hostApplications().load(OLD_VERSION_MODULE_PATH));
    EXPECT_TRUE(
        output.contains("old_version_module.arx was built for API version 0x0F0000; this "
                        "host runs version 0x100000. Not loaded."))
        << output.text();
    EXPECT_FALSE(output.contains("old module initialised"));
    EXPECT_EQ(hostApplications().find("old_version_module"), nullptr);
    EXPECT_FALSE(moduleStillLoaded(OLD_VERSION_MODULE_PATH));
}

TEST_F(ApplicationTableTest, ReportsMissingFilesAndDoubleLoads) {
    EXPECT_FALSE(hostApplications().load("/nonexistent/none.arx"));
    EXPECT_TRUE(output.contains("Unable to load /nonexistent/none.arx")) << output.text();
    ASSERT_TRUE(hostApplications().load(SAMPLE_MODULE_PATH));
    EXPECT_FALSE(hostApplications().load(SAMPLE_MODULE_PATH));
    EXPECT_TRUE(output.contains("sample_module.arx is already loaded."));
    EXPECT_FALSE(hostApplications().unload("other.arx"));
    EXPECT_TRUE(output.contains("other.arx is not loaded."));
}

TEST_F(ApplicationTableTest, RefusesTheSameFileUnderAnotherName) {
    namespace fs = std::filesystem;
    const fs::path link =
        fs::temp_directory_path() / ("cadhost-alias-" + std::to_string(getpid()) + ".arx");
    fs::remove(link);
    fs::create_symlink(SAMPLE_MODULE_PATH, link);
    ASSERT_TRUE(hostApplications().load(SAMPLE_MODULE_PATH));
    EXPECT_FALSE(hostApplications().load(link.string()));
    EXPECT_TRUE(
        output.contains(link.filename().string() + " is already loaded as sample_module.arx."))
        << output.text();
    EXPECT_EQ(hostApplications().list().size(), 1u);
    ASSERT_TRUE(hostApplications().unload("sample_module.arx"));
    EXPECT_FALSE(moduleStillLoaded(SAMPLE_MODULE_PATH));
    fs::remove(link);
}

TEST_F(ApplicationTableTest, KeepsALockedApplicationUntilExit) {
    setenv("SAMPLE_MODULE_STAY_LOCKED", "1", 1);
    ASSERT_TRUE(hostApplications().load(SAMPLE_MODULE_PATH));
    EXPECT_TRUE(hostLinker().isApplicationLocked("sample_module.arx"));
    EXPECT_FALSE(hostApplications().unload("sample_module.arx"));
    EXPECT_TRUE(output.contains("sample_module.arx is locked and cannot be unloaded."));
    EXPECT_NE(hostCommands().lookupCmd("TESTCMD"), nullptr);
    hostApplications().unloadAll();
    EXPECT_EQ(hostCommands().lookupCmd("TESTCMD"), nullptr);
    EXPECT_FALSE(moduleStillLoaded(SAMPLE_MODULE_PATH));
}

TEST_F(ApplicationTableTest, RemovesCommandsThatAnUnloadedModuleLeftBehind) {
    setenv("SAMPLE_MODULE_KEEP_COMMANDS", "1", 1);
    ASSERT_TRUE(hostApplications().load(SAMPLE_MODULE_PATH));
    ASSERT_TRUE(hostApplications().unload("sample_module.arx"));
    EXPECT_TRUE(
        output.contains("sample_module.arx left 2 command(s) registered; the host "
                        "removed them."))
        << output.text();
    EXPECT_EQ(hostCommands().lookupCmd("TESTCMD"), nullptr);
}

TEST_F(ApplicationTableTest, OtherMessagesChangeNothing) {
    ASSERT_TRUE(hostApplications().load(SAMPLE_MODULE_PATH));
    for (auto message : {AcRx::kLoadDwgMsg, AcRx::kUnloadDwgMsg, AcRx::kQuitMsg, AcRx::kNullMsg}) {
        EXPECT_TRUE(hostApplications().sendMessage("sample_module.arx", message));
    }
    EXPECT_NE(hostCommands().lookupCmd("TESTCMD"), nullptr);
    EXPECT_FALSE(hostApplications().sendMessage("absent.arx", AcRx::kQuitMsg));
}

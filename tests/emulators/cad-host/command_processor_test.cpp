#include "command_processor.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "host_fixture.h"
#include "host_output_capture.h"

namespace {

class CommandProcessorTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(hostApplications().load(SAMPLE_MODULE_PATH)); }
    void TearDown() override {
        hostApplications().unloadAll();
        unsetenv("SAMPLE_MODULE_THROW");
        unsetenv("SAMPLE_MODULE_LEAK_HANDLE");
    }
    std::size_t count(std::string_view part) const {
        std::size_t n = 0;
        for (auto at = output.text().find(part); at != std::string::npos;
             at = output.text().find(part, at + 1)) {
            ++n;
        }
        return n;
    }

    HostOutputCapture output;
    cadhost::DialogScript dialogs;
    cadhost::CommandProcessor processor{dialogs};
};

}  // namespace

TEST_F(CommandProcessorTest, RunsRegisteredCommandsByEitherNameInAnyCase) {
    processor.submit("testcmd");
    processor.submit("  TestLocal  ");
    EXPECT_EQ(count("TESTCMD ran %s %d"), 2u) << output.text();
    processor.submit("nosuch");
    EXPECT_TRUE(output.contains("Unknown command \"NOSUCH\"."));
    EXPECT_EQ(processor.failures(), 1);
}

TEST_F(CommandProcessorTest, TransparentCommandRunsWhileAnotherWaitsAndThatOneContinues) {
    processor.submit("APPLOAD");
    ASSERT_TRUE(processor.isWaiting());
    EXPECT_EQ(processor.prompt(), "Application file to load: ");
    processor.submit("'testcmd");
    EXPECT_TRUE(output.contains("TESTCMD ran"));
    EXPECT_EQ(processor.prompt(), "Application file to load: ");
    // A modal command may not interrupt; the question stays.
    processor.submit("'TESTMODAL");
    EXPECT_TRUE(output.contains("** That command may not be invoked transparently **"));
    EXPECT_FALSE(output.contains("TESTMODAL ran"));
    processor.submit("'COMMANDS");
    EXPECT_TRUE(output.contains("TESTGRP  TESTCMD (testlocal)  transparent, pick-first set"));
    EXPECT_TRUE(processor.isWaiting());
    processor.submit(OLD_VERSION_MODULE_PATH);
    EXPECT_FALSE(processor.isWaiting());
    EXPECT_TRUE(output.contains("Not loaded."));
    EXPECT_EQ(processor.prompt(), "Command: ");
}

TEST_F(CommandProcessorTest, EmptyAnswerCancelsTheWaitingCommand) {
    processor.submit("ARX UNLOAD");
    ASSERT_TRUE(processor.isWaiting());
    processor.submit("");
    EXPECT_TRUE(output.contains("*Cancel*"));
    EXPECT_FALSE(processor.isWaiting());
    EXPECT_NE(hostApplications().find("sample_module.arx"), nullptr);
}

TEST_F(CommandProcessorTest, ListsApplicationsWithTheirVersionTexts) {
    processor.submit("arx");
    EXPECT_TRUE(output.contains("  sample_module.arx"));
    EXPECT_TRUE(output.contains("File version: 2.3.4.5"));
    EXPECT_TRUE(output.contains("File description: Host test application"));
    processor.submit("ARX UNLOAD sample_module");
    processor.submit("ARX ?");
    EXPECT_TRUE(output.contains("No applications are loaded."));
    processor.submit("testcmd");
    EXPECT_TRUE(output.contains("Unknown command \"TESTCMD\"."));
}

TEST_F(CommandProcessorTest, ACommandThatThrowsIsReportedAndTheHostGoesOn) {
    setenv("SAMPLE_MODULE_THROW", "1", 1);
    processor.submit("TESTCMD");
    EXPECT_TRUE(output.contains("TESTCMD failed: asked to throw")) << output.text();
    EXPECT_EQ(processor.failures(), 1);
    unsetenv("SAMPLE_MODULE_THROW");
    processor.submit("TESTCMD");
    EXPECT_TRUE(output.contains("TESTCMD ran"));
}

TEST_F(CommandProcessorTest, ResourceHandlesLeftPushedAreTakenBack) {
    setenv("SAMPLE_MODULE_LEAK_HANDLE", "1", 1);
    const std::size_t depth = acDocManagerPtr()->pushedResourceHandles();
    processor.submit("TESTCMD");
    EXPECT_TRUE(output.contains("TESTCMD left 1 resource handle(s) pushed; the host popped them."));
    EXPECT_EQ(acDocManagerPtr()->pushedResourceHandles(), depth);
}

TEST_F(CommandProcessorTest, QueuesDialogAnswersAndEndsOnQuit) {
    processor.submit("DIALOG OK");
    processor.submit("dialog shot \"/tmp/a b.png\"");
    processor.submit("DIALOG MAYBE");
    ASSERT_EQ(dialogs.size(), 2u);
    EXPECT_EQ(dialogs.take()->kind, cadhost::DialogAnswer::Kind::Ok);
    EXPECT_EQ(dialogs.take()->path, "/tmp/a b.png");
    EXPECT_EQ(processor.failures(), 1);
    processor.submit("quit");
    EXPECT_TRUE(processor.quitRequested());
}

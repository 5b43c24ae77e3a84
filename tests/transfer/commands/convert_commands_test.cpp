#include <gtest/gtest.h>

#include "commands/convert_commands.h"
#include "download_text.h"
#include "link/upload_lines.h"
#include "link_fakes.h"

namespace vrk {
namespace {

const std::string kDownload =
    test::DownloadTextOf(BuildCoordUpload("P1,P1,1000.000,2000.000,50.000\r\n"));

TEST(ConvertCommands, AFailureIsToldAndTheViewStays) {
    test::Events events;
    test::FakeView view(events);
    test::FakePrompter prompter(events);
    view.text = "nothing to convert";
    view.modified = true;
    OnConvertDelf(view, prompter);
    OnConvertPcode(view, prompter);
    EXPECT_EQ(prompter.messages, (std::vector<std::string>{"转换失败\n文本中没有换行符(LF)",
                                                           "转换失败\n文本中没有换行符(LF)"}));
    EXPECT_TRUE(prompter.questions.empty()) << "no question before a failure";
    EXPECT_EQ(view.text, "nothing to convert");
}

TEST(ConvertCommands, NoToTheQuestionKeepsTheTextAndYesReplacesIt) {
    test::Events events;
    test::FakeView view(events);
    test::FakePrompter prompter(events);
    view.text = kDownload;
    view.modified = true;
    prompter.answers = {false};
    OnConvertDelf(view, prompter);
    EXPECT_EQ(view.text, kDownload);
    EXPECT_TRUE(view.modified);
    EXPECT_TRUE(events.back() == "question");

    EXPECT_EQ(OnConvertDelf(view, prompter), "DELF: 1 个点");
    EXPECT_EQ(view.text, "P1        ,P1        ,1000.000,2000.000,50.000\r\n");
    EXPECT_EQ(std::vector<std::string>(events.end() - 2, events.end()),
              (std::vector<std::string>{"clear", "set"}));
    EXPECT_TRUE(prompter.messages.empty());
}

TEST(ConvertCommands, SavedTextIsReplacedWithoutAQuestion) {
    test::Events events;
    test::FakeView view(events);
    test::FakePrompter prompter(events);
    view.text = test::DownloadTextOf(BuildPcodeUpload("3,TREE\r\n"));
    OnConvertPcode(view, prompter);
    EXPECT_TRUE(prompter.questions.empty());
    EXPECT_EQ(view.text, "3,TREE      \r\n");
}

}  // namespace
}  // namespace vrk

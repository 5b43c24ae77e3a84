#include <gtest/gtest.h>

#include "commands/confirm_discard.h"
#include "commands/transfer_commands.h"
#include "link_fakes.h"

namespace vrk {
namespace {

struct ScriptedSendAnyway final : SendAnywayQuestion {
    bool askSendAnyway(const UploadFindings& findings) override {
        asked.push_back(findings);
        return answer;
    }
    bool answer = false;
    std::vector<UploadFindings> asked;
};

TEST(ConfirmDiscardText, AsksOnlyAboutModifiedText) {
    test::Rig rig;
    EXPECT_TRUE(ConfirmDiscardText(rig.view, rig.prompter));
    EXPECT_TRUE(rig.prompter.questions.empty());

    rig.view.modified = true;
    rig.prompter.answers = {false, true};
    EXPECT_FALSE(ConfirmDiscardText(rig.view, rig.prompter));
    EXPECT_TRUE(ConfirmDiscardText(rig.view, rig.prompter));
    EXPECT_EQ(rig.prompter.questions, (std::vector<std::string>(2, "文本尚未存盘,是否继续?")));
}

TEST(ViewCommands, NoLeavesEverythingAndYesBuildsTheJob) {
    test::Rig rig;
    rig.view.text = "P1,P1,1,2,3\r\n";
    rig.view.modified = true;
    rig.prompter.answers = {false, false, false};
    ScriptedSendAnyway question;
    EXPECT_FALSE(PrepareCoordUpload(rig.view, rig.prompter, question));
    EXPECT_FALSE(PreparePcodeUpload(rig.view, rig.prompter, question));
    EXPECT_FALSE(ConfirmDownload(rig.view, rig.prompter));

    const auto coords = PrepareCoordUpload(rig.view, rig.prompter, question);
    ASSERT_TRUE(coords);
    EXPECT_TRUE(coords->uploadCoords);
    EXPECT_EQ(coords->uploadBuffer.substr(0, 7), "_+P1   ");
    const auto codes = PreparePcodeUpload(rig.view, rig.prompter, question);
    ASSERT_TRUE(codes);
    EXPECT_FALSE(codes->uploadCoords);
    EXPECT_TRUE(ConfirmDownload(rig.view, rig.prompter));
    EXPECT_EQ(rig.view.text, "P1,P1,1,2,3\r\n");
    EXPECT_TRUE(question.asked.empty()) << "a clean list asks nothing more";
}

TEST(ViewCommands, FindingsAskAfterTheUnsavedQuestionAndCancelSendsNothing) {
    test::Rig rig;
    rig.view.text = "P1,P1,1,2,3\r\nP1,P1,4,5,6\r\n";
    rig.view.modified = true;
    rig.prompter.answers = {true, true};
    ScriptedSendAnyway question;
    EXPECT_FALSE(PrepareCoordUpload(rig.view, rig.prompter, question));
    ASSERT_EQ(question.asked.size(), 1u);
    ASSERT_EQ(question.asked[0].size(), 1u);
    EXPECT_EQ(question.asked[0][0].line, 2u);

    question.answer = true;
    const auto coords = PrepareCoordUpload(rig.view, rig.prompter, question);
    ASSERT_TRUE(coords);
    const std::string& sent = coords->uploadBuffer;
    EXPECT_NE(sent.find("_+P1"), sent.rfind("_+P1")) << "both points are sent";
    EXPECT_EQ(rig.prompter.questions.size(), 2u);
}

}  // namespace
}  // namespace vrk

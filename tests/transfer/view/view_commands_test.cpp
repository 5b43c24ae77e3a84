#include <gtest/gtest.h>

#include "link_fakes.h"
#include "view/confirm_discard.h"
#include "view/view_commands.h"

namespace vrk {
namespace {

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
    EXPECT_FALSE(PrepareCoordUpload(rig.view, rig.prompter));
    EXPECT_FALSE(PreparePcodeUpload(rig.view, rig.prompter));
    EXPECT_FALSE(ConfirmDownload(rig.view, rig.prompter));

    const auto coords = PrepareCoordUpload(rig.view, rig.prompter);
    ASSERT_TRUE(coords);
    EXPECT_TRUE(coords->m_bUploadCoords);
    EXPECT_EQ(coords->m_strUpload.substr(0, 7), "_+P1   ");
    const auto codes = PreparePcodeUpload(rig.view, rig.prompter);
    ASSERT_TRUE(codes);
    EXPECT_FALSE(codes->m_bUploadCoords);
    EXPECT_TRUE(ConfirmDownload(rig.view, rig.prompter));
    EXPECT_EQ(rig.view.text, "P1,P1,1,2,3\r\n");
}

}  // namespace
}  // namespace vrk

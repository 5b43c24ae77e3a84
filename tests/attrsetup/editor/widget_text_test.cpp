// The GBK texts of the dialog's widgets: one converter serves every line of a list, so what one
// value leaves behind must not reach the next.
#include <gtest/gtest.h>

#include "editor/widget_text.h"

namespace quorbel::editor {
namespace {

TEST(WidgetText, AValueEndingInALoneLeadByteLeavesTheNextValueAlone) {
    // 0xB1 0xED is 表; a lead byte cut off at the end of one value must not pair with the first
    // byte of the next.
    EXPECT_EQ(fromGbk("A\xB1"), QStringLiteral("A"));
    EXPECT_EQ(fromGbk("\xED\x41"), QString(QChar(0x979F)));
    EXPECT_EQ(fromGbk("\xB1"), QString());
    EXPECT_EQ(fromGbk("\xED"), QString());
    EXPECT_EQ(fromGbk("\xB1\xED"), QString::fromUtf8("表"));
    EXPECT_EQ(fromGbk("x"), QStringLiteral("x"));
}

TEST(WidgetText, TextThatGbkCannotHoldIsRefusedAndTheNextIsNot) {
    std::string bytes;
    EXPECT_FALSE(toGbk(QString::fromUtf8("表\xF0\x9F\x98\x80"), bytes));
    ASSERT_TRUE(toGbk(QString::fromUtf8("表"), bytes));
    EXPECT_EQ(bytes, "\xB1\xED");
}

}  // namespace
}  // namespace quorbel::editor

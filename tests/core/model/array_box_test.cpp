// The array boxes of the source and receiver editors ("Source Array",
// "Receiver Array"): setting one makes the item an array with both blocks,
// clearing it keeps the block values but stops writing them.
#include <gtest/gtest.h>

#include "model/receiver_editor.h"
#include "model/source_editor.h"

namespace elix {
namespace {

TEST(ArrayBoxTest, SettingAddsBothBlocksAndKeepsTheDirectionBit) {
    EXPECT_EQ(ArrayFlagsWithArray(0, true), kArrayElementBlock | kArrayFocusingBlock);
    EXPECT_EQ(ArrayFlagsWithArray(kArrayPointDirection, true),
              kArrayElementBlock | kArrayFocusingBlock | kArrayPointDirection);
    EXPECT_EQ(ArrayFlagsWithArray(kArrayElementBlock | kArrayPointDirection, false), 0);
}

TEST(ArrayBoxTest, ReceiverArrayBoxMakesAPlainReceiverAnArray) {
    CReceiver r;
    r.element.size = 0.5e-3f;
    ReceiverAdvancedFields f = ShowReceiverAdvanced(r);
    EXPECT_FALSE(f.receiverArray);
    f.receiverArray = true;
    ASSERT_TRUE(TakeReceiverAdvanced(f, r, nullptr));
    EXPECT_EQ(r.curveArrayFlags, kArrayElementBlock | kArrayFocusingBlock);
    EXPECT_EQ(r.form, CReceiver::kAdvancedForm);

    // An array that has only its focusing block keeps its flags.
    r.curveArrayFlags = kArrayFocusingBlock;
    f = ShowReceiverAdvanced(r);
    ASSERT_TRUE(TakeReceiverAdvanced(f, r, nullptr));
    EXPECT_EQ(r.curveArrayFlags, kArrayFocusingBlock);

    f.receiverArray = false;
    ASSERT_TRUE(TakeReceiverAdvanced(f, r, nullptr));
    EXPECT_EQ(r.curveArrayFlags, 0);
    EXPECT_EQ(r.element.size, 0.5e-3f);  // the block keeps its values
}

}  // namespace
}  // namespace elix

namespace elix {
namespace {

TEST(NameRelativeToModelTest, FilesBesideTheModelKeepOnlyTheirName) {
    EXPECT_EQ(NameRelativeToModel("/data/m/plate.wmd", "/data/m/echo.txt"), "echo.txt");
    EXPECT_EQ(NameRelativeToModel("/data/m/plate.wmd", "/data/m/out/echo.txt"), "/data/m/out/echo.txt");
    EXPECT_EQ(NameRelativeToModel("/data/m/plate.wmd", "/data/echo.txt"), "/data/echo.txt");
    EXPECT_EQ(NameRelativeToModel("C:\\m\\plate.wmd", "C:/m/p.wtf"), "p.wtf");
    EXPECT_EQ(NameRelativeToModel("", "/data/m/echo.txt"), "/data/m/echo.txt");  // not saved yet
}

}  // namespace
}  // namespace elix

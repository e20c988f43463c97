#include <gtest/gtest.h>

#include <string>

#include "model/elix_doc.h"

namespace elix {
namespace {

template <class T>
T Named(const std::string& name) {
    T record{};
    record.name = name;
    return record;
}

// The list rules are one template; these run them for every kind so a
// wrong capacity or message text in any kind is caught.
template <class T>
class ItemListKindTest : public ::testing::Test {};
using AllKinds = ::testing::Types<CMaterialProperty, CBoundaryCondition, CSource, CReceiver, CElectrode, CElectrodePair>;
TYPED_TEST_SUITE(ItemListKindTest, AllKinds);

TYPED_TEST(ItemListKindTest, FullListIsReportedBeforeNameChecksAndChangesNothing) {
    CElixDoc doc;
    auto& list = doc.Items<TypeParam>();
    const int capacity = list.Capacity();
    for (int k = 0; k < capacity; ++k) ASSERT_TRUE(doc.AddItem(Named<TypeParam>("item" + std::to_string(k))));
    EXPECT_EQ(list.Count(), capacity);
    doc.SetModifiedFlag(false);
    // Even an empty or duplicate name gets the full-list message first.
    EXPECT_FALSE(doc.AddItem(Named<TypeParam>("")));
    EXPECT_EQ(doc.MessageText(), list.Texts().fullList);
    EXPECT_FALSE(doc.AddItem(Named<TypeParam>("item0")));
    EXPECT_EQ(doc.MessageText(), list.Texts().fullList);
    EXPECT_EQ(list.Count(), capacity);
    EXPECT_EQ(list.Current(), capacity - 1);
    EXPECT_FALSE(doc.IsModified());
}

TYPED_TEST(ItemListKindTest, NamesAreExactByteStrings) {
    CElixDoc doc;
    EXPECT_TRUE(doc.AddItem(Named<TypeParam>("steel")));
    EXPECT_TRUE(doc.AddItem(Named<TypeParam>("Steel")));
    EXPECT_TRUE(doc.AddItem(Named<TypeParam>("Steel ")));  // no trimming
    EXPECT_FALSE(doc.AddItem(Named<TypeParam>("Steel")));
    EXPECT_EQ(doc.MessageText(), doc.Items<TypeParam>().Texts().duplicateName);
    EXPECT_FALSE(doc.AddItem(Named<TypeParam>("")));
    EXPECT_EQ(doc.MessageText(), doc.Items<TypeParam>().Texts().emptyName);
    EXPECT_EQ(doc.Items<TypeParam>().Count(), 3);
}

TYPED_TEST(ItemListKindTest, DeleteKeepsOrMovesTheCurrentIndex) {
    CElixDoc doc;
    auto& list = doc.Items<TypeParam>();
    for (const char* name : {"a", "b", "c", "d"}) ASSERT_TRUE(doc.AddItem(Named<TypeParam>(name)));
    ASSERT_EQ(list.Current(), 3);
    // Deleting the last item moves current to the new last item.
    ASSERT_TRUE(doc.template DeleteItem<TypeParam>("d"));
    EXPECT_EQ(list.Current(), 2);
    // Deleting an item before the current one keeps the index, which now
    // shows the item that followed.
    ASSERT_TRUE(doc.template SelectPreviousItem<TypeParam>());
    ASSERT_EQ(list.Current(), 1);
    ASSERT_TRUE(doc.template DeleteItem<TypeParam>("a"));
    EXPECT_EQ(list.Current(), 1);
    TypeParam current;
    ASSERT_TRUE(doc.GetCurrentItem(current));
    EXPECT_EQ(current.name, "c");
    EXPECT_FALSE(doc.template DeleteItem<TypeParam>("zzz"));
    EXPECT_EQ(doc.MessageText(), list.Texts().nameNotFound);
    // Emptying the list leaves current at -1; Next then reports the last item.
    ASSERT_TRUE(doc.template DeleteItem<TypeParam>("b"));
    ASSERT_TRUE(doc.template DeleteItem<TypeParam>("c"));
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Current(), -1);
    EXPECT_FALSE(doc.template SelectNextItem<TypeParam>());
    EXPECT_EQ(doc.MessageText(), list.Texts().lastItem);
    EXPECT_FALSE(doc.template DeleteItem<TypeParam>("b"));
    EXPECT_EQ(doc.MessageText(), list.Texts().nameNotFound);
    current.name = "kept";
    EXPECT_FALSE(doc.GetCurrentItem(current));
    EXPECT_EQ(current.name, "");
}

TYPED_TEST(ItemListKindTest, NavigationStopsAtBothEnds) {
    CElixDoc doc;
    auto& list = doc.Items<TypeParam>();
    ASSERT_TRUE(doc.AddItem(Named<TypeParam>("a")));
    ASSERT_TRUE(doc.AddItem(Named<TypeParam>("b")));
    EXPECT_FALSE(doc.template SelectNextItem<TypeParam>());
    EXPECT_EQ(doc.MessageText(), list.Texts().lastItem);
    EXPECT_TRUE(doc.template SelectPreviousItem<TypeParam>());
    EXPECT_FALSE(doc.template SelectPreviousItem<TypeParam>());
    EXPECT_EQ(doc.MessageText(), list.Texts().firstItem);
    EXPECT_EQ(list.Current(), 0);
}

TYPED_TEST(ItemListKindTest, ModifyChecksOtherNamesOnly) {
    CElixDoc doc;
    auto& list = doc.Items<TypeParam>();
    TypeParam record = Named<TypeParam>("x");
    EXPECT_FALSE(doc.ModifyCurrentItem(record));  // empty list: no message
    EXPECT_EQ(doc.MessageText(), "");
    ASSERT_TRUE(doc.AddItem(Named<TypeParam>("a")));
    ASSERT_TRUE(doc.AddItem(Named<TypeParam>("b")));
    record = Named<TypeParam>("b");  // its own name is fine
    EXPECT_TRUE(doc.ModifyCurrentItem(record));
    record = Named<TypeParam>("a");
    EXPECT_FALSE(doc.ModifyCurrentItem(record));
    EXPECT_EQ(doc.MessageText(), list.Texts().modifyDuplicateName);
    record = Named<TypeParam>("");  // an empty name is not refused here
    EXPECT_TRUE(doc.ModifyCurrentItem(record));
    EXPECT_EQ(list[1].name, "");
}

TEST(ItemListTest, CapacitiesAndPerKindTexts) {
    CElixDoc doc;
    EXPECT_EQ(doc.Materials().Capacity(), 16);
    EXPECT_EQ(doc.BoundaryConditions().Capacity(), 32);
    EXPECT_EQ(doc.Sources().Capacity(), 32);
    EXPECT_EQ(doc.Receivers().Capacity(), 32);
    EXPECT_EQ(doc.Electrodes().Capacity(), 128);
    EXPECT_EQ(doc.ElectrodePairs().Capacity(), 128);
    EXPECT_STREQ(doc.ElectrodePairs().Texts().modifyDuplicateName, "Electrode pair must have a unique name!");
    EXPECT_STREQ(doc.ElectrodePairs().Texts().duplicateName, "Electrode Pair must have a unique name!");
    EXPECT_STREQ(doc.Materials().Texts().fullList, "No more material property can be added!");
}

TEST(ItemListTest, ApplyingAMaterialTakesItsGrayLevelFromOthers) {
    CElixDoc doc;
    CMaterialProperty steel = Named<CMaterialProperty>("Steel");
    steel.grayLevel = 3;
    CMaterialProperty water = Named<CMaterialProperty>("Water");
    water.grayLevel = 7;
    ASSERT_TRUE(doc.AddItem(steel));
    ASSERT_TRUE(doc.AddItem(water));
    water.grayLevel = 3;
    ASSERT_TRUE(doc.ModifyCurrentItem(water));
    EXPECT_EQ(doc.Materials()[0].grayLevel, 255);
    EXPECT_EQ(doc.Materials()[1].grayLevel, 3);
}

TEST(ItemListTest, MaterialDeleteLeavesADefaultSlot) {
    CElixDoc doc;
    CMaterialProperty steel = Named<CMaterialProperty>("Steel");
    steel.density = 7850.0f;
    ASSERT_TRUE(doc.AddItem(Named<CMaterialProperty>("Water")));
    ASSERT_TRUE(doc.AddItem(steel));
    ASSERT_TRUE(doc.DeleteItem<CMaterialProperty>("Water"));
    EXPECT_EQ(doc.Materials()[0].name, "Steel");
    EXPECT_EQ(doc.Materials()[1].name, "");
    EXPECT_EQ(doc.Materials()[1].density, CMaterialProperty{}.density);
}

TEST(ItemListTest, ReceiverOutputFilesMustDifferOrBeBlank) {
    CElixDoc doc;
    CReceiver a = Named<CReceiver>("A");
    a.outputFile = "a.txt";
    CReceiver b = Named<CReceiver>("B");
    ASSERT_TRUE(doc.AddItem(a));
    ASSERT_TRUE(doc.AddItem(b));
    CReceiver c = Named<CReceiver>("C");  // two blanks are allowed
    ASSERT_TRUE(doc.AddItem(c));
    ASSERT_TRUE(doc.SelectPreviousItem<CReceiver>());
    b.outputFile = "a.txt";
    EXPECT_FALSE(doc.ModifyCurrentItem(b));
    EXPECT_EQ(doc.MessageText(), "Receiver output file must have a unique file name or blank!");
    EXPECT_EQ(b.outputFile, "");  // the editor shows it blank
    EXPECT_EQ(doc.Receivers()[1].outputFile, "");
    EXPECT_TRUE(doc.ModifyCurrentItem(b));  // now blank: accepted
}

// The unique-output-file rule is the receivers' alone: two electrodes may
// save into the same file, and applying one keeps its file name.
TEST(ItemListTest, ElectrodesMayShareAnOutputFile) {
    CElixDoc doc;
    CElectrode a = Named<CElectrode>("A");
    a.outputFile = "e.txt";
    CElectrode b = Named<CElectrode>("B");
    ASSERT_TRUE(doc.AddItem(a));
    ASSERT_TRUE(doc.AddItem(b));
    b.outputFile = "e.txt";
    EXPECT_TRUE(doc.ModifyCurrentItem(b));
    EXPECT_EQ(b.outputFile, "e.txt");
    EXPECT_EQ(doc.Electrodes()[1].outputFile, "e.txt");
    EXPECT_EQ(doc.Electrodes()[0].outputFile, "e.txt");
}

TEST(ItemListTest, SuccessfulChangesMarkTheDocumentModified) {
    CElixDoc doc;
    EXPECT_FALSE(doc.IsModified());
    ASSERT_TRUE(doc.AddItem(Named<CSource>("S")));
    EXPECT_TRUE(doc.IsModified());
    doc.SetModifiedFlag(false);
    EXPECT_FALSE(doc.SelectNextItem<CSource>());
    EXPECT_FALSE(doc.AddItem(Named<CSource>("S")));
    EXPECT_FALSE(doc.IsModified());
    CSource s = Named<CSource>("T");
    ASSERT_TRUE(doc.ModifyCurrentItem(s));
    EXPECT_TRUE(doc.IsModified());
}

}  // namespace
}  // namespace elix

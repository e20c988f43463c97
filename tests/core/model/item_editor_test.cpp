#include "model/item_editor.h"

#include <gtest/gtest.h>

#include <sstream>

#include "support/scripted_ui.h"

namespace elix {
namespace {

struct EditorFixture : ::testing::Test {
    CElixDoc doc;
    test::ScriptedUserInterface ui;
    int redraws = 0;
    void SetUp() override {
        doc.SetUserInterface(&ui);
        doc.AddViewObserver([this](char) { ++redraws; });
    }
};

using ItemEditorTest = EditorFixture;

TEST_F(ItemEditorTest, AddResetsTheBufferExceptForMaterials) {
    auto sources = CItemEditor<CSource>::ForDocument(doc);
    EXPECT_EQ(doc.DisplayCategory, "Sources");
    sources.buffer.timeDelay = 5e-6f;
    ASSERT_TRUE(sources.Add());
    EXPECT_EQ(doc.Sources()[0].name, "New");
    EXPECT_EQ(doc.Sources()[0].timeDelay, CSource{}.timeDelay);

    auto receivers = CItemEditor<CReceiver>::ForDocument(doc);
    receivers.buffer.outputFile = "r.txt";
    ASSERT_TRUE(receivers.Add());
    EXPECT_EQ(doc.Receivers()[0].outputFile, "");

    auto materials = CItemEditor<CMaterialProperty>::ForDocument(doc);
    materials.buffer.density = 7850.0f;
    ASSERT_TRUE(materials.Add());
    EXPECT_EQ(doc.Materials()[0].name, "New");
    EXPECT_EQ(doc.Materials()[0].density, 7850.0f);
    // A second Add without renaming fails on the unique-name rule.
    EXPECT_FALSE(materials.Add());
    EXPECT_EQ(ui.LastText(), "Material property must have a unique name!");
    EXPECT_EQ(ui.shown.back().style, MessageStyle::Information);
}

TEST_F(ItemEditorTest, CopyNamesTheCopyAndRefusesAnEmptyList) {
    auto editor = CItemEditor<CMaterialProperty>::ForDocument(doc);
    EXPECT_FALSE(editor.Copy());
    EXPECT_EQ(ui.LastText(), "Unable to copy an empty item.");
    editor.buffer.name = "Steel";
    ASSERT_TRUE(doc.AddItem(editor.buffer));
    editor.Load();
    ASSERT_TRUE(editor.Copy());
    EXPECT_EQ(doc.Materials()[1].name, "copy of Steel");
    EXPECT_EQ(doc.Materials().Current(), 1);
    // Copying Steel again: "copy of Steel" exists already.
    editor.buffer.name = "Steel";
    EXPECT_FALSE(editor.Copy());
    EXPECT_EQ(ui.LastText(), "Material property must have a unique name!");
}

TEST_F(ItemEditorTest, DeleteAsksWithTheNameOnDisplay) {
    auto editor = CItemEditor<CBoundaryCondition>::ForDocument(doc);
    CBoundaryCondition a, b;
    a.name = "A";
    b.name = "B";
    ASSERT_TRUE(doc.AddItem(a));
    ASSERT_TRUE(doc.AddItem(b));
    editor.Load();
    ASSERT_EQ(editor.buffer.name, "B");
    editor.buffer.name = "A";  // renamed on display, not applied
    ui.answers = {MessageAnswer::No};
    EXPECT_FALSE(editor.Delete());
    EXPECT_EQ(ui.LastText(), "Are you sure you want to delete BC 'A'?");
    EXPECT_EQ(doc.BoundaryConditions().Count(), 2);
    ASSERT_TRUE(editor.Delete());  // Yes: deletes "A", the name on display
    EXPECT_EQ(doc.BoundaryConditions().Count(), 1);
    EXPECT_EQ(doc.BoundaryConditions()[0].name, "B");
    EXPECT_EQ(editor.buffer.name, "B");  // the new current item is shown
}

TEST_F(ItemEditorTest, ApplyOnEmptyListAndFailures) {
    auto editor = CItemEditor<CElectrodePair>::ForDocument(doc);
    EXPECT_FALSE(editor.Apply());
    EXPECT_EQ(ui.LastText(), "This model has no electrode pair\nTo add an electrode pair, press \"add\" button");
    EXPECT_EQ(ui.shown.back().style, MessageStyle::Information);
    EXPECT_FALSE(editor.RequireItemForOption());
    EXPECT_EQ(ui.LastText(), "Please add electrode pair before checking this option.");
    ASSERT_TRUE(editor.Add());
    EXPECT_EQ(editor.buffer.name, "New");
    editor.buffer.name = "P";
    ASSERT_TRUE(editor.Apply());
    ASSERT_TRUE(editor.Add());
    editor.buffer.name = "P";
    EXPECT_FALSE(editor.Apply());
    EXPECT_EQ(ui.LastText(), "Electrode pair must have a unique name!");
    EXPECT_EQ(ui.shown.back().style, MessageStyle::Exclamation);
    EXPECT_TRUE(editor.RequireItemForOption());
}

TEST_F(ItemEditorTest, NavigationShowsItemsAndReportsTheEnds) {
    auto editor = CItemEditor<CReceiver>::ForDocument(doc);
    CReceiver r;
    r.name = "R1";
    ASSERT_TRUE(doc.AddItem(r));
    r.name = "R2";
    ASSERT_TRUE(doc.AddItem(r));
    editor.Load();
    EXPECT_FALSE(editor.Next());
    EXPECT_EQ(ui.LastText(), "This is the last receiver!");
    ASSERT_TRUE(editor.Previous());
    EXPECT_EQ(editor.buffer.name, "R1");
    EXPECT_FALSE(editor.Previous());
    EXPECT_EQ(ui.LastText(), "This is the first receiver!");
}

TEST_F(ItemEditorTest, MaterialOkAppliesOnlyAfterAChange) {
    auto editor = CItemEditor<CMaterialProperty>::ForDocument(doc);
    editor.buffer.name = "Steel";
    ASSERT_TRUE(editor.Add());
    editor.buffer.density = 5.0f;  // set without FieldChanged: not applied
    editor.Ok();
    EXPECT_EQ(doc.Materials()[0].density, CMaterialProperty{}.density);
    editor.buffer.density = 2.0f;
    editor.FieldChanged();
    editor.Ok();
    EXPECT_EQ(doc.Materials()[0].density, 2.0f);
    EXPECT_FALSE(editor.HasUnappliedChange());
}

TEST_F(ItemEditorTest, ShowTogglesTheOverlayAndChangesRedraw) {
    auto editor = CItemEditor<CSource>::ForDocument(doc);
    EXPECT_EQ(doc.DisplayCategory, "Sources");
    editor.Show();
    EXPECT_EQ(doc.DisplayCategory, "");
    editor.Show();
    EXPECT_EQ(doc.DisplayCategory, "Sources");
    const int before = redraws;
    doc.SetModifiedFlag(false);
    ASSERT_TRUE(editor.Add());
    EXPECT_GT(redraws, before);
    EXPECT_TRUE(doc.IsModified());
}

TEST(ElixDocTest, BatchLogAnswersYesAndWritesTwoLines) {
    CElixDoc doc;
    test::ScriptedUserInterface ui;
    doc.SetUserInterface(&ui);
    doc.SetPathName("/models/plate.wmd");
    std::ostringstream log;
    doc.SetBatchLog(&log);
    EXPECT_EQ(doc.ReportMessage("Delete it?", MessageStyle::Question), MessageAnswer::Yes);
    EXPECT_TRUE(ui.shown.empty());
    const std::string text = log.str();
    ASSERT_EQ(text.size(), 24u + 1u + std::string("(plate.wmd) Delete it?\n").size());
    EXPECT_EQ(text[24], '\n');
    EXPECT_EQ(text.substr(25), "(plate.wmd) Delete it?\n");
    doc.SetBatchLog(nullptr);
    ui.answers = {MessageAnswer::No};
    EXPECT_EQ(doc.ReportMessage("Delete it?", MessageStyle::Question), MessageAnswer::No);
}

TEST(ElixDocTest, ViewsReceiveHintsUntilRemoved) {
    CElixDoc doc;
    std::string hints;
    const int id = doc.AddViewObserver([&](char hint) { hints += hint; });
    doc.UpdateAllViews('a');
    doc.UpdateAllViews('m');
    doc.RemoveViewObserver(id);
    doc.UpdateAllViews('r');
    EXPECT_EQ(hints, "am");
}

}  // namespace
}  // namespace elix

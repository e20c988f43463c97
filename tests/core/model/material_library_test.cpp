// The material library: its file layout, the reader's errors and limits,
// names with blanks, the rows of the dialog and its actions, and the
// shipped Library/Standard.mpd.
#include "model/material_library.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <string>

#include "core/model/standard_library_table.h"
#include "model/elix_doc.h"
#include "model/material_derived.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace elix {
namespace {

const std::string kHead =
    "<<MaterialPropertyLibrary>>\n<Version> 2.30\n<Header>\nFormat 1\nPut header here\n<EndHeader>\n";

CMaterialProperty Named(const std::string& name, std::uint8_t gray = 255) {
    CMaterialProperty m;
    m.name = name;
    m.grayLevel = gray;
    return m;
}

// One item block as the library writes it at version 2.30.
std::string Block(const std::string& name, float density) {
    CMaterialProperty m = Named(name);
    m.density = density;
    CTextWriter out;
    out.Print("~");
    m.WriteItem(out, 2.30f);
    return out.Text();
}

std::string LibraryWithItems(int count) {
    std::string text = kHead + "<Comment>\n\n<EndComment>\n<MaterialProperties>\n";
    for (int k = 0; k < count; ++k) text += Block("M" + std::to_string(k), static_cast<float>(k + 1));
    return text + "<EndMaterialProperties>\n<<EndMaterialPropertyLibrary>>\n";
}

struct LibraryTest : ::testing::Test {
    CMaterialLibrary library;
    test::ScriptedUserInterface ui;
    void SetUp() override { library.SetUserInterface(&ui); }
};

// ------------------------------------------------------------------ layout

TEST_F(LibraryTest, EmptyLibraryHasNothingBetweenTheMaterialKeywords) {
    library.SetComment("Two\nlines");
    EXPECT_EQ(library.Text(), kHead +
                                  "<Comment>\nTwo\nlines\n<EndComment>\n"
                                  "<MaterialProperties>\n<EndMaterialProperties>\n"
                                  "<<EndMaterialPropertyLibrary>>\n");
}

TEST_F(LibraryTest, NamesWithBlanksTravelAsOneTokenAndComeBackWithBlanks) {
    CMaterialProperty stainless = Named("Stainless Steel 304", 1);
    stainless.libraryMark = 1;  // a selection mark is never written
    library.AddMaterial(stainless);
    library.AddMaterial(Named("Water", 2));
    const std::string text = library.Text();
    EXPECT_NE(text.find("<MaterialProperties>\n~Stainless\xFESteel\xFE" "304\n2\n"), std::string::npos);

    CMaterialLibrary back;
    ASSERT_TRUE(back.LoadText(text, "lib.mpd"));
    ASSERT_EQ(back.Count(), 2);
    EXPECT_EQ(back.Items()[0].name, "Stainless Steel 304");
    EXPECT_EQ(back.Items()[0].grayLevel, 1);
    EXPECT_EQ(back.Items()[0].libraryMark, 0);
    EXPECT_EQ(back.Items()[1].name, "Water");
    EXPECT_EQ(back.Text(), text);
}

TEST_F(LibraryTest, SaveWritesTheTextAndSetsTheVersionAndCurrentFile) {
    test::TempDir dir;
    library.AddMaterial(Named("Steel"));
    const std::string path = dir.Path("mine.mpd");
    ASSERT_TRUE(library.Save(path));
    EXPECT_EQ(test::ReadFileText(path), library.Text());
    EXPECT_EQ(library.CurrentFile(), path);
    EXPECT_FLOAT_EQ(library.FileFormatVersion(), 2.30f);

    // A folder that does not exist: a message, and the old file stays.
    EXPECT_FALSE(library.Save(dir.Path("missing/mine.mpd")));
    EXPECT_EQ(ui.LastText(), "Unable to save file '" + dir.Path("missing/mine.mpd") + "'.");
}

// ----------------------------------------------------------------- reading

TEST_F(LibraryTest, FiveHundredAndOneMaterialsLoadFiveHundredWithANote) {
    ASSERT_TRUE(library.LoadText(LibraryWithItems(501), "big.mpd"));
    EXPECT_EQ(library.Count(), 500);
    EXPECT_EQ(library.Items()[499].name, "M499");
    EXPECT_FLOAT_EQ(library.Items()[499].density, 500.0f);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, "Only 500 items can be loaded");
    EXPECT_EQ(ui.shown[0].title, "Info");

    // Exactly 500 is not over the limit.
    ui.shown.clear();
    ASSERT_TRUE(library.LoadText(LibraryWithItems(500), "full.mpd"));
    EXPECT_EQ(library.Count(), 500);
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(LibraryTest, ReadErrorsAreShownInAnInfoBoxAndKeepWhatWasRead) {
    struct Case {
        std::string text;
        std::string message;
        int itemsKept;
    };
    const std::string items = "<MaterialProperties>\n" + Block("A", 1.0f) + Block("B", 2.0f);
    const Case cases[] = {
        {"<<ElastrixModel>>\n", "No keyword <<MaterialPropertyLibrary>> in 'x.mpd'", 0},
        {"", "No keyword <<MaterialPropertyLibrary>> in 'x.mpd'", 0},
        {"<<MaterialPropertyLibrary>>\n<Header>\nFormat 1\n", "No keyword <EndHeader> in 'x.mpd'", 0},
        {"<<MaterialPropertyLibrary>>\n<Comment>\nno end", "No keyword <EndComment> in 'x.mpd'", 0},
        {kHead + items, "No keyword <EndMaterialProperties> in 'x.mpd'", 2},
        {kHead + items + "<EndMaterialProperties>\n", "No keyword <<EndMaterialPropertyLibrary>> in 'x.mpd'", 2},
    };
    for (const Case& c : cases) {
        ui.shown.clear();
        library.AddMaterial(Named("Old"));
        EXPECT_FALSE(library.LoadText(c.text, "x.mpd")) << c.message;
        ASSERT_EQ(ui.shown.size(), 1u) << c.message;
        EXPECT_EQ(ui.shown[0].text, c.message);
        EXPECT_EQ(ui.shown[0].title, "Info");
        EXPECT_EQ(library.ErrorText(), c.message);
        EXPECT_EQ(library.Count(), c.itemsKept) << c.message;
    }
}

TEST_F(LibraryTest, OlderMagicsAndUnknownTokensAreAccepted) {
    const std::string text = "<<TesmoraMaterialProperty>>\n<Version> 2.30\nStray words\n<MaterialProperties>\n" +
                             Block("Brass", 8420.0f) + "<EndMaterialProperties>\n<<EndTesmoraMaterialProperty>>\n";
    ASSERT_TRUE(library.LoadText(text, "old.mpd"));
    ASSERT_EQ(library.Count(), 1);
    EXPECT_EQ(library.Items()[0].name, "Brass");
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(LibraryTest, ANewerVersionAsksAndNoAbandonsWithoutAMessage) {
    const std::string text = "<<MaterialPropertyLibrary>>\n<Version> 2.50\n<MaterialProperties>\n" +
                             Block("A", 1.0f) + "<EndMaterialProperties>\n<<EndMaterialPropertyLibrary>>\n";
    ui.answers = {MessageAnswer::No};
    EXPECT_FALSE(library.LoadText(text, "new.mpd"));
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text,
              "The file was created by a newer version of this program. It may not be loaded correctly. "
              "Do you want to load the file anyway?");
    EXPECT_EQ(ui.shown[0].style, MessageStyle::Question);
    EXPECT_TRUE(library.ErrorText().empty());

    ui.answers = {MessageAnswer::Yes};
    ASSERT_TRUE(library.LoadText(text, "new.mpd"));
    EXPECT_EQ(library.Count(), 1);
    EXPECT_FLOAT_EQ(library.FileFormatVersion(), 2.5f);
    // Saving writes the library's own version again.
    EXPECT_EQ(library.Text().substr(0, kHead.size()), kHead);
}

// The reader takes a CR LF pair as one line end, as a C text stream does.
TEST_F(LibraryTest, CommentSkipsItsKeywordLineAndLosesTrailingWhiteSpace) {
    const std::string text = "<<MaterialPropertyLibrary>>\n<Comment> ignored rest\nfirst\r\n  second \n\n<EndComment>\n"
                             "<<EndMaterialPropertyLibrary>>\n";
    ASSERT_TRUE(library.LoadText(text, "c.mpd"));
    EXPECT_EQ(library.Comment(), "first\n  second");
}

TEST_F(LibraryTest, AutoDisplayCommentOpensTheCommentEditor) {
    std::string seen;
    library.SetCommentEditor([&seen](const std::string& comment) -> std::optional<std::string> {
        seen = comment;
        return std::string("<AutoDisplay> edited");
    });
    const std::string text =
        "<<MaterialPropertyLibrary>>\n<Comment>\n <AutoDisplay> hello\n<EndComment>\n<<EndMaterialPropertyLibrary>>\n";
    ASSERT_TRUE(library.LoadText(text, "a.mpd"));
    EXPECT_EQ(seen, " <AutoDisplay> hello");
    EXPECT_EQ(library.Comment(), "<AutoDisplay> edited");

    // Cancel keeps the comment.
    library.SetCommentEditor([&seen](const std::string& comment) -> std::optional<std::string> {
        seen = "opened " + comment;
        return std::nullopt;
    });
    ASSERT_TRUE(library.LoadText(text, "a.mpd"));
    EXPECT_EQ(library.Comment(), " <AutoDisplay> hello");

    // Without a callback the user interface's comment editor opens.
    library.SetCommentEditor(nullptr);
    ui.commentAfterEdit = "changed";
    ASSERT_TRUE(library.LoadText(text, "a.mpd"));
    EXPECT_EQ(ui.editedComments.back(), " <AutoDisplay> hello");
    EXPECT_EQ(library.Comment(), "changed");
}

TEST_F(LibraryTest, LoadAndSaveButtonsUseTheFileChooser) {
    test::TempDir dir;
    library.AddMaterial(Named("Steel"));
    ui.files = {dir.Path("chosen.mpd")};
    ASSERT_TRUE(library.SaveChosenFile(dir.Root()));
    ASSERT_EQ(ui.fileRequests.size(), 1u);
    EXPECT_EQ(ui.fileRequests[0].filter, "Material Lib Files (*.mpd)|*.mpd|All Files (*.*)|*.*||");
    EXPECT_EQ(ui.fileRequests[0].defaultExtension, "mpd");
    EXPECT_EQ(ui.fileRequests[0].startFolder, dir.Root());
    EXPECT_TRUE(ui.fileRequests[0].confirmOverwrite);

    library.AddMaterial(Named("Water"));
    ui.files = {std::nullopt, dir.Path("chosen.mpd")};
    EXPECT_FALSE(library.LoadChosenFile(dir.Root()));  // cancelled: nothing happens
    EXPECT_EQ(library.Count(), 2);
    ASSERT_TRUE(library.LoadChosenFile(dir.Root()));
    EXPECT_TRUE(ui.fileRequests.back().fileMustExist);
    EXPECT_EQ(library.Count(), 1);
}

TEST_F(LibraryTest, AFileThatCannotBeOpenedLeavesTheLibraryAsItWas) {
    test::TempDir dir;
    library.AddMaterial(Named("Kept"));
    const std::string path = dir.Path("none.mpd");
    EXPECT_FALSE(library.Load(path));
    EXPECT_EQ(ui.LastText(), "Unable to open file '" + path + "'.");
    EXPECT_EQ(ui.shown.back().style, MessageStyle::Exclamation);
    ASSERT_EQ(library.Count(), 1);
    EXPECT_EQ(library.Items()[0].name, "Kept");
}

TEST_F(LibraryTest, OpeningAnEmptyLibraryReadsStandardFromTheLibraryFolder) {
    test::TempDir dir;
    library.OpenDialog(dir.Root());
    const std::string path = dir.Root() + "/Standard.mpd";
    EXPECT_EQ(ui.LastText(), "Unable to open file '" + path + "'.");
    EXPECT_EQ(ui.shown.back().style, MessageStyle::Exclamation);
    EXPECT_EQ(library.CurrentFile(), path);

    dir.Write("Standard.mpd", LibraryWithItems(3));
    ui.shown.clear();
    library.OpenDialog(dir.Root() + "/");
    EXPECT_EQ(library.Count(), 3);
    EXPECT_TRUE(ui.shown.empty());

    // A library holding materials is not read again.
    dir.Write("Standard.mpd", LibraryWithItems(5));
    library.OpenDialog(dir.Root());
    EXPECT_EQ(library.Count(), 3);
}

// ---------------------------------------------------------- rows and actions

TEST_F(LibraryTest, RowsMoveByTenWithinTheList) {
    ASSERT_TRUE(library.LoadText(LibraryWithItems(25), "p.mpd"));
    EXPECT_EQ(library.FromNumberText(), "Material From No.: 1");
    EXPECT_FALSE(library.PageUp());
    EXPECT_TRUE(library.PageDown());
    EXPECT_TRUE(library.PageDown());
    EXPECT_EQ(library.FromNumberText(), "Material From No.: 21");
    EXPECT_FALSE(library.PageDown());  // 20 is not below 25 - 10
    EXPECT_TRUE(library.PageUp());
    EXPECT_EQ(library.FirstShown(), 10);

    // Erasing the last page brings the rows back onto a material.
    ASSERT_TRUE(library.PageDown());
    for (int k = 12; k < 25; ++k) library.SetMark(k, true);
    EXPECT_EQ(library.EraseMarked(), 13);
    EXPECT_EQ(library.Count(), 12);
    EXPECT_EQ(library.FirstShown(), 10);
    EXPECT_EQ(library.Items()[11].name, "M11");
}

TEST_F(LibraryTest, AddMaterialStopsAtFiveHundred) {
    ASSERT_TRUE(library.LoadText(LibraryWithItems(500), "full.mpd"));
    EXPECT_FALSE(library.AddMaterial(Named("One more")));
    EXPECT_EQ(ui.LastText(), "Only 500 items can be hold");
    EXPECT_EQ(ui.shown.back().title, "Info");
    EXPECT_EQ(library.Count(), 500);
}

TEST_F(LibraryTest, AddToModelAddsMarkedItemsAndClearsEveryMark) {
    CElixDoc doc;
    ASSERT_TRUE(doc.AddItem(Named("Steel", 1)));
    doc.SetModifiedFlag(false);
    library.AddMaterial(Named("Steel", 2));
    library.AddMaterial(Named("Water", 3));
    library.AddMaterial(Named("Air", 4));
    library.SetMark(0, true);
    library.SetMark(1, true);

    EXPECT_EQ(library.AddMarkedToModel(doc), 1);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, "Item 'Steel' can not be added");
    EXPECT_EQ(ui.shown[0].title, "Info");
    ASSERT_EQ(doc.Materials().Count(), 2);
    EXPECT_EQ(doc.Materials()[1].name, "Water");
    EXPECT_EQ(doc.Materials()[1].libraryMark, 0);
    EXPECT_EQ(doc.Materials().Current(), 1);
    EXPECT_TRUE(doc.IsModified());
    for (int k = 0; k < library.Count(); ++k) EXPECT_EQ(library.Items()[k].libraryMark, 0);
}

TEST_F(LibraryTest, EraseRemovesTheMarkedItemsOnly) {
    for (const char* name : {"A", "B", "C", "D"}) library.AddMaterial(Named(name));
    library.SetMark(1, true);
    library.SetMark(3, true);
    EXPECT_EQ(library.EraseMarked(), 2);
    ASSERT_EQ(library.Count(), 2);
    EXPECT_EQ(library.Items()[0].name, "A");
    EXPECT_EQ(library.Items()[1].name, "C");
    EXPECT_EQ(library.Items().Current(), 1);
    // Renaming a row renames the item; an index past the list is ignored.
    EXPECT_TRUE(library.Rename(1, "C renamed"));
    EXPECT_FALSE(library.Rename(2, "nothing"));
    EXPECT_EQ(library.Items()[1].name, "C renamed");
}

TEST_F(LibraryTest, ModifyEditsTheLibraryFromTheFirstRowShown) {
    ASSERT_TRUE(library.LoadText(LibraryWithItems(15), "m.mpd"));
    ASSERT_TRUE(library.PageDown());
    CMaterialEditor editor = library.Modify();
    EXPECT_EQ(editor.Buffer().name, "M10");
    EXPECT_EQ(editor.NumberText(), "Material No.: 11");
    MaterialEditorFields fields = editor.Fields();
    fields.density = 1234.0;
    ASSERT_TRUE(editor.Apply(fields));
    EXPECT_FLOAT_EQ(library.Items()[10].density, 1234.0f);
    // Its messages go to the library's user interface.
    fields.name = "M3";
    EXPECT_FALSE(editor.Apply(fields));
    EXPECT_EQ(ui.LastText(), "Material property must have a unique name!");
}

// -------------------------------------------------------- Standard.mpd

std::string ShippedStandardPath() { return std::string(ELASTRIX_SOURCE_DIR) + "/Library/Standard.mpd"; }

TEST(StandardLibraryTest, ShippedFileIsTheHandbookTableWrittenByTheLibrary) {
    const std::string generated = test::StandardLibraryText();
    // Setting ELASTRIX_WRITE_STANDARD_MPD rewrites the shipped file from the
    // table (after a change of the table or of the writer).
    if (std::getenv("ELASTRIX_WRITE_STANDARD_MPD")) std::ofstream(ShippedStandardPath(), std::ios::binary) << generated;
    EXPECT_EQ(test::ReadFileText(ShippedStandardPath()), generated);
}

TEST(StandardLibraryTest, ShippedFileRoundTripsByteForByte) {
    test::ScriptedUserInterface ui;
    CMaterialLibrary library;
    library.SetUserInterface(&ui);
    ASSERT_TRUE(library.Load(ShippedStandardPath()));
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_GE(library.Count(), 15);
    test::TempDir dir;
    ASSERT_TRUE(library.Save(dir.Path("again.mpd")));
    EXPECT_EQ(test::ReadFileText(dir.Path("again.mpd")), test::ReadFileText(ShippedStandardPath()));
}

TEST(StandardLibraryTest, ShippedMaterialsGiveBackTheirHandbookSpeeds) {
    CMaterialLibrary library;
    ASSERT_TRUE(library.Load(ShippedStandardPath()));
    ASSERT_EQ(library.Count(), static_cast<int>(test::kHandbookMaterials.size()));
    for (int k = 0; k < library.Count(); ++k) {
        const CMaterialProperty& m = library.Items()[k];
        const test::HandbookMaterial& entry = test::kHandbookMaterials[static_cast<std::size_t>(k)];
        SCOPED_TRACE(m.name);
        EXPECT_EQ(m.name, entry.name);
        EXPECT_EQ(m.name.find(' '), std::string::npos);
        EXPECT_EQ(m.grayLevel, 10 * k);
        EXPECT_EQ(m.damping, 0);
        const WaveValues v = DeriveMaterialValues(m, 1e6).main;
        EXPECT_NEAR(v.vl, entry.vl, entry.vl * 1e-5);
        EXPECT_NEAR(v.vt, entry.vt, entry.vl * 1e-5);
        EXPECT_NEAR(v.zl, entry.density * entry.vl, entry.density * entry.vl * 1e-5);
    }
}

}  // namespace
}  // namespace elix

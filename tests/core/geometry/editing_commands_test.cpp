// The editing commands with their reload, backup, question and commit, the
// Repeat grid and user object files.
#include "geometry/editing_commands.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

#include "core/geometry/editing_test_support.h"
#include "geometry/user_object_file.h"
#include "model/elix_doc.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace elix {
namespace {

using test::BoxOf;
using test::FillImage;
using test::IsExactlyBox;
using test::Pixel;

constexpr double kMm = 0.001;

// ---- Repeat and user object files ----------------------------------------

std::vector<std::pair<double, double>> ShiftsInMillimetres(const RepeatValues& repeat) {
    std::vector<std::pair<double, double>> shifts;
    ForEachRepeatShift(repeat, [&](double dx, double dy) {
        shifts.emplace_back(std::round(dx / kMm * 1e9) / 1e9, std::round(dy / kMm * 1e9) / 1e9);
        return true;
    });
    return shifts;
}

TEST(EditRepeat, VisitsColumnsOutsideAndRowsInsideOnATurnedGrid) {
    using Shifts = std::vector<std::pair<double, double>>;
    EXPECT_EQ(ShiftsInMillimetres({2, 3, 1 * kMm, 2 * kMm, 0}),
              (Shifts{{0, 0}, {0, 1}, {2, 0}, {2, 1}, {4, 0}, {4, 1}}));
    EXPECT_EQ(ShiftsInMillimetres({2, 2, 1 * kMm, 2 * kMm, 90}), (Shifts{{0, 0}, {-1, 0}, {0, 2}, {-1, 2}}));
    EXPECT_TRUE(ShiftsInMillimetres({0, 3, kMm, kMm, 0}).empty());
}

TEST(EditRepeat, StopsAtTheFirstFailingCopy) {
    int calls = 0;
    EXPECT_FALSE(ForEachRepeatShift({3, 3, kMm, kMm, 0}, [&](double, double) { return ++calls < 2; }));
    EXPECT_EQ(calls, 2);
}

std::string Numbers(int count) {
    std::string text;
    for (int k = 0; k < count; ++k) text += std::to_string(k) + (k % 8 == 7 ? "\n" : " ");
    return text;
}

TEST(EditUserObjectFile, AcceptsUpTo1024NumbersAndRefusesOneMoreOrText) {
    test::TempDir dir;
    UserObjectPoints points;
    std::string message;
    ASSERT_TRUE(ReadUserObjectFile(dir.Write("full.txt", Numbers(1024) + "\n\n"), points, message));
    ASSERT_EQ(points.xs.size(), 512u);
    EXPECT_EQ(points.xs[511], 1022);
    EXPECT_EQ(points.ys[511], 1023);

    for (const std::string& content : {Numbers(1025), std::string("1 2\n3 four\n")}) {
        const std::string path = dir.Write("bad.txt", content);
        EXPECT_FALSE(ReadUserObjectFile(path, points, message));
        EXPECT_EQ(message, "User object file '" + path + "' has too many points or wrong format.");
        EXPECT_EQ(points.xs.size(), 512u);  // kept as it was
    }
    EXPECT_FALSE(ReadUserObjectFile(dir.Path("absent.txt"), points, message));
    EXPECT_EQ(message, "Unable to open user object file.");
    EXPECT_FALSE(ReadUserObjectFile(dir.Root(), points, message));
    EXPECT_EQ(message, "Unable to open user object file.");
}

TEST(EditUserObjectFile, ReadsSignedAndExponentNumbersInPairsDroppingAnOddLastOne) {
    test::TempDir dir;
    UserObjectPoints points;
    std::string message;
    ASSERT_TRUE(ReadUserObjectFile(dir.Write("p.txt", " 1e-3\t-2.5\r\n+3 .25 7"), points, message));
    EXPECT_EQ(points.xs, (std::vector<double>{1e-3, 3}));
    EXPECT_EQ(points.ys, (std::vector<double>{-2.5, 0.25}));
}

TEST(EditUserObjectFile, TransformTurnsAboutTheFirstPointThenScalesAndOffsets) {
    const UserObjectPoints placed =
        TransformUserObject({{1, 2, 2}, {1, 1, 3}}, {std::numbers::pi / 2, 0.001, 0.002, 0.005, 0.006});
    const double xs[] = {0.006, 0.006, 0.004}, ys[] = {0.008, 0.010, 0.010};
    for (std::size_t k = 0; k < 3; ++k) {
        EXPECT_NEAR(placed.xs[k], xs[k], 1e-12) << k;
        EXPECT_NEAR(placed.ys[k], ys[k], 1e-12) << k;
    }
}

// ---- Commands ------------------------------------------------------------

// A document with a 60 x 40 image of gray 0 at 10 pixel/mm in its working
// file, and a scripted user.
class EditCommands : public ::testing::Test {
protected:
    void SetUp() override {
        doc.SetUserInterface(&ui);
        FillImage(doc, 60, 40, 0);
        doc.WorkingFileName = dir.Path("work.geo");
        ASSERT_TRUE(doc.WriteImageFile(doc.WorkingFileName));
        original = doc.image.Rows;
    }

    ImageRows WorkingFileRows() {
        CElixDoc other;
        other.WorkingFileName = doc.WorkingFileName;
        EXPECT_TRUE(other.LoadWorkingImage(false, nullptr));
        ImageRows rows = other.image.Rows;
        other.WorkingFileName = "None";  // not ours to delete
        return rows;
    }

    std::vector<std::string> ShownTexts() const {
        std::vector<std::string> texts;
        for (const auto& shown : ui.shown) texts.push_back(shown.text);
        return texts;
    }

    test::TempDir dir;
    CElixDoc doc;
    test::ScriptedUserInterface ui;
    ImageRows original;
};

TEST_F(EditCommands, RepeatedRectangleIsPaintedSixTimesAndCommittedOnYes) {
    AddRectangleValues values;
    values.width = values.height = 0.5 * kMm;
    values.target.gray = 100;
    values.repeat = {2, 3, 1 * kMm, 2 * kMm, 0};
    EXPECT_EQ(AddRectangleCommand(doc, [&] { return std::optional(values); }), EditOutcome::Committed);
    EXPECT_EQ(BoxOf(doc, 100).count, 6 * 25);
    for (int x : {0, 20, 40})
        for (int y : {0, 10}) {
            EXPECT_EQ(Pixel(doc, x, y), 100);
            EXPECT_EQ(Pixel(doc, x + 4, y + 4), 100);
        }
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, "Image Will Be Changed, Continue?");
    EXPECT_EQ(ui.shown[0].style, MessageStyle::Question);
    EXPECT_TRUE(doc.image.BackupRows.empty());
    EXPECT_TRUE(doc.GeometryModified);
    EXPECT_EQ(WorkingFileRows(), doc.image.Rows);
}

TEST_F(EditCommands, AnsweringNoGivesBackExactlyTheImageBefore) {
    ui.answers = {MessageAnswer::No};
    AddLayerValues values;
    values.x2 = 3 * kMm;
    values.thickness = 1 * kMm;
    values.target.gray = 100;
    EXPECT_EQ(AddLayerCommand(doc, [&] { return std::optional(values); }), EditOutcome::Undone);
    EXPECT_EQ(doc.image.Rows, original);
    EXPECT_TRUE(doc.image.BackupRows.empty());
    EXPECT_FALSE(doc.GeometryModified);
    EXPECT_EQ(WorkingFileRows(), original);
}

TEST_F(EditCommands, StartFromTheWorkingFileAndCancelLeavesItAsItWas) {
    doc.image.Rows[3][3] = 77;  // a wavefield frame on display, say
    doc.image.ShowsFrame = true;
    doc.DisplayCategory = "MaterialProperties";
    bool dialogShown = false;
    const auto cancel = [&]() -> std::optional<AddEllipseValues> {
        dialogShown = true;
        EXPECT_EQ(doc.image.Rows, original);  // reloaded before the dialog
        return std::nullopt;
    };
    EXPECT_EQ(AddEllipseCommand(doc, cancel), EditOutcome::Cancelled);
    EXPECT_TRUE(dialogShown);
    EXPECT_EQ(doc.DisplayCategory, "");
    EXPECT_FALSE(doc.image.ShowsFrame);
    EXPECT_TRUE(doc.image.BackupRows.empty());
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(EditCommands, ShapeThatCannotBePaintedIsReportedWithoutAQuestion) {
    AddEllipseValues values;
    values.major = 1 * kMm;  // minor stays 0
    EXPECT_EQ(AddEllipseCommand(doc, [&] { return std::optional(values); }), EditOutcome::Failed);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, "Unable to add ellipse.");
    EXPECT_EQ(ui.shown[0].style, MessageStyle::Exclamation);
    EXPECT_TRUE(doc.image.BackupRows.empty());

    AddLayerValues layer;  // both ends at the origin
    EXPECT_EQ(AddLayerCommand(doc, [&] { return std::optional(layer); }), EditOutcome::Failed);
    EXPECT_EQ(ui.LastText(), "Unable to add layer.");
}

TEST_F(EditCommands, GeometryThatCannotBeReloadedStopsBeforeTheDialog) {
    doc.WorkingFileName = "None";
    bool dialogShown = false;
    const auto dialog = [&] {
        dialogShown = true;
        return std::optional(AddRectangleValues{});
    };
    EXPECT_EQ(AddRectangleCommand(doc, dialog), EditOutcome::Failed);
    EXPECT_FALSE(dialogShown);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, doc.MessageText());
    EXPECT_FALSE(ui.shown[0].text.empty());
    EXPECT_EQ(ui.shown[0].style, MessageStyle::Exclamation);
}

TEST_F(EditCommands, UserObjectInMillimetresIsScaledAndFilled) {
    AddUserObjectValues values;
    values.objectFile = dir.Write("square.txt", "0.55 0.55\n1.45 0.55\n1.45 1.45\n0.55 1.45\n");
    values.xScale = values.yScale = 0.001;
    values.xOffset = 1 * kMm;
    values.target.gray = 100;
    EXPECT_EQ(AddUserObjectCommand(doc, [&] { return std::optional(values); }), EditOutcome::Committed);
    EXPECT_TRUE(IsExactlyBox(doc, 100, 16, 24, 6, 14));
}

TEST_F(EditCommands, UserObjectFileProblemsAreReportedOnce) {
    AddUserObjectValues values;
    values.objectFile = dir.Path("missing.txt");
    EXPECT_EQ(AddUserObjectCommand(doc, [&] { return std::optional(values); }), EditOutcome::Failed);
    EXPECT_EQ(ShownTexts(), std::vector<std::string>{"Unable to open user object file."});
    EXPECT_EQ(ui.shown[0].style, MessageStyle::Exclamation);
    EXPECT_TRUE(doc.image.BackupRows.empty());

    ui.shown.clear();
    values.objectFile = dir.Write("one.txt", "0.001 0.001\n");  // one point encloses nothing
    EXPECT_EQ(AddUserObjectCommand(doc, [&] { return std::optional(values); }), EditOutcome::Failed);
    EXPECT_EQ(ShownTexts(), std::vector<std::string>{"Unable to add user object."});
    EXPECT_EQ(doc.image.Rows, original);
}

TEST_F(EditCommands, ReplacePixelValueWithToBelowFromReplacesOnlyFrom) {
    doc.image.Rows[0][0] = 200;
    doc.image.Rows[0][1] = 150;
    doc.image.Rows[0][2] = 100;
    ASSERT_TRUE(doc.WriteImageFile(doc.WorkingFileName));
    EXPECT_EQ(ReplacePixelValueCommand(doc,
                                       [] {
                                           return std::optional(ReplacePixelValues{200, 100, 9});
                                       }),
              EditOutcome::Committed);
    EXPECT_EQ(Pixel(doc, 0, 0), 9);
    EXPECT_EQ(Pixel(doc, 1, 0), 150);
    EXPECT_EQ(Pixel(doc, 2, 0), 100);
    EXPECT_EQ(Pixel(doc, 3, 0), 0);
    EXPECT_EQ(ui.LastText(), "Pixel values will be changed, Continue?");
}

TEST_F(EditCommands, RunningModelOffersNoEditing) {
    EXPECT_TRUE(CanEditGeometry(doc));
    doc.SetRunning(true);
    EXPECT_FALSE(CanEditGeometry(doc));
    EXPECT_EQ(AddRectangleCommand(doc, [] { return std::optional(AddRectangleValues{}); }), EditOutcome::Failed);
    EXPECT_EQ(doc.image.Rows, original);
}

TEST_F(EditCommands, WedgeEditAddsToTheWorkingFileAndForgetsTheGeometryFile) {
    doc.ImageFileName = dir.Path("part.geo");
    WedgeValues values{"Bottom", 2 * kMm, 0, 45, 64, false};
    EXPECT_TRUE(WedgeEditCommand(doc, WedgeAction::Add, values));
    EXPECT_EQ(doc.ImageFileName, "None");
    EXPECT_EQ(doc.image.ImageHeight, 60);
    EXPECT_EQ(WorkingFileRows().size(), 60u);
    EXPECT_TRUE(ui.shown.empty());

    doc.image.Rows[59][0] = 3;  // material in a corner of the strip
    ASSERT_TRUE(doc.WriteImageFile(doc.WorkingFileName));
    ui.answers = {MessageAnswer::No};
    EXPECT_FALSE(WedgeEditCommand(doc, WedgeAction::Delete, values));
    EXPECT_EQ(ShownTexts(), std::vector<std::string>{"Are you sure to trim on the bottom edge?"});
    EXPECT_EQ(doc.image.ImageHeight, 60);
}

TEST_F(EditCommands, WedgeEditShowsFailuresAsInformation) {
    doc.ImageFileName = dir.Path("part.geo");
    EXPECT_FALSE(WedgeEditCommand(doc, WedgeAction::Add, {"Nowhere", 2 * kMm, 0, 45, 64, false}));
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, "Please choose an edge for wedge");
    EXPECT_EQ(ui.shown[0].style, MessageStyle::Information);
    EXPECT_EQ(doc.ImageFileName, dir.Path("part.geo"));
    EXPECT_EQ(WorkingFileRows(), original);
}

}  // namespace
}  // namespace elix

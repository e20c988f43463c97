// The Plot Dialog's rules: how typed limits, scales and tick counts are
// stored, curve stepping, and the Delete, Insert and Export actions with
// their questions and messages.
#include "analysis/plot_data_editor.h"

#include <gtest/gtest.h>

#include "model/elix_doc.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace elix {
namespace {

using test::ScriptedUserInterface;
using test::TempDir;

// An editor whose messages, choosers and repaints go to a scripted user
// interface and a list of repainted kinds.
struct EditorRig {
    CPlotData plot;
    ScriptedUserInterface ui;
    std::vector<char> repainted;
    std::string currentFolder = "/data/runs";

    CPlotDataEditor Editor(char kind = 'r') {
        PlotEditorHost host;
        host.report = [this](const std::string& text, MessageStyle style, const std::string& title) {
            return ui.ShowMessage(text, style, title);
        };
        host.repaint = [this](char hint) { repainted.push_back(hint); };
        host.chooseFileToOpen = [this](const FileChooserRequest& r) { return ui.ChooseFileToOpen(r); };
        host.chooseFileToSave = [this](const FileChooserRequest& r) { return ui.ChooseFileToSave(r); };
        host.currentFolder = [this] { return currentFolder; };
        return CPlotDataEditor(plot, kind, std::move(host));
    }

    void AddReceivers(std::initializer_list<const char*> names) {
        EXPECT_TRUE(plot.AllocateCurves(static_cast<int>(2 * names.size()), 2, 1e-7));
        int c = 0;
        for (const char* name : names) {
            plot.SetLegend(c++, std::string("L - ") + name);
            plot.SetLegend(c++, std::string("T - ") + name);
        }
    }
};

TEST(PlotDialogTest, OnlyTheExactWordAutoMakesALimitAutomatic) {
    EXPECT_TRUE(ParsePlotLimit("Auto").automatic);
    for (const char* text : {"auto", "AUTO", " Auto", "Auto "}) {
        const PlotLimitEntry entry = ParsePlotLimit(text);
        EXPECT_FALSE(entry.automatic) << text;
        EXPECT_EQ(entry.value, 0.0f) << text;
    }
    EXPECT_EQ(ParsePlotLimit("-2.5e-6").value, -2.5e-6f);
    EXPECT_EQ(ParsePlotLimit("12abc").value, 12.0f);
    EXPECT_EQ(ParsePlotLimit("nan").value, 0.0f);
    EXPECT_EQ(ParsePlotLimit("1e300").value, std::numeric_limits<float>::max());
    EXPECT_EQ(ParsePlotLimit("-inf").value, -std::numeric_limits<float>::max());
    EXPECT_EQ(PlotLimitText(true, 3.0f), "Auto");
    EXPECT_EQ(PlotLimitText(false, -1.5f), "-1.500000");
}

TEST(PlotDialogTest, FieldsShowTheRecordAndTakeStoresThemBack) {
    EditorRig rig;
    rig.AddReceivers({"a"});
    rig.plot.axes.xMaxAuto = false;
    rig.plot.axes.xMax = 2.5f;
    CPlotDataEditor editor = rig.Editor();
    PlotDialogFields fields = editor.Fields();
    EXPECT_EQ(fields.curveName, "L - a");
    EXPECT_EQ(fields.xMin, "Auto");
    EXPECT_EQ(fields.xMax, "2.500000");
    EXPECT_EQ(fields.xScale, "1e-06");
    EXPECT_EQ(fields.xTicks, "6");
    EXPECT_EQ(fields.yTicks, "5");

    fields.curveName = "renamed";
    fields.disable = true;
    fields.mainTitle = "Plate";
    fields.xMin = "auto";
    fields.xMax = "Auto";
    fields.yMin = "-2";
    fields.yScale = "1e-3";
    fields.xTicks = "1";
    fields.yTicks = "-7";
    fields.yGrid = true;
    ASSERT_TRUE(editor.Take(fields));
    EXPECT_TRUE(rig.ui.shown.empty());
    EXPECT_EQ(rig.plot.Curves()[0].legend, "renamed");
    EXPECT_TRUE(rig.plot.Curves()[0].disabled);
    EXPECT_FALSE(rig.plot.Curves()[1].disabled);
    EXPECT_EQ(rig.plot.titles.main, "Plate");
    EXPECT_FALSE(rig.plot.axes.xMinAuto);
    EXPECT_EQ(rig.plot.axes.xMin, 0.0f);
    EXPECT_TRUE(rig.plot.axes.xMaxAuto);
    EXPECT_FALSE(rig.plot.axes.yMinAuto);
    EXPECT_EQ(rig.plot.axes.yMin, -2.0f);
    EXPECT_EQ(rig.plot.axes.yScale, 1e-3f);
    EXPECT_EQ(rig.plot.axes.xTickCount, 2);
    EXPECT_EQ(rig.plot.axes.yTickCount, 2);
    EXPECT_TRUE(rig.plot.axes.yGrid);
    EXPECT_EQ(editor.Fields().xMin, "0.000000");
}

TEST(PlotDialogTest, ARefusedFieldShowsWhyAndStoresNothing) {
    EditorRig rig;
    rig.AddReceivers({"a"});
    CPlotDataEditor editor = rig.Editor();
    const CPlotData before = rig.plot;
    struct Case {
        const char* xScale;
        const char* xTicks;
        const char* message;
    };
    const Case cases[] = {
        {"-1", "6", "Please enter a number between 0 and 1e+20."},
        {"2e20", "6", "Please enter a number between 0 and 1e+20."},
        {"nan", "6", "Please enter a number between 0 and 1e+20."},
        {"", "6", "Please enter a number."},
        {"1", "101", "Please enter a number between 2 and 100."},
        {"1", "x", "Please enter an integer."},
    };
    for (const Case& c : cases) {
        PlotDialogFields fields = editor.Fields();
        fields.mainTitle = "changed";
        fields.curveName = "changed";
        fields.xScale = c.xScale;
        fields.xTicks = c.xTicks;
        rig.ui.shown.clear();
        EXPECT_FALSE(editor.Ok(fields)) << c.xScale << " " << c.xTicks;
        ASSERT_EQ(rig.ui.shown.size(), 1u);
        EXPECT_EQ(rig.ui.shown[0].text, c.message);
        EXPECT_EQ(rig.ui.shown[0].style, MessageStyle::Exclamation);
        EXPECT_EQ(rig.plot.titles.main, before.titles.main);
        EXPECT_EQ(rig.plot.Curves()[0].legend, "L - a");
    }
    PlotDialogFields edge = editor.Fields();
    edge.xScale = "0";
    edge.xTicks = "100";
    EXPECT_TRUE(editor.Ok(edge));
    EXPECT_EQ(rig.plot.axes.xTickCount, 100);
}

TEST(PlotDialogTest, StepsStoreFirstAndStopAtTheEndsWithAMessage) {
    EditorRig rig;
    rig.AddReceivers({"a"});
    CPlotDataEditor editor = rig.Editor();
    PlotDialogFields fields = editor.Fields();
    fields.curveName = "first";
    EXPECT_FALSE(editor.Previous(fields));
    EXPECT_EQ(rig.ui.LastText(), "This is the first curve");
    EXPECT_EQ(rig.ui.shown.back().title, "Information");
    EXPECT_EQ(rig.plot.Curves()[0].legend, "first");  // stored even at the end

    ASSERT_TRUE(editor.Next(editor.Fields()));
    EXPECT_EQ(rig.plot.CurrentCurve(), 1);
    EXPECT_EQ(editor.Fields().curveName, "T - a");
    EXPECT_FALSE(editor.Next(editor.Fields()));
    EXPECT_EQ(rig.ui.LastText(), "This is the last curve");
    EXPECT_EQ(rig.plot.CurrentCurve(), 1);

    // Without curves the name and Disable reach no curve.
    EditorRig empty;
    CPlotDataEditor none = empty.Editor();
    PlotDialogFields blank = none.Fields();
    EXPECT_EQ(blank.curveName, "");
    blank.curveName = "ghost";
    EXPECT_FALSE(none.Next(blank));
    EXPECT_EQ(empty.ui.LastText(), "This is the last curve");
    EXPECT_EQ(empty.plot.CurveCount(), 0);
}

TEST(PlotDialogTest, DeleteAsksWithTheReceiverNameAndRemovesBothCurves) {
    EditorRig rig;
    rig.AddReceivers({"a", "b"});
    ASSERT_TRUE(rig.plot.SetCurrentCurve(2));
    CPlotDataEditor editor = rig.Editor();

    rig.ui.answers = {MessageAnswer::No};
    EXPECT_FALSE(editor.Delete(editor.Fields()));
    EXPECT_EQ(rig.ui.LastText(), "Curve \"b\" will be deleted, continue?");
    EXPECT_EQ(rig.plot.CurveCount(), 4);

    EXPECT_TRUE(editor.Delete(editor.Fields()));
    ASSERT_EQ(rig.plot.CurveCount(), 2);
    EXPECT_EQ(rig.plot.Curves()[1].legend, "T - a");
    EXPECT_EQ(rig.repainted, std::vector<char>{'r'});

    PlotDialogFields renamed = editor.Fields();
    renamed.curveName = "X - zz";
    EXPECT_FALSE(editor.Delete(renamed));
    EXPECT_EQ(rig.ui.LastText(), "Unable to delete the curves");
    EXPECT_EQ(rig.ui.shown.back().title, "Information");
    EXPECT_EQ(rig.plot.CurveCount(), 2);

    renamed.curveName = "L";  // shorter than the prefix
    EXPECT_FALSE(editor.Delete(renamed));
    EXPECT_EQ(rig.ui.shown[rig.ui.shown.size() - 2].text, "Curve \"\" will be deleted, continue?");
}

TEST(PlotDialogTest, DeleteAllAsksAndFailsOnAnEmptyPlot) {
    EditorRig rig;
    rig.AddReceivers({"a"});
    CPlotDataEditor editor = rig.Editor('f');
    rig.ui.answers = {MessageAnswer::No};
    EXPECT_FALSE(editor.DeleteAll());
    EXPECT_EQ(rig.plot.CurveCount(), 2);
    EXPECT_TRUE(editor.DeleteAll());
    EXPECT_EQ(rig.ui.shown[1].text, "All plot data will be deleted, continue?");
    EXPECT_EQ(rig.plot.CurveCount(), 0);
    EXPECT_FALSE(editor.DeleteAll());
    EXPECT_EQ(rig.ui.LastText(), "Unable to delete the curves");
}

TEST(PlotDialogTest, InsertLoadsTheChosenFileUnderItsTitleAndReportsFailures) {
    TempDir dir;
    EditorRig rig;
    rig.currentFolder = dir.Root();
    CPlotDataEditor editor = rig.Editor('r');
    ASSERT_TRUE(editor.HasInsert());
    rig.ui.files = {dir.Write("probe.rx.txt", "0 0.0 1.0 2.0\n1 0.1 3.0 4.0\n"), dir.Write("bad.txt", "nothing\n"),
                    std::nullopt};
    ASSERT_TRUE(editor.Insert());
    ASSERT_EQ(rig.plot.CurveCount(), 2);
    EXPECT_EQ(rig.plot.Curves()[0].legend, "L - probe.rx");
    EXPECT_EQ(rig.plot.Curves()[1].legend, "T - probe.rx");
    ASSERT_EQ(rig.ui.fileRequests.size(), 1u);
    EXPECT_EQ(rig.ui.fileRequests[0].startFolder, dir.Root());
    EXPECT_EQ(rig.ui.fileRequests[0].filter, "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||");
    EXPECT_TRUE(rig.ui.fileRequests[0].fileMustExist);
    EXPECT_EQ(rig.repainted, std::vector<char>{'r'});

    EXPECT_FALSE(editor.Insert());
    EXPECT_EQ(rig.ui.LastText(), "Unable to load the curves");
    EXPECT_EQ(rig.ui.shown.back().title, "Information");
    const std::size_t messages = rig.ui.shown.size();
    EXPECT_FALSE(editor.Insert());  // cancelled: no message
    EXPECT_EQ(rig.ui.shown.size(), messages);
    EXPECT_EQ(rig.plot.CurveCount(), 2);

    rig.currentFolder.clear();
    EXPECT_FALSE(editor.Insert());
    EXPECT_EQ(rig.ui.LastText(), "Unable to get the current path");

    EditorRig spectrum;
    EXPECT_FALSE(spectrum.Editor('f').HasInsert());
    EXPECT_EQ(PlotFileTitle("C:\\runs\\rx1.txt"), "rx1");
    EXPECT_EQ(PlotFileTitle("runs/.hidden"), ".hidden");
}

TEST(PlotDialogTest, ExportFailureShowsTheRecordsMessageAsAWarning) {
    TempDir dir;
    CElixDoc doc;
    ScriptedUserInterface ui;
    doc.SetUserInterface(&ui);
    CPlotData& plot = doc.plotData[0];
    ASSERT_TRUE(plot.AllocateCurves(2, 1, 1.0));
    plot.SetAllDisabled(true);
    CPlotDataEditor editor = CPlotDataEditor::ForDocument(doc, plot, 'r');

    ui.files = {dir.Path("out.txt")};
    EXPECT_FALSE(editor.Export("/receivers"));
    ASSERT_EQ(ui.fileRequests.size(), 1u);
    EXPECT_EQ(ui.fileRequests[0].startFolder, "/receivers");
    EXPECT_EQ(ui.fileRequests[0].defaultExtension, "txt");
    EXPECT_TRUE(ui.fileRequests[0].confirmOverwrite);
    EXPECT_EQ(ui.LastText(), "No curve for export.");
    EXPECT_EQ(ui.shown.back().style, MessageStyle::Exclamation);

    editor.EnableAll();
    EXPECT_TRUE(editor.ExportFile(dir.Path("out.txt")));
    EXPECT_EQ(ui.shown.size(), 1u);

    std::vector<char> hints;
    doc.AddViewObserver([&hints](char hint) { hints.push_back(hint); });
    EXPECT_TRUE(editor.Apply(editor.Fields()));
    EXPECT_EQ(hints, std::vector<char>{'r'});
}

}  // namespace
}  // namespace elix

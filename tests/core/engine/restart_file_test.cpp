#include "engine/restart_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "engine/node_grid.h"
#include "run_test_model.h"
#include "support/scripted_ui.h"

namespace elix {
namespace {

using test::ReadFileText;

// Keeps a copy of the fields at every frame: the last one shows the state
// a run ended in.
class FieldMonitor : public test::CountingMonitor {
public:
    WaveFields last;
    int lastFrameStep = -1;
    void Frame(int step, const CNodeGrid& grid) override {
        test::CountingMonitor::Frame(step, grid);
        last = grid.fields;
        lastFrameStep = step;
    }
};

// The shared test model plus a focused array receiver on the top face,
// whose delay lines a restart file has to carry.
void MakeRestartModel(CElixDoc& doc, test::TempDir& dir) {
    test::MakeModel(doc, dir);
    CReceiver array;
    array.name = "Array";
    array.outputFile = "array.txt";
    array.x1 = 0.0005f;
    array.x2 = 0.0025f;
    array.y1 = array.y2 = 0.0f;
    array.curveArrayFlags = kArrayFocusingBlock;
    array.shearMode = 0;  // an array records one wave type only
    array.focusing.delayLaw = 1;
    array.focusing.a[0] = 1.0f;
    doc.AddItem(array);
    doc.job.DispFreq = 1;
}

std::string ReceiverFiles(const test::TempDir& dir) {
    return ReadFileText(dir.Path("echo.txt")) + "|" + ReadFileText(dir.Path("bottom.txt")) + "|" +
           ReadFileText(dir.Path("array.txt"));
}

bool HasMessage(const test::ScriptedUserInterface& ui, const std::string& text) {
    return std::any_of(ui.shown.begin(), ui.shown.end(), [&](const auto& s) { return s.text == text; });
}

// Stops a fresh run of the restart model after step stopStep and saves
// "plate.res" beside it.
std::string StopAndSave(CElixDoc& doc, test::ScriptedUserInterface& ui, test::TempDir& dir, int stopStep) {
    doc.SetUserInterface(&ui);
    MakeRestartModel(doc, dir);
    test::CountingMonitor stopping;
    stopping.stopAfter = stopStep;
    const std::string res = dir.Path("plate.res");
    ui.files = {res};
    EXPECT_EQ(elix::Run(doc, stopping), RunOutcome::Stopped);
    EXPECT_TRUE(HasMessage(ui, "Do you want to save a restart file?"));
    return res;
}

TEST(RestartFileTest, ResumedRunIsIdenticalToAnUninterruptedOne) {
    test::TempDir whole;
    test::ScriptedUserInterface wholeUi;
    CElixDoc reference;
    reference.SetUserInterface(&wholeUi);
    MakeRestartModel(reference, whole);
    FieldMonitor uninterrupted;
    ASSERT_EQ(elix::Run(reference, uninterrupted), RunOutcome::Finished) << reference.MessageText();

    // Stopped well after the source let go of its nodes (its pulse lasts
    // 0.2 us of the 1 us run), saved, then resumed.
    test::TempDir parts;
    test::ScriptedUserInterface ui;
    CElixDoc doc;
    const std::string res = StopAndSave(doc, ui, parts, 60);
    const std::string header = ReadFileText(res).substr(0, 1024);
    EXPECT_EQ(header.rfind("<<ElastrixRestart>>\n" + parts.Path("plate.wmd") + "\nStep = 60 (", 0), 0u) << header;
    EXPECT_EQ(header.back(), '\0');
    ui.files = {res};
    FieldMonitor resumed;
    ASSERT_EQ(elix::Run(doc, resumed, true), RunOutcome::Finished) << doc.MessageText();
    EXPECT_EQ(ui.fileRequests.back().filter, kRestartFilter);

    EXPECT_EQ(resumed.progressCalls, uninterrupted.progressCalls - 61);
    EXPECT_EQ(ReceiverFiles(parts), ReceiverFiles(whole));
    const auto& a = reference.plotData[kReceiverPlot].Curves();
    const auto& b = doc.plotData[kReceiverPlot].Curves();
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t c = 0; c < a.size(); ++c) {
        EXPECT_EQ(a[c].x, b[c].x) << c;
        EXPECT_EQ(a[c].y, b[c].y) << c;
    }
    ASSERT_EQ(resumed.lastFrameStep, uninterrupted.lastFrameStep);
    EXPECT_EQ(resumed.last.U, uninterrupted.last.U);
    EXPECT_EQ(resumed.last.V, uninterrupted.last.V);
    EXPECT_EQ(resumed.last.Uold, uninterrupted.last.Uold);
    EXPECT_EQ(resumed.last.Vnew, uninterrupted.last.Vnew);
}

TEST(RestartFileTest, RefusesFilesOfOtherJobs) {
    test::TempDir dir;
    test::ScriptedUserInterface ui;
    CElixDoc doc;
    const std::string res = StopAndSave(doc, ui, dir, 30);
    const std::string saved = ReadFileText(res);

    // Each refusal shows its reason, then "Try again?" is answered No.
    const auto refused = [&](const std::string& reason) {
        ui.shown.clear();
        ui.files = {res};
        ui.answers = {MessageAnswer::No};
        test::CountingMonitor monitor;
        EXPECT_EQ(elix::Run(doc, monitor, true), RunOutcome::Declined);
        EXPECT_EQ(monitor.progressCalls, 0);
        EXPECT_TRUE(HasMessage(ui, reason)) << reason << " / " << ui.LastText();
        EXPECT_EQ(ui.LastText(), "Failed to load the restart file. Try again?");
        EXPECT_FALSE(doc.IsRunning());
    };

    doc.job.PointPerCycle = 12;
    refused("Don't change job parameters for restart job, except the duration.");
    doc.job.PointPerCycle = 10;
    doc.job.TimeStepScale = 0.5f;  // a different dt
    refused("Don't change job parameters for restart job, except the duration.");
    doc.job.TimeStepScale = 1.0f;

    const std::string model = doc.PathName();
    doc.SetPathName(dir.Path("other.wmd"));
    refused("'" + model + "' is not the same as current job");
    doc.SetPathName(model);

    dir.Write("plate.res", "<<ElastrixRestartFile>>\n" + saved.substr(24));
    refused("'" + res + "' is not a Elastrix restart file.");
    dir.Write("plate.res", saved.substr(0, saved.size() - 10));
    refused("Failed to load grid data.");
    dir.Write("plate.res", saved.substr(0, 1100));
    refused("Failed to load plot data.");

    // Leading blank lines before the first line are allowed (the zero fill
    // keeps the binary block at its offset), and a longer duration extends
    // the run.
    std::string blanks = "\n\n  " + saved;
    blanks.erase(1024, 4);
    dir.Write("plate.res", blanks);
    doc.job.Duration *= 2.0f;
    ui.shown.clear();
    ui.files = {res};
    test::CountingMonitor longer;
    ASSERT_EQ(elix::Run(doc, longer, true), RunOutcome::Finished) << ui.LastText();
    EXPECT_EQ(longer.lastStep, longer.progressCalls + 30);
    EXPECT_EQ(longer.lastText.substr(longer.lastText.size() - 6), "(100%)");
}

TEST(RestartFileTest, PauseRunToStepAndStopWithoutSaving) {
    // Pauses at the Run to Step target, shows "&Run" while paused, resumes;
    // then a target equal to the current step stays paused until Stop.
    class Pausing : public test::CountingMonitor {
    public:
        std::vector<int> pausedAt;
        std::string label;
        void Progress(int step, int total, const std::string& text) override {
            test::CountingMonitor::Progress(step, total, text);
            if (step == 5) RunToStep(20, step);
            if (step == 30) RunToStep(30, step);
        }
        void WhilePaused() override {
            pausedAt.push_back(lastStep);
            label = ButtonLabel();
            if (lastStep == 20) Resume();
            else Stop();
        }
    };
    test::TempDir dir;
    test::ScriptedUserInterface ui;
    CElixDoc doc;
    doc.SetUserInterface(&ui);
    test::MakeModel(doc, dir);
    ui.answers = {MessageAnswer::No};  // no restart file
    Pausing monitor;
    EXPECT_EQ(elix::Run(doc, monitor), RunOutcome::Stopped);
    EXPECT_EQ(monitor.pausedAt, (std::vector<int>{20, 30}));
    EXPECT_EQ(monitor.label, "&Run");
    EXPECT_EQ(monitor.lastStep, 30);
    EXPECT_EQ(ui.LastText(), "Do you want to save a restart file?");
    EXPECT_TRUE(ui.fileRequests.empty());
}

}  // namespace
}  // namespace elix

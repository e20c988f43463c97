#include "engine/run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "engine_test_support.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace elix {
namespace {

using test::Material;
using test::ReadFileText;
using test::SetImage;

class CountingMonitor : public IRunMonitor {
public:
    int progressCalls = 0;
    int frames = 0;
    int stopAfter = -1;
    std::string lastText;
    void Progress(int step, int, const std::string& text) override {
        ++progressCalls;
        lastText = text;
        lastStep = step;
    }
    bool StopRequested() override { return stopAfter >= 0 && lastStep >= stopAfter; }
    void Frame(int, const CNodeGrid&) override { ++frames; }
    int lastStep = -1;
};

// A 3 mm x 2 mm steel plate with a vacuum hole, a source on top, an echo
// receiver on the source and one on the bottom, absorbing sides.
void MakeModel(CElixDoc& doc, test::TempDir& dir) {
    SCOPED_TRACE("model");
    doc.SetPathName(dir.Path("plate.wmd"));
    doc.AddItem(Material("Steel", 0, 7850, 5900, 3230));
    SetImage(doc, 30, 20, 0, 10.0);
    doc.image.Rows[12][15] = doc.image.Rows[12][16] = 255;
    // A working copy, from which a run takes the geometry back after the
    // frames of an earlier run replaced it on display.
    doc.WorkingFileName = dir.Path("plate0000Tmp.geo");
    ASSERT_TRUE(doc.WriteImageFile(doc.WorkingFileName));
    CSource source;
    source.name = "Tx";
    source.x1 = 0.002f;
    source.y1 = 0.0f;
    source.x2 = 0.001f;
    source.y2 = 0.0f;
    source.longitudinalTimeFunction = "Sine Pulse,2,1,5e+06";
    source.longitudinalDuration = 2e-7f;
    doc.AddItem(source);
    CReceiver echo;
    echo.name = "Echo";
    echo.outputFile = "echo.txt";
    echo.x1 = 0.002f;
    echo.x2 = 0.001f;
    echo.y1 = echo.y2 = 0.0f;
    echo.averagedOnly = 0;
    doc.AddItem(echo);
    CReceiver bottom;
    bottom.name = "Bottom";
    bottom.outputFile = "bottom.txt";
    bottom.x1 = 0.001f;
    bottom.x2 = 0.002f;
    bottom.y1 = bottom.y2 = 0.002f;
    bottom.dataType = 1;
    doc.AddItem(bottom);
    doc.job.MinWaveLength = 0.001f;
    doc.job.Duration = 1e-6f;
    doc.job.InfiniteBCIndex = 4 | 8;
    doc.job.DispFreq = 5;
}

TEST(RunTest, RunsToTheEndWritingFilesAndThePlot) {
    test::TempDir dir;
    test::ScriptedUserInterface ui;
    CElixDoc doc;
    doc.SetUserInterface(&ui);
    MakeModel(doc, dir);
    CountingMonitor monitor;
    ASSERT_EQ(elix::Run(doc, monitor), RunOutcome::Finished) << doc.MessageText();
    EXPECT_FALSE(doc.IsRunning());
    const int steps = monitor.progressCalls;
    ASSERT_GT(steps, 50);
    EXPECT_EQ(monitor.lastText.substr(monitor.lastText.size() - 6), "(100%)");
    EXPECT_EQ(monitor.frames, (steps + 4) / 5);  // every DispFreq steps, from step 0
    const std::string echo = ReadFileText(dir.Path("echo.txt"));
    EXPECT_EQ(static_cast<int>(std::count(echo.begin(), echo.end(), '\n')), steps);
    EXPECT_EQ(echo.rfind("0  0.00000 ", 0), 0u) << echo.substr(0, 40);
    const CPlotData& plot = doc.plotData[kReceiverPlot];
    ASSERT_EQ(plot.CurveCount(), 6);
    EXPECT_EQ(plot.Curves()[0].legend, "L - Echo");
    EXPECT_EQ(plot.Curves()[3].legend, "T - Bottom");
    EXPECT_EQ(plot.Curves()[4].legend, "L - Tx (S)");
    EXPECT_EQ(plot.Curves()[0].PointCount(), steps + 1);
    // The source curve carries the sine pulse: non-zero during the pulse.
    float peak = 0.0f;
    for (float y : plot.Curves()[4].y) peak = std::max(peak, std::fabs(y));
    EXPECT_NEAR(peak, 1.0f, 0.05f);
    // The pulse reaches the bottom receiver.
    float bottomPeak = 0.0f;
    for (float y : plot.Curves()[2].y) bottomPeak = std::max(bottomPeak, std::fabs(y));
    EXPECT_GT(bottomPeak, 0.0f);
}

TEST(RunTest, ResultsAreIdenticalForOneToFourThreads) {
    std::string reference;
    for (int threads = 1; threads <= 4; ++threads) {
        test::TempDir dir;
        test::ScriptedUserInterface ui;
        CElixDoc doc;
        doc.SetUserInterface(&ui);
        MakeModel(doc, dir);
        doc.job.ThreadTotal = static_cast<std::int16_t>(threads);
        CountingMonitor monitor;
        ASSERT_EQ(elix::Run(doc, monitor), RunOutcome::Finished);
        const std::string files = ReadFileText(dir.Path("echo.txt")) + ReadFileText(dir.Path("bottom.txt"));
        if (threads == 1) reference = files;
        else EXPECT_EQ(files, reference) << threads << " threads";
    }
}

TEST(RunTest, StopFailureAndRefusal) {
    test::TempDir dir;
    test::ScriptedUserInterface ui;
    CElixDoc doc;
    doc.SetUserInterface(&ui);
    MakeModel(doc, dir);
    CountingMonitor stopping;
    stopping.stopAfter = 10;
    EXPECT_EQ(elix::Run(doc, stopping), RunOutcome::Stopped);
    EXPECT_EQ(stopping.progressCalls, 11);
    // The files exist now: No to the overwrite question declines the run.
    ui.answers = {MessageAnswer::No};
    CountingMonitor monitor;
    EXPECT_EQ(elix::Run(doc, monitor), RunOutcome::Declined);
    EXPECT_EQ(monitor.progressCalls, 0);
    // Too large a time step: the run stops as unstable.
    doc.job.TimeStepScale = 3.0f;
    doc.job.Duration = 4e-5f;
    EXPECT_EQ(elix::Run(doc, monitor), RunOutcome::Failed);
    EXPECT_EQ(doc.MessageText().rfind("The simulation became unstable at step ", 0), 0u) << doc.MessageText();
    EXPECT_FALSE(doc.IsRunning());
    // Preparation failure: its message, nothing run.
    doc.job.TimeStepScale = 0.0f;
    CountingMonitor none;
    EXPECT_EQ(elix::Run(doc, none), RunOutcome::Failed);
    EXPECT_EQ(doc.MessageText(), "Time increament = 0");
    EXPECT_EQ(none.progressCalls, 0);
    EXPECT_EQ(ui.LastText(), "Time increament = 0");
}

}  // namespace
}  // namespace elix

#include "engine/run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <system_error>
#include <thread>
#include <string>
#include <vector>

#include "engine/row_workers.h"
#include "run_test_model.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace elix {
namespace {

using test::CountingMonitor;
using test::MakeModel;
using test::ReadFileText;

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

// The window reaches the grid between steps: attached before the first
// progress report with the run's spacing and the frame of the step just
// done, detached after the last.
TEST(RunTest, AttachesTheGridOnlyWhileStepping) {
    struct AttachMonitor : IRunMonitor {
        std::vector<std::string> events;
        const CNodeGrid* grid = nullptr;
        double hx = 0.0;
        void Attach(const CNodeGrid* g, double x, double /*y*/) override {
            events.push_back(g ? "attach" : "detach");
            grid = g;
            if (g) hx = x;
        }
        void Progress(int, int, const std::string&) override {
            if (events.back() != "progress") events.push_back(grid ? "progress" : "progress without grid");
        }
    };
    test::TempDir dir;
    test::ScriptedUserInterface ui;
    CElixDoc doc;
    doc.SetUserInterface(&ui);
    MakeModel(doc, dir);
    AttachMonitor monitor;
    ASSERT_EQ(elix::Run(doc, monitor), RunOutcome::Finished) << doc.MessageText();
    EXPECT_EQ(monitor.events, (std::vector<std::string>{"attach", "progress", "detach"}));
    EXPECT_GT(monitor.hx, 0.0);
    EXPECT_EQ(monitor.grid, nullptr);
}

// A worker that cannot be created fails the run with its message; the
// workers already made are ended, no step is taken and the next run, with
// threads to be had again, finishes.
TEST(RunTest, AWorkerThatCannotBeCreatedFailsTheRun) {
    int made = 0;
    CRowWorkers::StartThread() = [&made](std::function<void()> body) {
        if (++made == 2) throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
        return std::thread(std::move(body));
    };
    test::TempDir dir;
    test::ScriptedUserInterface ui;
    CElixDoc doc;
    doc.SetUserInterface(&ui);
    MakeModel(doc, dir);
    doc.job.ThreadTotal = 4;
    CountingMonitor monitor;
    EXPECT_EQ(elix::Run(doc, monitor), RunOutcome::Failed);
    CRowWorkers::StartThread() = nullptr;
    EXPECT_EQ(made, 2);
    EXPECT_EQ(doc.MessageText(), "Failed to create multithreads\n");
    EXPECT_EQ(ui.LastText(), "Failed to create multithreads\n");
    EXPECT_EQ(monitor.progressCalls, 0);
    EXPECT_FALSE(doc.IsRunning());

    CountingMonitor again;
    EXPECT_EQ(elix::Run(doc, again), RunOutcome::Finished) << doc.MessageText();
    EXPECT_GT(again.progressCalls, 50);
}

// Preparation's checks in their order: the array and pressure-source
// checks come before the zero-length check, each with its message.
TEST(RunTest, PreparationChecksArraysBeforeZeroLengths) {
    test::TempDir dir;
    test::ScriptedUserInterface ui;
    CElixDoc doc;
    doc.SetUserInterface(&ui);
    MakeModel(doc, dir);
    doc.Receivers()[0].x2 = doc.Receivers()[0].x1;
    doc.Receivers()[0].y2 = doc.Receivers()[0].y1;
    doc.Sources()[0].signalType = 1;
    doc.Sources()[0].pointSource = 1;
    CountingMonitor monitor;
    EXPECT_EQ(elix::Run(doc, monitor), RunOutcome::Failed);
    EXPECT_EQ(doc.MessageText().rfind("Error: Pressure source 'Tx' can't work with point source.\n", 0), 0u)
        << doc.MessageText();
    doc.Sources()[0].signalType = 0;
    EXPECT_EQ(elix::Run(doc, monitor), RunOutcome::Failed);
    EXPECT_EQ(doc.MessageText().rfind("Receiver 'Echo' has zero length.", 0), 0u) << doc.MessageText();
    EXPECT_EQ(monitor.progressCalls, 0);
    EXPECT_FALSE(std::filesystem::exists(dir.Path("echo.txt")));
}

}  // namespace
}  // namespace elix

// Displacement dumps, frame pictures and playback: names, the dump rule,
// the dump text byte for byte, PCX resolution, loading pictures back and
// the Play Control stepping.
#include "view/frame_dump.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <set>
#include <vector>

#include "core/engine/engine_test_support.h"
#include "engine/node_grid.h"
#include "engine/time_step.h"
#include "model/elix_doc.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"
#include "view/wavefield_frame.h"
#include "view_test_support.h"

namespace elix {
namespace {

using test::ReadFileText;
using test::ScriptedUserInterface;
using test::TempDir;

CNodeGrid Grid(int nx, int ny) {
    return test::RestingGrid(nx, ny);
}

// --- names and the dump rule ----------------------------------------------

TEST(FrameDumpNamesTest, TitleWithoutExtensionThenStep) {
    EXPECT_EQ(FramePicturePath("", "plate.wmd", 40), "plateS40.PCX");
    EXPECT_EQ(DisplacementDumpPath("", "plate.wmd", 40), "plateS40.frm");
    EXPECT_EQ(FramePicturePath("/runs/out", "plate.wmd", 40), "/runs/out/plateS40.PCX");
    EXPECT_EQ(DisplacementDumpPath("/runs/out/", "plate.wmd", 0), "/runs/out/plateS0.frm");
    EXPECT_EQ(DisplacementDumpPath("C:\\runs\\", "plate.wmd", 7), "C:\\runs\\plateS7.frm");
    // Only the last dot ends the title; no dot keeps it whole.
    EXPECT_EQ(FramePicturePath("", "a.b.wmd", 12345), "a.bS12345.PCX");
    EXPECT_EQ(FramePicturePath("", "Untitled", 3), "UntitledS3.PCX");
    EXPECT_EQ(TitleStem(".wmd"), "");
}

std::vector<int> DumpSteps(std::array<std::int32_t, 3> range, int upTo) {
    std::vector<int> steps;
    for (int s = -10; s <= upTo; ++s)
        if (IsDumpStep(range, s)) steps.push_back(s);
    return steps;
}

TEST(FrameDumpRuleTest, FirstLastAndInterval) {
    EXPECT_EQ(DumpSteps({100, 200, 50}, 400), (std::vector<int>{100, 150, 200}));
    EXPECT_EQ(DumpSteps({100, 220, 50}, 400), (std::vector<int>{100, 150, 200}));
    EXPECT_EQ(DumpSteps({5, 5, 1}, 50), std::vector<int>{5});
    EXPECT_EQ(DumpSteps({0, 3, 1}, 50), (std::vector<int>{0, 1, 2, 3}));
    // No interval, a negative one, or an empty range: never.
    EXPECT_TRUE(DumpSteps({0, 0, 0}, 50).empty());
    EXPECT_TRUE(DumpSteps({100, 200, 0}, 400).empty());
    EXPECT_TRUE(DumpSteps({100, 200, -50}, 400).empty());
    EXPECT_TRUE(DumpSteps({200, 100, 50}, 400).empty());
    // s - first cannot overflow for extreme ranges.
    const std::int32_t lowest = std::numeric_limits<std::int32_t>::min();
    const std::int32_t highest = std::numeric_limits<std::int32_t>::max();
    EXPECT_TRUE(IsDumpStep({lowest, highest, highest}, highest - 1));
    EXPECT_FALSE(IsDumpStep({lowest, highest, highest}, highest));
}

// --- dump text ---------------------------------------------------------------

TEST(DumpLineTest, MatchesTheCLibrary) {
    constexpr float kInf = std::numeric_limits<float>::infinity();
    const float values[] = {0.0f,         -0.0f, 0.5f,  -0.25f,  1e-7f,   -1e-7f, 0.0078125f, 0.0234375f,
                            123.4567891f, 1e6f,  -3.0f, 2.5e-6f, 3.0e38f, kInf,   -kInf,      std::nanf("")};
    for (float u : values) {
        std::string line;
        AppendDumpLine(line, 12, 3456, u, -u);
        char expected[200];
        std::snprintf(expected, sizeof expected, "%d %d %f %f\n", 12, 3456, static_cast<double>(u),
                      static_cast<double>(-u));
        EXPECT_EQ(line, expected) << u;
    }
}

struct DumpFileTest : ::testing::Test {
    TempDir dir;
    ScriptedUserInterface ui;
    CElixDoc doc;
    void SetUp() override {
        doc.SetUserInterface(&ui);
        doc.SetPathName(dir.Path("plate.wmd"));
    }
};

TEST_F(DumpFileTest, TinyGridRowsOutsideColumnsInside) {
    CNodeGrid grid = Grid(2, 1);
    auto set = [&](int i, int j, float u, float v) {
        grid.fields.U[grid.Offset(i, j)] = u;
        grid.fields.V[grid.Offset(i, j)] = v;
    };
    set(0, 0, 0.5f, -0.25f);
    set(1, 0, 0.001f, -1e-7f);
    set(2, 0, 123.4567891f, 0.0f);
    set(0, 1, 0.0078125f, 0.0234375f);  // exact ties: to even, as printf
    set(1, 1, 1.5e-7f, 2.5e-6f);
    set(2, 1, -3.0f, 1e6f);
    const std::string path = dir.Path("d.frm");
    ASSERT_TRUE(WriteDisplacementDump(doc, grid, path));
    EXPECT_EQ(ReadFileText(path),
              "0 0 0.500000 -0.250000\n"
              "1 0 0.001000 -0.000000\n"
              "2 0 123.456787 0.000000\n"
              "0 1 0.007812 0.023438\n"
              "1 1 0.000000 0.000002\n"
              "2 1 -3.000000 1000000.000000\n");
    EXPECT_FALSE(std::filesystem::exists(path + ".part"));
}

TEST_F(DumpFileTest, LargeGridIsWrittenInFull) {
    // More than one write buffer's worth of lines.
    CNodeGrid grid = Grid(299, 199);
    grid.fields.U[grid.Offset(299, 199)] = 0.75f;
    const std::string path = dir.Path("big.frm");
    ASSERT_TRUE(WriteDisplacementDump(doc, grid, path));
    const std::string text = ReadFileText(path);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 300 * 200);
    EXPECT_EQ(text.substr(0, 22), "0 0 0.000000 0.000000\n");
    EXPECT_EQ(text.substr(text.size() - 26), "299 199 0.750000 0.000000\n");
}

TEST_F(DumpFileTest, UnwritablePathKeepsItsMessage) {
    CNodeGrid grid = Grid(1, 1);
    const std::string path = dir.Path("missing/plate.frm");
    EXPECT_FALSE(WriteDisplacementDump(doc, grid, path));
    EXPECT_EQ(doc.MessageText(), "Unable to save file '" + path + "'.");
    EXPECT_FALSE(std::filesystem::exists(dir.Path("missing")));
}

TEST_F(DumpFileTest, RunLoopDumpOnlyAtDueSteps) {
    doc.job.DumpDisplacement = {100, 200, 50};
    CNodeGrid grid = Grid(0, 0);
    for (int step = 0; step <= 250; step += 10) ASSERT_TRUE(WriteDumpIfDue(doc, grid, step, dir.Root()));
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Root()))
        names.insert(entry.path().filename().string());
    EXPECT_EQ(names, (std::set<std::string>{"plateS100.frm", "plateS150.frm", "plateS200.frm"}));
    EXPECT_EQ(ReadFileText(dir.Path("plateS150.frm")), "0 0 0.000000 0.000000\n");
    // A due dump that cannot be written is reported.
    EXPECT_FALSE(WriteDumpIfDue(doc, grid, 100, dir.Path("nowhere")));
    EXPECT_TRUE(WriteDumpIfDue(doc, grid, 101, dir.Path("nowhere")));
}

// --- Dump Displacements command ---------------------------------------------

TEST_F(DumpFileTest, CommandEnabledDuringARunPastStepZero) {
    EXPECT_FALSE(CanDumpDisplacements(doc, 5));
    doc.SetRunning(true);
    EXPECT_FALSE(CanDumpDisplacements(doc, 0));
    EXPECT_TRUE(CanDumpDisplacements(doc, 5));
}

TEST_F(DumpFileTest, CommandAsksThenWritesTheChosenFile) {
    CNodeGrid grid = Grid(0, 0);
    grid.fields.U[0] = 0.5f;
    ui.answers.push_back(MessageAnswer::No);
    EXPECT_FALSE(DumpDisplacementsCommand(doc, grid, 30, dir.Root()));
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, "Save displacements of step 30 to a file, continue?");
    EXPECT_EQ(ui.shown[0].style, MessageStyle::Question);
    EXPECT_TRUE(ui.fileRequests.empty());

    ui.files.push_back(dir.Path("mine.frm"));
    ASSERT_TRUE(DumpDisplacementsCommand(doc, grid, 30, dir.Root()));
    ASSERT_EQ(ui.fileRequests.size(), 1u);
    const FileChooserRequest& request = ui.fileRequests[0];
    EXPECT_EQ(request.filter, "Disp. Files (*.frm)|*.frm|All Files (*.*)|*.*||");
    EXPECT_EQ(request.defaultExtension, "frm");
    EXPECT_EQ(request.startFolder, dir.Root());
    EXPECT_TRUE(request.confirmOverwrite);
    EXPECT_EQ(ReadFileText(dir.Path("mine.frm")), "0 0 0.500000 0.000000\n");
}

TEST_F(DumpFileTest, CommandCancelledOrFailingWritesNothing) {
    CNodeGrid grid = Grid(0, 0);
    EXPECT_FALSE(DumpDisplacementsCommand(doc, grid, 3, dir.Root()));  // no file chosen
    EXPECT_EQ(ui.fileRequests.size(), 1u);
    EXPECT_TRUE(std::filesystem::is_empty(dir.Root()));

    const std::string path = dir.Path("no/such.frm");
    ui.files.push_back(path);
    EXPECT_FALSE(DumpDisplacementsCommand(doc, grid, 3, dir.Root()));
    ASSERT_EQ(ui.shown.size(), 3u);
    EXPECT_EQ(ui.shown[2].text, "Unable to save file '" + path + "'.");
    EXPECT_EQ(ui.shown[2].style, MessageStyle::Information);
}

// --- frame pictures ----------------------------------------------------------

struct FramePictureTest : DumpFileTest {
    void SetUp() override {
        DumpFileTest::SetUp();
        SetPreviousFrameMaximum(kInitialPreviousMaximum);
    }
    void TearDown() override { SetPreviousFrameMaximum(kInitialPreviousMaximum); }

    // A 3 x 2-node frame with distinct gray levels, made at hx by hy.
    void MakeFrame(double hx, double hy) {
        CNodeGrid grid = Grid(2, 1);
        for (std::size_t k = 0; k < grid.NodeCount(); ++k) grid.fields.U[k] = 0.1f * static_cast<float>(k);
        ASSERT_TRUE(MakeWavefieldFrame(doc, grid, 0, hx, hy, false));
    }
    static std::uint16_t HeaderWord(const std::string& bytes, std::size_t at) {
        return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                          static_cast<unsigned char>(bytes[at + 1]) << 8);
    }
};

TEST_F(FramePictureTest, HeaderCarriesRoundedDotsPerInch) {
    // 0.0254 / 3e-4 = 84.67 -> 85; 0.0254 / 1e-4 = 254.
    MakeFrame(3e-4, 1e-4);
    const std::string path = dir.Path("f.PCX");
    ASSERT_TRUE(SaveFramePicture(doc, path));
    const std::string bytes = ReadFileText(path);
    ASSERT_GT(bytes.size(), 16u);
    EXPECT_EQ(HeaderWord(bytes, 8), 2);   // x max
    EXPECT_EQ(HeaderWord(bytes, 10), 1);  // y max
    EXPECT_EQ(HeaderWord(bytes, 12), 85);
    EXPECT_EQ(HeaderWord(bytes, 14), 254);
    // A coarse grid (1 m spacing: 0.0254 dpi) still gives 1.
    MakeFrame(1.0, 0.2);
    ASSERT_TRUE(SaveFramePicture(doc, path));
    const std::string coarse = ReadFileText(path);
    EXPECT_EQ(HeaderWord(coarse, 12), 1);
    EXPECT_EQ(HeaderWord(coarse, 14), 1);
}

TEST_F(FramePictureTest, SavedOnlyWithSaveDispAndReportedWhenUnwritable) {
    MakeFrame(1e-4, 1e-4);
    doc.job.SaveDisp = 0;
    ASSERT_TRUE(SaveFramePictureIfWanted(doc, 40, dir.Root()));
    EXPECT_FALSE(std::filesystem::exists(dir.Path("plateS40.PCX")));
    doc.job.SaveDisp = 1;
    ASSERT_TRUE(SaveFramePictureIfWanted(doc, 40, dir.Root()));
    EXPECT_TRUE(std::filesystem::exists(dir.Path("plateS40.PCX")));
    EXPECT_FALSE(SaveFramePictureIfWanted(doc, 40, dir.Path("gone")));
    EXPECT_EQ(doc.MessageText(), "Unable to save file: " + dir.Path("gone/plateS40.PCX"));
}

TEST_F(FramePictureTest, LoadedPictureTakesTheGridResolution) {
    // 0.0254 / 3e-4 is stored as 85 dpi; playback shows 84.67 again.
    MakeFrame(3e-4, 3e-4);
    const ImageRows frame = doc.image.Rows;
    doc.job.SaveDisp = 1;
    ASSERT_TRUE(SaveFramePictureIfWanted(doc, 40, dir.Root()));
    doc.image.Reset();
    std::vector<char> hints;
    doc.AddViewObserver([&](char hint) { hints.push_back(hint); });

    ASSERT_TRUE(LoadFramePicture(doc, dir.Root(), 40, 3e-4, 2e-4));
    EXPECT_EQ(doc.image.Rows, frame);
    EXPECT_EQ(doc.image.ImageWidth, 3);
    EXPECT_EQ(doc.image.ImageHeight, 2);
    EXPECT_FLOAT_EQ(doc.image.ResolutionX, static_cast<float>(0.0254 / 3e-4));
    EXPECT_FLOAT_EQ(doc.image.ResolutionY, 127.0f);
    EXPECT_TRUE(doc.image.ShowsFrame);
    EXPECT_FALSE(doc.image.displayBitmap.empty());
    EXPECT_EQ(hints, std::vector<char>{'r'});

    // Without a spacing the file's resolution stays.
    ASSERT_TRUE(LoadFramePicture(doc, dir.Root(), 40, 0.0, 0.0));
    EXPECT_EQ(doc.image.ResolutionX, 85.0f);
}

TEST_F(FramePictureTest, MissingPictureLeavesNoRowsAndNoRedraw) {
    MakeFrame(1e-4, 1e-4);
    int redraws = 0;
    doc.AddViewObserver([&](char) { ++redraws; });
    EXPECT_FALSE(LoadFramePicture(doc, dir.Root(), 41, 1e-4, 1e-4));
    EXPECT_FALSE(doc.image.HasRows());
    EXPECT_EQ(redraws, 0);
}

// --- playback ------------------------------------------------------------------

// A loader over a set of stored steps that records every attempt.
struct StoredFrames {
    std::set<int> stored;
    std::vector<int> attempts;
    CPlayControl::FrameLoader Loader() {
        return [this](int step) {
            attempts.push_back(step);
            return stored.count(step) > 0;
        };
    }
};

TEST(PlayControlTest, PlusSkipsMissingStepsOneAtATime) {
    StoredFrames frames{{0, 10, 20}, {}};
    CPlayControl play(frames.Loader(), 1e-8f, 20);
    ASSERT_TRUE(play.StepForwardButton());
    EXPECT_EQ(play.Step(), 10);
    EXPECT_EQ(frames.attempts, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));  // nine failed opens
    EXPECT_EQ(play.Mode(), PlayMode::Paused);
    EXPECT_EQ(play.TimeNs(), 99);  // 1e-8 as a float lies just below 1e-8
}

TEST(PlayControlTest, PlusAtTheLastStepStaysThereAndPauses) {
    StoredFrames frames{{0, 10, 20}, {}};
    CPlayControl play(frames.Loader(), 1e-8f, 20);
    play.SetStep(20);
    play.SetMode(PlayMode::Forwards);
    EXPECT_TRUE(play.StepForwardButton());
    EXPECT_EQ(play.Step(), 20);
    EXPECT_EQ(frames.attempts, std::vector<int>{20});
    EXPECT_EQ(play.Mode(), PlayMode::Paused);
    // A typed step beyond the last one is brought back to it.
    play.SetStep(35);
    play.StepForwardButton();
    EXPECT_EQ(play.Step(), 20);
}

TEST(PlayControlTest, MinusStopsAtZero) {
    StoredFrames frames{{10}, {}};
    CPlayControl play(frames.Loader(), 1e-8f, 20);
    play.SetStep(12);
    EXPECT_TRUE(play.StepBackwardButton());
    EXPECT_EQ(play.Step(), 10);
    EXPECT_FALSE(play.StepBackwardButton());
    EXPECT_EQ(play.Step(), 0);
    EXPECT_EQ(frames.attempts, (std::vector<int>{11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0}));
    EXPECT_EQ(play.Mode(), PlayMode::Paused);
}

TEST(PlayControlTest, TimerPlaysForwardsUntilTheEndThenBackwards) {
    StoredFrames frames{{0, 10, 20}, {}};
    CPlayControl play(frames.Loader(), 1e-8f, 25);
    play.OnTimer();  // paused: nothing happens
    EXPECT_TRUE(frames.attempts.empty());
    play.SetMode(PlayMode::Forwards);
    play.OnTimer();
    EXPECT_EQ(play.Step(), 10);
    EXPECT_EQ(play.Mode(), PlayMode::Forwards);
    play.OnTimer();
    EXPECT_EQ(play.Step(), 20);
    EXPECT_EQ(play.Mode(), PlayMode::Forwards);
    play.OnTimer();  // nothing more up to 25
    EXPECT_EQ(play.Step(), 25);
    EXPECT_EQ(play.Mode(), PlayMode::Paused);

    play.SetStep(20);
    play.SetMode(PlayMode::Backwards);
    play.OnTimer();
    EXPECT_EQ(play.Step(), 10);
    EXPECT_EQ(play.Mode(), PlayMode::Backwards);
    play.OnTimer();
    EXPECT_EQ(play.Step(), 0);
    EXPECT_EQ(play.Mode(), PlayMode::Paused);
}

TEST(PlayControlTest, FirstAndLastLoadTheEndsThenPause) {
    StoredFrames frames{{0, 10, 20}, {}};
    CPlayControl play(frames.Loader(), 1e-8f, 20);
    play.SetStep(13);
    play.SetMode(PlayMode::ToLast);
    play.OnTimer();
    EXPECT_EQ(play.Step(), 20);
    EXPECT_EQ(play.Mode(), PlayMode::Paused);
    play.SetMode(PlayMode::ToFirst);
    play.OnTimer();
    EXPECT_EQ(play.Step(), 0);
    EXPECT_EQ(play.Mode(), PlayMode::Paused);
    EXPECT_EQ(frames.attempts, (std::vector<int>{20, 0}));
    EXPECT_EQ(play.TimeNs(), 0);
}

TEST(PlayControlTest, NoPictureAtAllRunsToTheEndAndPauses) {
    StoredFrames frames;
    CPlayControl play(frames.Loader(), 1e-8f, 30);
    play.SetMode(PlayMode::Forwards);
    play.OnTimer();
    EXPECT_EQ(play.Step(), 30);
    EXPECT_EQ(frames.attempts.size(), 30u);
    EXPECT_EQ(play.Mode(), PlayMode::Paused);
}

TEST(PlayControlTest, FirstSuccessfulLoadRedrawsOnce) {
    StoredFrames frames{{3, 4}, {}};
    int redraws = 0;
    CPlayControl play(frames.Loader(), 1e-8f, 10, [&] { ++redraws; });
    play.SetStep(8);
    play.SetLastStep(9);
    EXPECT_FALSE(play.StepForwardButton());  // 9: nothing
    EXPECT_EQ(redraws, 0);
    play.SetStep(2);
    EXPECT_TRUE(play.StepForwardButton());
    EXPECT_TRUE(play.StepForwardButton());
    EXPECT_EQ(play.Step(), 4);
    EXPECT_EQ(redraws, 1);
}

TEST(PlayControlTest, TimeIsTruncatedFromTheSinglePrecisionIncrement) {
    // 2e-8 as a 32-bit float lies just below 2e-8: 3 steps are 59.99... ns.
    EXPECT_EQ(CPlayControl::TimeNsOf(3, 2e-8f), 59);
    EXPECT_EQ(CPlayControl::TimeNsOf(0, 2e-8f), 0);
    EXPECT_EQ(CPlayControl::TimeNsOf(4, 2.5e-8f), 100);
    EXPECT_EQ(CPlayControl::TimeNsOf(1000000, 1.0f), std::numeric_limits<std::int32_t>::max());
    StoredFrames frames{{3}, {}};
    CPlayControl play(frames.Loader(), 2e-8f, 10);
    play.StepForwardButton();
    EXPECT_EQ(play.TimeNs(), 59);
}

TEST_F(FramePictureTest, DocumentPlaybackShowsStoredFrames) {
    MakeFrame(1e-4, 1e-4);
    doc.job.SaveDisp = 1;
    ASSERT_TRUE(SaveFramePictureIfWanted(doc, 10, dir.Root()));
    doc.image.Reset();
    std::vector<char> hints;
    doc.AddViewObserver([&](char hint) { hints.push_back(hint); });
    PlaybackSetup setup;
    setup.timeIncrement = 1e-8f;
    setup.hx = setup.hy = 1e-4;
    setup.totalSteps = 20;
    CPlayControl play = MakeDocumentPlayControl(doc, dir.Root(), setup);
    EXPECT_EQ(play.LastStep(), 20);
    ASSERT_TRUE(play.StepForwardButton());
    EXPECT_EQ(play.Step(), 10);
    EXPECT_TRUE(doc.image.ShowsFrame);
    EXPECT_FLOAT_EQ(doc.image.ResolutionX, 254.0f);
    EXPECT_EQ(hints, (std::vector<char>{'r', 'a'}));
}

TEST(PreparePlaybackTest, RunValuesFromTheModel) {
    CElixDoc doc;
    doc.AddItem(test::Material("Steel", 0, 7800.0, 5900.0, 3200.0));
    test::SetImage(doc, 40, 20, 0, 10.0);
    doc.DisplayCategory = "MaterialProperties";
    PlaybackSetup setup;
    ASSERT_TRUE(PreparePlayback(doc, setup)) << doc.MessageText();
    CRunGeometry g;
    std::string error;
    ASSERT_TRUE(ComputeRunGeometry(doc, g, error));
    EXPECT_EQ(setup.timeIncrement, static_cast<float>(g.dt));
    EXPECT_EQ(setup.hx, g.hx);
    EXPECT_EQ(setup.hy, g.hy);
    EXPECT_EQ(setup.totalSteps, g.totalSteps);
    EXPECT_EQ(doc.DisplayCategory, "");
}

TEST(PreparePlaybackTest, FailsWithoutAGeometry) {
    CElixDoc doc;
    doc.DisplayCategory = "MaterialProperties";
    PlaybackSetup setup;
    EXPECT_FALSE(PreparePlayback(doc, setup));
    EXPECT_NE(doc.MessageText().find("No Image Loaded!"), std::string::npos);
    EXPECT_EQ(doc.DisplayCategory, "MaterialProperties");
    // A frame on show with no working file to go back to.
    test::SetImage(doc, 4, 4, 0, 10.0);
    doc.image.ShowsFrame = true;
    EXPECT_FALSE(PreparePlayback(doc, setup));
    EXPECT_NE(doc.MessageText().find("No Image Loaded!"), std::string::npos);
}

}  // namespace
}  // namespace elix

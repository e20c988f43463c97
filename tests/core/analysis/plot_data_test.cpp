// The plot record: curve storage, automatic ranges, the export file, the
// receiver output file as a curve pair, interpolation and tick labels.
#include "analysis/plot_data.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace elix {
namespace {

using test::ReadFileText;
using test::TempDir;

// A record with one curve per entry, each of the given points.
CPlotData PlotWith(const std::vector<std::vector<std::pair<float, float>>>& curves) {
    CPlotData plot;
    std::size_t longest = 0;
    for (const auto& points : curves) longest = std::max(longest, points.size());
    EXPECT_TRUE(plot.AllocateCurves(static_cast<int>(curves.size()), static_cast<int>(longest), 1.0));
    for (std::size_t c = 0; c < curves.size(); ++c) {
        PlotCurve& curve = *plot.CurveAt(static_cast<int>(c));
        curve.x.clear();
        curve.y.clear();
        for (const auto& [x, y] : curves[c]) {
            curve.x.push_back(x);
            curve.y.push_back(y);
        }
    }
    return plot;
}

// Curves named after receivers a, b, c ("L - a", "T - a", ...), each
// recognisable by its first y value, position and flags.
CPlotData ThreeReceivers() {
    CPlotData plot;
    EXPECT_TRUE(plot.AllocateCurves(6, 3, 1e-7));
    const char* names[] = {"a", "b", "c"};
    for (int c = 0; c < 6; ++c) {
        plot.SetLegend(c, std::string(c % 2 ? "T - " : "L - ") + names[c / 2]);
        plot.SetPoint(0.0f, static_cast<float>(10 * c), c, 0);
        plot.SetCurvePosition(c, static_cast<float>(c), -static_cast<float>(c));
        plot.SetDisabled(c, c == 4);
        plot.SetDelayedSignal(c, c == 5);
    }
    return plot;
}

// --- record, allocation, points ---------------------------------------------

TEST(PlotDataTest, ResetPlotSettingsRestoresTheDefaultsButKeepsTheCurves) {
    CPlotData plot = ThreeReceivers();
    plot.axes.xTickCount = 9;
    plot.axes.yMaxAuto = false;
    plot.axes.xGrid = true;
    plot.layout.leftMargin = 1;
    plot.titles.y = "dB";
    plot.latestX = 7.0f;
    plot.message = "Note";
    ASSERT_TRUE(plot.SetCurrentCurve(4));

    plot.ResetPlotSettings();
    EXPECT_EQ(plot.axes.xTickCount, 6);
    EXPECT_TRUE(plot.axes.yMaxAuto);
    EXPECT_FALSE(plot.axes.xGrid);
    EXPECT_EQ(plot.layout.leftMargin, 75);
    EXPECT_EQ(plot.titles.y, "Amp. ");
    EXPECT_EQ(plot.latestX, 100.0f);
    EXPECT_TRUE(plot.message.empty());
    EXPECT_EQ(plot.CurrentCurve(), 0);
    EXPECT_EQ(plot.CurveCount(), 6);

    plot.Reset();
    EXPECT_EQ(plot.CurveCount(), 0);
}

TEST(PlotDataTest, AllocateCurvesGivesZerosSpacedByTheTimeStepAndNeverExceedsTheCapacity) {
    CPlotData plot = ThreeReceivers();
    ASSERT_TRUE(plot.AllocateCurves(2, 4, 2.5e-8));
    ASSERT_EQ(plot.CurveCount(), 2);
    for (const PlotCurve& curve : plot.Curves()) {
        EXPECT_TRUE(curve.legend.empty());
        EXPECT_FALSE(curve.disabled);
        ASSERT_EQ(curve.PointCount(), 4);
        for (int i = 0; i < 4; ++i) {
            EXPECT_FLOAT_EQ(curve.x[i], static_cast<float>(i * 2.5e-8));
            EXPECT_EQ(curve.y[i], 0.0f);
        }
    }

    plot.SetLegend(1, "kept");
    EXPECT_FALSE(plot.AllocateCurves(CPlotData::kMaxCurves + 1, 10, 1.0));
    EXPECT_FALSE(plot.AllocateCurves(-1, 10, 1.0));
    EXPECT_FALSE(plot.AllocateCurves(3, -1, 1.0));
    ASSERT_EQ(plot.CurveCount(), 2);  // a refused allocation leaves the curves as they were
    EXPECT_EQ(plot.Curves()[1].legend, "kept");

    EXPECT_TRUE(plot.AllocateCurves(CPlotData::kMaxCurves, 0, 1.0));
    EXPECT_EQ(plot.CurveCount(), plot.Capacity());
}

TEST(PlotDataTest, SetPointStoresInsideTheCurvesOnlyAndMovesTheLatestX) {
    CPlotData plot;
    ASSERT_TRUE(plot.AllocateCurves(2, 3, 1.0));
    EXPECT_TRUE(plot.SetPoint(0.5f, -2.0f, 1, 2));
    EXPECT_EQ(plot.Curves()[1].x[2], 0.5f);
    EXPECT_EQ(plot.Curves()[1].y[2], -2.0f);
    EXPECT_EQ(plot.latestX, 0.5f);

    EXPECT_FALSE(plot.SetPoint(9.0f, 9.0f, 1, 3));
    EXPECT_FALSE(plot.SetPoint(9.0f, 9.0f, 1, -1));
    EXPECT_FALSE(plot.SetPoint(9.0f, 9.0f, 2, 0));
    EXPECT_FALSE(plot.SetPoint(9.0f, 9.0f, -1, 0));
    EXPECT_EQ(plot.latestX, 0.5f);
    EXPECT_FALSE(plot.SetLegend(2, "x"));
    EXPECT_FALSE(plot.SetDisabled(-1, true));
    EXPECT_FALSE(plot.SetCurrentCurve(2));
    EXPECT_EQ(plot.CurveAt(2), nullptr);
}

TEST(PlotDataTest, CopyKeepsTheTargetsGridFlagsAndEndsTheCurvesAtTheCopiedXMax) {
    CPlotData source = ThreeReceivers();
    source.titles.main = "Run";
    source.axes.xMax = 4e-6f;
    source.axes.xGrid = true;
    source.axes.yGrid = false;
    source.latestX = 1e-6f;
    source.message = "Note: Recorded Receiver Data Are Loaded.";

    CPlotData target;
    target.axes.xGrid = false;
    target.axes.yGrid = true;
    target.CopyFrom(source);
    EXPECT_FALSE(target.axes.xGrid);
    EXPECT_TRUE(target.axes.yGrid);
    EXPECT_EQ(target.latestX, 4e-6f);
    EXPECT_EQ(target.axes.xMax, 4e-6f);
    EXPECT_EQ(target.titles.main, "Run");
    EXPECT_EQ(target.message, source.message);
    ASSERT_EQ(target.CurveCount(), 6);
    EXPECT_EQ(target.Curves()[5].legend, "T - c");
    EXPECT_TRUE(target.Curves()[4].disabled);
    EXPECT_EQ(target.Curves()[3].y, source.Curves()[3].y);

    target.CopyFrom(target);  // onto itself: only the latest x moves
    EXPECT_EQ(target.CurveCount(), 6);
    EXPECT_TRUE(target.axes.yGrid);
}

// --- removing curves ---------------------------------------------------------

TEST(PlotDataTest, RemovingAReceiverTakesBothItsCurvesAndMovesTheLaterOnesDown) {
    CPlotData plot = ThreeReceivers();
    ASSERT_TRUE(plot.RemoveReceiverCurves("b"));
    ASSERT_EQ(plot.CurveCount(), 4);
    const std::vector<std::string> legends = {"L - a", "T - a", "L - c", "T - c"};
    for (int c = 0; c < 4; ++c) EXPECT_EQ(plot.Curves()[c].legend, legends[c]);
    // The curves of c, formerly 4 and 5, with their data, position and flags.
    EXPECT_EQ(plot.Curves()[2].y[0], 40.0f);
    EXPECT_EQ(plot.Curves()[3].y[0], 50.0f);
    EXPECT_EQ(plot.Curves()[2].positionX, 4.0f);
    EXPECT_EQ(plot.Curves()[3].positionY, -5.0f);
    EXPECT_TRUE(plot.Curves()[2].disabled);
    EXPECT_FALSE(plot.Curves()[3].disabled);
    EXPECT_FALSE(plot.Curves()[2].delayedSignal);
    EXPECT_TRUE(plot.Curves()[3].delayedSignal);
}

TEST(PlotDataTest, RemovingOrClearingNothingFailsAndTheCurrentCurveStaysInRange) {
    CPlotData plot = ThreeReceivers();
    EXPECT_FALSE(plot.RemoveReceiverCurves("L - a"));  // the name, not the legend
    EXPECT_FALSE(plot.RemoveReceiverCurves("d"));
    EXPECT_EQ(plot.CurveCount(), 6);

    ASSERT_TRUE(plot.SetCurrentCurve(5));
    ASSERT_TRUE(plot.RemoveReceiverCurves("c"));
    EXPECT_EQ(plot.CurrentCurve(), 3);
    EXPECT_TRUE(plot.ClearCurves());
    EXPECT_EQ(plot.CurveCount(), 0);
    EXPECT_EQ(plot.CurrentCurve(), 0);
    EXPECT_FALSE(plot.ClearCurves());
}

// --- automatic ranges ----------------------------------------------------------

TEST(PlotAutoRangeTest, NothingIsFoundWithoutAnEnabledCurve) {
    CPlotData empty;
    EXPECT_FALSE(empty.ComputeAutoRanges());

    CPlotData plot = PlotWith({{{1, 2}, {3, 4}}, {{5, 6}}});
    plot.SetAllDisabled(true);
    const PlotAxes before = plot.axes;
    EXPECT_FALSE(plot.ComputeAutoRanges());
    EXPECT_EQ(plot.axes.xMax, before.xMax);
    EXPECT_EQ(plot.axes.yMax, before.yMax);
    EXPECT_EQ(plot.axes.yScale, before.yScale);
}

TEST(PlotAutoRangeTest, LimitsComeFromEnabledCurvesAndYOnlyFromPointsInsideTheXRange) {
    CPlotData plot = PlotWith({{{0.0f, 1.0f}, {2.0f, -3.0f}, {4.0f, 8.0f}},
                               {{-50.0f, 1000.0f}},  // disabled below
                               {{1.0f, std::numeric_limits<float>::infinity()}, {3.0f, 5.0f}}});
    plot.SetDisabled(1, true);
    ASSERT_TRUE(plot.ComputeAutoRanges());
    EXPECT_EQ(plot.axes.xMin, 0.0f);
    EXPECT_EQ(plot.axes.xMax, 4.0f);
    EXPECT_EQ(plot.axes.yMin, -3.0f);  // the infinite value is ignored
    EXPECT_EQ(plot.axes.yMax, 8.0f);

    // A fixed x range limits the points the y range is found from.
    plot.axes.xMaxAuto = false;
    plot.axes.xMax = 3.0f;
    ASSERT_TRUE(plot.ComputeAutoRanges());
    EXPECT_EQ(plot.axes.xMax, 3.0f);
    EXPECT_EQ(plot.axes.yMax, 5.0f);
    EXPECT_EQ(plot.axes.yMin, -3.0f);

    // A fixed limit is kept.
    plot.axes.yMinAuto = false;
    plot.axes.yMin = -100.0f;
    ASSERT_TRUE(plot.ComputeAutoRanges());
    EXPECT_EQ(plot.axes.yMin, -100.0f);
    EXPECT_EQ(plot.axes.yMax, 5.0f);
}

TEST(PlotAutoRangeTest, AnEmptyRangeIsWidenedByOne) {
    // Found equal: a single point.
    CPlotData plot = PlotWith({{{2.0f, 7.0f}}});
    ASSERT_TRUE(plot.ComputeAutoRanges());
    EXPECT_EQ(plot.axes.xMin, 2.0f);
    EXPECT_EQ(plot.axes.xMax, 3.0f);
    EXPECT_EQ(plot.axes.yMin, 7.0f);
    EXPECT_EQ(plot.axes.yMax, 8.0f);

    // Fixed and equal, or crossed.
    plot.axes = PlotAxes{};
    plot.axes.xMinAuto = plot.axes.xMaxAuto = plot.axes.yMinAuto = plot.axes.yMaxAuto = false;
    plot.axes.xMin = plot.axes.xMax = -5.0f;
    plot.axes.yMin = 4.0f;
    plot.axes.yMax = 1.0f;
    ASSERT_TRUE(plot.ComputeAutoRanges());
    EXPECT_EQ(plot.axes.xMax, -4.0f);
    EXPECT_EQ(plot.axes.yMax, 5.0f);

    // Where adding one is lost to rounding the range still opens.
    plot.axes.xMin = plot.axes.xMax = 1e30f;
    ASSERT_TRUE(plot.ComputeAutoRanges());
    EXPECT_GT(plot.axes.xMax, plot.axes.xMin);
}

TEST(PlotAutoRangeTest, YScaleIsATenthOfTheSmallestPowerOfTenCoveringTheRange) {
    struct Case {
        float low, high, scale;
    };
    const Case cases[] = {
        {0.0f, 0.5f, 0.1f}, {-1.0f, 0.0f, 0.1f},  // exactly a power of ten
        {0.0f, 1.5f, 1.0f}, {-0.3f, 0.3f, 0.1f}, {-250.0f, 0.0f, 100.0f}, {0.0f, 2e-9f, 1e-9f}, {0.0f, 9e20f, 1e20f},
    };
    for (const Case& c : cases) {
        CPlotData plot = PlotWith({{{0.0f, c.low}, {1.0f, c.high}}});
        ASSERT_TRUE(plot.ComputeAutoRanges());
        EXPECT_FLOAT_EQ(plot.axes.yScale, c.scale) << c.low << " .. " << c.high;
    }

    // A curve of zeros (a run that has just started) gets the range 0 .. 1.
    CPlotData zeros = PlotWith({{{0.0f, 0.0f}, {1.0f, 0.0f}}});
    ASSERT_TRUE(zeros.ComputeAutoRanges());
    EXPECT_EQ(zeros.axes.yMax, 1.0f);
    EXPECT_FLOAT_EQ(zeros.axes.yScale, 0.1f);

    // With one y limit fixed the scale is left alone.
    CPlotData fixed = PlotWith({{{0.0f, 0.0f}, {1.0f, 500.0f}}});
    fixed.axes.yMinAuto = false;
    ASSERT_TRUE(fixed.ComputeAutoRanges());
    EXPECT_EQ(fixed.axes.yScale, 1.0f);
}

// --- export -----------------------------------------------------------------------

TEST(PlotExportTest, TheFileHoldsTitlesAndTheEnabledCurvesOnly) {
    TempDir dir;
    CPlotData plot;
    ASSERT_TRUE(plot.AllocateCurves(3, 2, 1e-7));
    plot.titles.main = "Run 7";
    plot.SetLegend(0, "L - rx");
    plot.SetLegend(1, "T - rx");
    plot.SetLegend(2, "L - src (S)");
    plot.SetPoint(1e-7f, 0.5f, 0, 1);
    plot.SetDisabled(1, true);
    plot.SetPoint(2.5e-7f, -1.25f, 2, 1);

    const std::string path = dir.Path("curves.txt");
    ASSERT_TRUE(plot.ExportCurves(path));
    EXPECT_EQ(ReadFileText(path),
              "Main Title = Run 7\n"
              "X Title = Time [sec]\n"
              "Y Title = Amp. \n"
              "Legend = L - rx\n"
              "0 0.000000\n"
              "1e-07 0.500000\n"
              "Legend = L - src (S)\n"
              "0 0.000000\n"
              "2.5e-07 -1.250000\n");
}

TEST(PlotExportTest, NoEnabledCurveOrAnUnwritablePathFailsWithItsMessage) {
    TempDir dir;
    CPlotData plot = ThreeReceivers();
    plot.SetAllDisabled(true);
    const std::string path = dir.Write("old.txt", "previous content");
    EXPECT_FALSE(plot.ExportCurves(path));
    EXPECT_EQ(plot.message, "No curve for export.");
    EXPECT_EQ(ReadFileText(path), "");  // opened for writing, then nothing to write

    plot.SetAllDisabled(false);
    const std::string missing = dir.Path("no/such/folder/out.txt");
    EXPECT_FALSE(plot.ExportCurves(missing));
    EXPECT_EQ(plot.message, "Unable to open file '" + missing + "' for export.");
    EXPECT_EQ(plot.CurveCount(), 6);
}

// --- receiver output files ----------------------------------------------------------

TEST(ReceiverPlotFileTest, AFileStartingAtStepFortyGetsFortyLeadingZerosUpToItsFirstTime) {
    TempDir dir;
    const std::string path = dir.Write("rx1.txt",
                                       "40  2.00000  0.5000 -0.2500  0.1000  0.2000\n"
                                       "41  2.05000  0.7500 -0.1250  0.1000  0.2000\n");
    CPlotData plot;
    ASSERT_TRUE(plot.AllocateCurves(1, 5, 1.0));
    ASSERT_TRUE(plot.LoadReceiverFile(0.25f, -0.5f, path, "rx1"));
    ASSERT_EQ(plot.CurveCount(), 3);
    const PlotCurve& l = plot.Curves()[1];
    const PlotCurve& t = plot.Curves()[2];
    EXPECT_EQ(l.legend, "L - rx1");
    EXPECT_EQ(t.legend, "T - rx1");
    EXPECT_EQ(l.positionX, 0.25f);
    EXPECT_EQ(t.positionY, -0.5f);
    ASSERT_EQ(l.PointCount(), 42);
    ASSERT_EQ(t.PointCount(), 42);
    for (int i = 0; i < 40; ++i) {
        EXPECT_EQ(l.y[i], 0.0f);
        EXPECT_EQ(t.y[i], 0.0f);
        EXPECT_FLOAT_EQ(l.x[i], static_cast<float>(i * 5e-8)) << i;
        EXPECT_EQ(t.x[i], l.x[i]);
    }
    EXPECT_FLOAT_EQ(l.x[40], 2e-6f);
    EXPECT_FLOAT_EQ(l.x[41], 2.05e-6f);
    EXPECT_NEAR(l.x[40] - l.x[39], l.x[1] - l.x[0], 1e-12);
    EXPECT_EQ(l.y[40], 0.5f);
    EXPECT_EQ(t.y[40], -0.25f);
    EXPECT_EQ(l.y[41], 0.75f);
    EXPECT_EQ(t.y[41], -0.125f);
}

TEST(ReceiverPlotFileTest, DamagedLinesAreSkippedAndUnnamedPointsAreZerosOnTheMeanStep) {
    TempDir dir;
    const std::string path = dir.Write("rx.txt",
                                       "0 0.00000 1.0 2.0\r\n"
                                       "this line is text\n"
                                       "1 0.10000 1.5\n"  // three numbers only
                                       "1 0.10000 3.0 4.0\n"
                                       "-2 0.20000 9.0 9.0\n"     // negative index
                                       "1 0.15000 9.0 9.0\n"      // index not increasing
                                       "200000000 1.0 9.0 9.0\n"  // absurd index
                                       "\n"
                                       "4 0.40000 5.0 6.0 7.0 8.0");  // no line end
    CPlotData plot;
    ASSERT_TRUE(plot.LoadReceiverFile(0.0f, 0.0f, path, "rx"));
    ASSERT_EQ(plot.CurveCount(), 2);
    const PlotCurve& l = plot.Curves()[0];
    const PlotCurve& t = plot.Curves()[1];
    ASSERT_EQ(l.PointCount(), 5);
    const float ly[] = {1.0f, 3.0f, 0.0f, 0.0f, 5.0f};
    const float ty[] = {2.0f, 4.0f, 0.0f, 0.0f, 6.0f};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(l.y[i], ly[i]) << i;
        EXPECT_EQ(t.y[i], ty[i]) << i;
        // Times: 0.1 us per step over the whole file.
        EXPECT_FLOAT_EQ(l.x[i], static_cast<float>(i * 1e-7)) << i;
    }
}

TEST(ReceiverPlotFileTest, LoadingIsRefusedWithoutTwoFreeSlotsAFileOrACompleteLine) {
    TempDir dir;
    const std::string good = dir.Write("good.txt", "0 0.0 1.0 2.0\n");
    CPlotData plot = ThreeReceivers();
    EXPECT_FALSE(plot.LoadReceiverFile(0, 0, dir.Path("missing.txt"), "m"));
    EXPECT_FALSE(plot.LoadReceiverFile(0, 0, dir.Write("empty.txt", ""), "e"));
    EXPECT_FALSE(plot.LoadReceiverFile(0, 0, dir.Write("short.txt", "0 0.0 1.0\n1 0.1\n"), "s"));
    EXPECT_FALSE(plot.LoadReceiverFile(0, 0, dir.Write("negative.txt", "-1 0.0 1.0 2.0\n"), "n"));
    EXPECT_FALSE(plot.LoadReceiverFile(0, 0, dir.Root(), "folder"));
    EXPECT_EQ(plot.CurveCount(), 6);

    ASSERT_TRUE(plot.AllocateCurves(CPlotData::kMaxCurves - 1, 1, 1.0));
    EXPECT_FALSE(plot.LoadReceiverFile(0, 0, good, "full"));
    EXPECT_EQ(plot.CurveCount(), CPlotData::kMaxCurves - 1);
    ASSERT_TRUE(plot.AllocateCurves(CPlotData::kMaxCurves - 2, 1, 1.0));
    EXPECT_TRUE(plot.LoadReceiverFile(0, 0, good, "last"));
    EXPECT_EQ(plot.CurveCount(), CPlotData::kMaxCurves);
}

TEST(ReceiverPlotFileTest, ExtremeNumbersNeitherCrashNorAllocateHugeCurves) {
    EXPECT_TRUE(ParseReceiverFileText("9223372036854775807 1 1 1\n").empty());
    EXPECT_TRUE(ParseReceiverFileText("100000001 0 0 0\n").empty());
    EXPECT_EQ(ParseReceiverFileText("100000000 0 0 0\n").size(), 1u);
    EXPECT_TRUE(ParseReceiverFileText(std::string("\0\0\0\0 1 2 3", 10)).empty());
    const std::vector<ReceiverFileLine> signs = ParseReceiverFileText("+7 .5 -.5 5.\r\r\n");
    ASSERT_EQ(signs.size(), 1u);
    EXPECT_EQ(signs[0].step, 7);
    EXPECT_EQ(signs[0].longitudinal, -0.5);

    TempDir dir;
    CPlotData plot;
    ASSERT_TRUE(plot.LoadReceiverFile(0, 0, dir.Write("nan.txt", "3 nan inf -1e999\n"), "n"));
    EXPECT_EQ(plot.Curves()[0].PointCount(), 4);
    EXPECT_TRUE(std::isnan(plot.Curves()[0].x[3]));
    EXPECT_TRUE(std::isinf(plot.Curves()[1].y[3]));
    EXPECT_TRUE(plot.ComputeAutoRanges());  // nothing finite to range over: limits stay usable
    EXPECT_LT(plot.axes.xMin, plot.axes.xMax);
}

// --- interpolation ----------------------------------------------------------------

TEST(PlotInterpolationTest, InsideIsOnTheLineBetweenNeighboursAndOutsideIsMinusOne) {
    CPlotData plot = PlotWith({{{0.0f, 0.0f}, {1.0f, 10.0f}, {3.0f, 30.0f}}});
    EXPECT_DOUBLE_EQ(plot.InterpolateY(0.5), 5.0);
    EXPECT_DOUBLE_EQ(plot.InterpolateY(2.0), 20.0);
    EXPECT_DOUBLE_EQ(plot.InterpolateY(3.0), 30.0);
    EXPECT_DOUBLE_EQ(plot.InterpolateY(0.0), 0.0);
    EXPECT_EQ(plot.InterpolateY(3.5), -1.0);
    EXPECT_EQ(plot.InterpolateY(-0.1), -1.0);
    EXPECT_EQ(plot.InterpolateY(std::nan("")), -1.0);

    CPlotData single = PlotWith({{{1.0f, 4.0f}}});
    EXPECT_EQ(single.InterpolateY(1.0), -1.0);
    CPlotData none;
    EXPECT_EQ(none.InterpolateY(0.0), -1.0);
}

TEST(PlotInterpolationTest, TheSearchGoesOnFromTheRememberedSegmentAndRestartsBelowIt) {
    // A step at x = 1: the segment found first for x = 1 depends on where
    // the search starts.
    CPlotData plot =
        PlotWith({{{0.0f, 0.0f}, {1.0f, 10.0f}, {1.0f, 20.0f}, {2.0f, 30.0f}}, {{0.0f, 100.0f}, {1.0f, 200.0f}}});
    EXPECT_DOUBLE_EQ(plot.InterpolateY(1.0), 10.0);  // fresh: from the start
    EXPECT_DOUBLE_EQ(plot.InterpolateY(1.5), 25.0);  // moves on to the last segment
    EXPECT_DOUBLE_EQ(plot.InterpolateY(1.0), 20.0);  // not below it: searched forward
    EXPECT_DOUBLE_EQ(plot.InterpolateY(0.5), 5.0);   // below it: restarts at 0
    EXPECT_DOUBLE_EQ(plot.InterpolateY(1.0), 10.0);

    // A remembered segment beyond a shorter current curve is not used.
    EXPECT_DOUBLE_EQ(plot.InterpolateY(1.5), 25.0);
    ASSERT_TRUE(plot.SetCurrentCurve(1));
    EXPECT_DOUBLE_EQ(plot.InterpolateY(0.5), 150.0);
    EXPECT_EQ(plot.InterpolateY(1.5), -1.0);
}

// --- tick labels --------------------------------------------------------------------

TEST(PlotTickLabelTest, TwoDecimalsRoundedHalfUpOnTheMagnitude) {
    EXPECT_EQ(TickLabelText(0.0), "0.00");
    EXPECT_EQ(TickLabelText(0.255), "0.26");
    EXPECT_EQ(TickLabelText(-3.0), "-3.00");
    EXPECT_EQ(TickLabelText(-0.004), "-0.00");
    EXPECT_EQ(TickLabelText(1234.5), "1234.50");
    EXPECT_EQ(TickLabelText(0.05), "0.05");
    EXPECT_EQ(TickLabelText(-0.125), "-0.13");  // halves go away from zero
    EXPECT_EQ(TickLabelText(99.999), "100.00");
    EXPECT_EQ(TickLabelText(-0.0), "0.00");
    EXPECT_EQ(TickLabelText(1e30), "1000000000000000019884624838656.00");
    EXPECT_EQ(TickLabelText(std::numeric_limits<double>::infinity()), "inf");
}

}  // namespace
}  // namespace elix

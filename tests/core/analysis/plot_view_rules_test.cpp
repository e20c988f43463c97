// The plot window's rules without a window: kind letters, the frame, the
// mouse readout (the inverse of the drawing's mapping), zooming to a drag
// and back, and the CSV export of the visible curves.
#include "analysis/plot_view_rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "analysis/plot_data.h"
#include "analysis/plot_layout.h"

namespace elix {
namespace {

// In 500 x 300 the frame is (75, 50) - (350, 250): 275 x 200 pixels.
constexpr PlotRect kRect{0, 0, 500, 300};

// A ramp y = 2 x (x in us) over 0 .. 10 us and a second, shorter curve.
CPlotData TwoCurves() {
    CPlotData plot;
    EXPECT_TRUE(plot.AllocateCurves(2, 0, 1.0));
    PlotCurve& ramp = *plot.CurveAt(0);
    ramp.legend = "L - near";
    for (int i = 0; i <= 10; ++i) {
        ramp.x.push_back(static_cast<float>(i) * 1e-6f);
        ramp.y.push_back(2.0f * static_cast<float>(i));
    }
    PlotCurve& shorter = *plot.CurveAt(1);
    shorter.legend = "T - far, \"gate\"";
    shorter.x = {0.0f, 1e-6f};
    shorter.y = {-1.0f, 0.5f};
    plot.latestX = 1.0f;
    return plot;
}

TEST(PlotViewRulesTest, KindLettersNameTheDocumentsPlots) {
    const std::pair<char, int> table[] = {{'r', 0}, {'f', 1}, {'t', 2}, {'g', 3}, {'m', -1}, {'a', -1}, {0, -1}};
    for (const auto& [kind, index] : table) EXPECT_EQ(PlotIndexOfKind(kind), index) << kind;
}

TEST(PlotViewRulesTest, FrameAndReadoutInvertTheDrawing) {
    CPlotData plot = TwoCurves();
    const PlotPicture picture = LayOutPlot(plot, kRect);
    const PlotRect frame = PlotFrameRect(plot, kRect);
    EXPECT_EQ(frame.left, 75);
    EXPECT_EQ(frame.top, 50);
    EXPECT_EQ(frame.right, 350);
    EXPECT_EQ(frame.bottom, 250);
    // Doubled constants on a printed page.
    const PlotRect page = PlotFrameRect(plot, PlotRect{0, 0, 1000, 600}, 2);
    EXPECT_EQ(page.left, 150);
    EXPECT_EQ(page.bottom, 500);

    // The ramp's drawn end points read back as their values, within a pixel.
    const PlotPolyline& ramp = picture.curves.front();
    const double xPixel = (plot.axes.xMax - plot.axes.xMin) / 275.0;
    const double yPixel = (plot.axes.yMax - plot.axes.yMin) / 200.0;
    const auto first = PlotValueAt(plot.axes, frame, ramp.points.front().x, ramp.points.front().y);
    const auto last = PlotValueAt(plot.axes, frame, ramp.points.back().x, ramp.points.back().y);
    ASSERT_TRUE(first && last);
    EXPECT_NEAR(first->x, 0.0, xPixel);
    EXPECT_NEAR(first->y, 0.0, yPixel);
    EXPECT_NEAR(last->x, 10e-6, xPixel);
    EXPECT_NEAR(last->y, 20.0, yPixel);

    // Outside the frame, or in a frame without area, there is no value.
    EXPECT_FALSE(PlotValueAt(plot.axes, frame, 74, 100));
    EXPECT_FALSE(PlotValueAt(plot.axes, frame, 100, 251));
    EXPECT_FALSE(PlotValueAt(plot.axes, PlotRect{75, 50, 75, 250}, 75, 100));

    // The readout divides x by its scale and names both titles.
    EXPECT_EQ(PlotReadoutText(plot, PlotValue{6.74e-6, 0.012345}), "Time [sec] (x 1e-06) = 6.7400   Amp. = 0.01235");
}

TEST(PlotViewRulesTest, ZoomTakesTheDraggedRectangleAndGoesBack) {
    CPlotData plot = TwoCurves();
    LayOutPlot(plot, kRect);
    const PlotRect frame = PlotFrameRect(plot, kRect);
    const PlotLimits automatic = LimitsOf(plot.axes);

    // A click, or a drag of fewer than 4 pixels one way, does not zoom.
    EXPECT_FALSE(ZoomAxesToDrag(plot.axes, frame, {100, 100}, {100, 100}));
    EXPECT_FALSE(ZoomAxesToDrag(plot.axes, frame, {100, 100}, {200, 103}));
    EXPECT_TRUE(plot.axes.xMinAuto && plot.axes.yMaxAuto);

    // Dragged from bottom right to top left: the left half in x, the upper
    // half in y; the limits become fixed.
    const double yMid = (plot.axes.yMin + plot.axes.yMax) / 2.0;
    ASSERT_TRUE(ZoomAxesToDrag(plot.axes, frame, {212, 150}, {75, 50}));
    EXPECT_FALSE(plot.axes.xMinAuto || plot.axes.xMaxAuto || plot.axes.yMinAuto || plot.axes.yMaxAuto);
    EXPECT_FLOAT_EQ(plot.axes.xMin, 0.0f);
    EXPECT_NEAR(plot.axes.xMax, 137.0 / 275.0 * 10e-6, 1e-12);
    EXPECT_NEAR(plot.axes.yMin, yMid, 1e-4);
    EXPECT_FLOAT_EQ(plot.axes.yMax, automatic.yMax);

    // A drag beyond the frame is clipped to it.
    CPlotData other = TwoCurves();
    LayOutPlot(other, kRect);
    ASSERT_TRUE(ZoomAxesToDrag(other.axes, frame, {0, 0}, {500, 300}));
    EXPECT_FLOAT_EQ(other.axes.xMax, automatic.xMax);
    EXPECT_FLOAT_EQ(other.axes.yMin, automatic.yMin);

    RestoreLimits(plot.axes, automatic);
    EXPECT_TRUE(plot.axes.xMinAuto && plot.axes.xMaxAuto && plot.axes.yMinAuto && plot.axes.yMaxAuto);
    EXPECT_FLOAT_EQ(plot.axes.xMax, automatic.xMax);
}

TEST(PlotViewRulesTest, CsvHasTwoColumnsPerVisibleCurve) {
    CPlotData plot = TwoCurves();
    const std::string text = PlotCsvText(plot);
    // Header cells with commas or quotes are quoted; the short curve leaves
    // empty cells.
    EXPECT_EQ(text.substr(0, text.find('\n')), "L - near x,L - near y,\"T - far, \"\"gate\"\" x\",\"T - far, \"\"gate\"\" y\"");
    EXPECT_NE(text.find("\n0,0,0,-1\n1e-06,2,1e-06,0.5\n2e-06,4,,\n"), std::string::npos);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 12);

    // Points after the latest recorded x (a run in progress) are left out;
    // disabled curves are not exported.
    plot.latestX = 2.5e-6f;
    plot.SetDisabled(1, true);
    EXPECT_EQ(PlotCsvText(plot), "L - near x,L - near y\n0,0\n1e-06,2\n2e-06,4\n");
    plot.SetAllDisabled(true);
    EXPECT_EQ(PlotCsvText(plot), "");
}

}  // namespace
}  // namespace elix

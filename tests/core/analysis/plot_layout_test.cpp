// A plot laid out as primitives: frame, titles, ticks, grid, legend, pens
// and curve runs; and the SVG file made from them.
#include "analysis/plot_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "analysis/plot_data.h"
#include "analysis/svg_writer.h"
#include "support/temp_dir.h"

namespace elix {
namespace {

// In a 500 x 300 rectangle the frame is (75, 50) - (350, 250): 275 x 200.
constexpr PlotRect kRect{0, 0, 500, 300};

// One curve per entry, x = 0, 1e-6, 2e-6, ... seconds.
CPlotData PlotOf(const std::vector<std::vector<float>>& curves) {
    CPlotData plot;
    EXPECT_TRUE(plot.AllocateCurves(static_cast<int>(curves.size()), 0, 1.0));
    for (std::size_t c = 0; c < curves.size(); ++c) {
        PlotCurve& curve = *plot.CurveAt(static_cast<int>(c));
        curve.legend = "curve " + std::to_string(c);
        for (std::size_t i = 0; i < curves[c].size(); ++i) curve.x.push_back(static_cast<float>(i) * 1e-6f);
        curve.y = curves[c];
    }
    plot.latestX = 1.0f;
    return plot;
}

const PlotText* FindText(const PlotPicture& picture, const std::string& text) {
    for (const PlotText& t : picture.texts)
        if (t.text == text) return &t;
    return nullptr;
}

TEST(PlotLayoutTest, NothingIsDrawnWhenEveryCurveIsDisabled) {
    CPlotData plot = PlotOf({{1.0f, 2.0f}});
    plot.SetAllDisabled(true);
    const PlotPicture picture = LayOutPlot(plot, kRect);
    EXPECT_FALSE(picture.drawn);
    EXPECT_TRUE(picture.lines.empty());
    EXPECT_TRUE(picture.texts.empty());
    EXPECT_TRUE(picture.curves.empty());
}

TEST(PlotLayoutTest, FrameTitlesAndTicks) {
    // x from 0 to 10 us, y fixed from -1 to 1.
    CPlotData plot = PlotOf({std::vector<float>(11, 0.5f)});
    plot.axes.yMinAuto = plot.axes.yMaxAuto = false;
    plot.axes.yMin = -1.0f;
    plot.axes.yMax = 1.0f;
    plot.titles.main = "Plate";
    const PlotPicture picture = LayOutPlot(plot, kRect);
    ASSERT_TRUE(picture.drawn);
    // The bottom and left sides, 2 pixels wide.
    ASSERT_GE(picture.lines.size(), 2u);
    EXPECT_EQ(picture.lines[0].from, (PlotPoint{75, 250}));
    EXPECT_EQ(picture.lines[0].to, (PlotPoint{350, 250}));
    EXPECT_EQ(picture.lines[1].to, (PlotPoint{75, 50}));
    EXPECT_EQ(picture.lines[1].pen.width, 2);

    // Titles: 8 points, width = characters x 80 x 0.08; tops 32 pixels off.
    const PlotText* main = FindText(picture, "Plate");
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->topLeft, (PlotPoint{212 - 16, 18}));
    const PlotText* xTitle = FindText(picture, "Time [sec] (x 1e-06)");
    ASSERT_NE(xTitle, nullptr);
    EXPECT_EQ(xTitle->topLeft, (PlotPoint{212 - 64, 282}));
    ASSERT_NE(FindText(picture, "Amp.  (x 1)"), nullptr);

    // Six x ticks at 75 + k 275 / 5 showing 0, 2, ... 10 us; labels 8 pixels
    // below the frame.
    const int xs[] = {75, 130, 185, 240, 295, 350};
    const char* labels[] = {"0.00", "2.00", "4.00", "6.00", "8.00", "10.00"};
    for (int k = 0; k < 6; ++k) {
        const PlotText* label = FindText(picture, labels[k]);
        ASSERT_NE(label, nullptr) << labels[k];
        EXPECT_EQ(label->topLeft.y, 258);
        EXPECT_EQ(label->topLeft.x, xs[k] - EstimatedTextWidth(labels[k], 60) / 2);
    }
    // Five y ticks from -1 to 1; a label ends 10 pixels left of the axis,
    // its top 6 pixels above its tick.
    const PlotText* half = FindText(picture, "-0.50");
    ASSERT_NE(half, nullptr);
    EXPECT_EQ(half->topLeft, (PlotPoint{75 - 10 - 24, 200 - 6}));
}

TEST(PlotLayoutTest, GridLinesSitAtTheInteriorTicks) {
    CPlotData plot = PlotOf({{0.0f, 1.0f}});
    plot.axes.xGrid = plot.axes.yGrid = true;
    plot.axes.xTickCount = 3;
    plot.axes.yTickCount = 2;
    const PlotPicture picture = LayOutPlot(plot, kRect);
    std::vector<PlotLine> grid;
    for (const PlotLine& line : picture.lines)
        if (line.pen.dotted) grid.push_back(line);
    ASSERT_EQ(grid.size(), 3u);
    EXPECT_EQ(grid[0].from, (PlotPoint{212, 250}));
    EXPECT_EQ(grid[0].to, (PlotPoint{212, 50}));
    EXPECT_EQ(grid[1].from.x, 350);
    EXPECT_EQ(grid[2].from, (PlotPoint{75, 50}));
    EXPECT_EQ(grid[2].to, (PlotPoint{350, 50}));
}

TEST(PlotLayoutTest, PensFollowTheCurveIndexAndTheLegendTheEnabledCurves) {
    CPlotData plot = PlotOf({{0.0f, 1.0f}, {0.0f, 1.0f}, {1.0f, 0.0f}});
    plot.SetDisabled(0, true);
    const PlotPicture picture = LayOutPlot(plot, kRect);
    ASSERT_EQ(picture.curves.size(), 2u);
    EXPECT_EQ(picture.curves[0].curve, 1);
    EXPECT_EQ(picture.curves[0].pen, (PlotPen{{0, 255, 0}, 2, false}));
    EXPECT_EQ(picture.curves[1].pen, (PlotPen{{0, 0, 255}, 1, false}));
    // Legend rows 15 pixels apart from the frame's top right corner.
    const auto legend = std::find_if(picture.lines.begin(), picture.lines.end(), [](const PlotLine& l) {
        return l.pen.colour == PlotColour{0, 0, 255};
    });
    ASSERT_NE(legend, picture.lines.end());
    EXPECT_EQ(legend->from, (PlotPoint{350, 65}));
    EXPECT_EQ(legend->to, (PlotPoint{365, 65}));
    const PlotText* name = FindText(picture, "curve 2");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->topLeft, (PlotPoint{365, 58}));
    EXPECT_EQ(FindText(picture, "curve 0"), nullptr);
    // Ends of the curve at the frame corners: (x min, y min) -> (left,
    // bottom), (x max, y max) -> (right, top).
    EXPECT_EQ(picture.curves[0].points, (std::vector<PlotPoint>{{75, 250}, {350, 50}}));
}

TEST(PlotLayoutTest, RunsBreakOutsideTheLimitsAndAfterTheLatestX) {
    CPlotData plot = PlotOf({{0.0f, 0.5f, 0.5f, 5.0f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f}});
    plot.axes.yMaxAuto = false;
    plot.axes.yMax = 1.0f;
    plot.latestX = 6.5e-6f;  // points 7 and 8 are not yet recorded
    const PlotPicture picture = LayOutPlot(plot, kRect);
    ASSERT_EQ(picture.curves.size(), 2u);
    EXPECT_EQ(picture.curves[0].points.size(), 3u);  // points 0 .. 2
    EXPECT_EQ(picture.curves[1].points.size(), 3u);  // points 4 .. 6
    // Halfway along x: 75 + 137.5 + 0.5, truncated.
    EXPECT_EQ(picture.curves[1].points.front().x, 213);
}

TEST(PlotLayoutTest, LongRunsGoOutInBatchesThatShareTheirEnds) {
    CPlotData plot = PlotOf({std::vector<float>(2000, 1.0f)});
    const PlotPicture picture = LayOutPlot(plot, kRect);
    ASSERT_EQ(picture.curves.size(), 2u);
    EXPECT_EQ(picture.curves[0].points.size(), kPlotPointBatch);
    EXPECT_EQ(picture.curves[1].points.size(), 2000u - kPlotPointBatch + 1);
    EXPECT_EQ(picture.curves[1].points.front(), picture.curves[0].points.back());
}

TEST(PlotLayoutTest, APrinterScaleMultipliesMarginsPensAndFonts) {
    CPlotData plot = PlotOf({{0.0f, 1.0f}, {1.0f, 0.0f}});
    const PlotPicture picture = LayOutPlot(plot, PlotRect{0, 0, 1000, 600}, 2);
    EXPECT_EQ(picture.lines[0].from, (PlotPoint{150, 500}));
    EXPECT_EQ(picture.lines[0].pen.width, 4);
    EXPECT_EQ(picture.curves[1].pen.width, 4);
    EXPECT_EQ(picture.texts.back().fontSize, 120);  // the last legend
}

TEST(PlotSvgTest, WritesAWellFormedPicture) {
    CPlotData plot = PlotOf({{0.0f, 1.0f, 0.5f}, {1.0f, 0.0f, 0.2f}});
    plot.SetLegend(0, "L - <a & b>");
    plot.SetLegend(1, std::string("T - caf\xE9"));  // Latin-1, not UTF-8
    const std::string svg = PlotSvgText(LayOutPlot(plot, PlotRect{0, 0, 400, 300}));
    EXPECT_EQ(svg.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" "
                        "width=\"400\" height=\"300\"",
                        0),
              0u);
    EXPECT_NE(svg.find(">L - &lt;a &amp; b&gt;</text>"), std::string::npos);
    EXPECT_NE(svg.find(">T - caf?</text>"), std::string::npos);
    EXPECT_NE(svg.find("<polyline points=\"75,250 "), std::string::npos) << svg;
    EXPECT_NE(svg.find("stroke=\"#ff0000\" stroke-width=\"1\""), std::string::npos);
    EXPECT_NE(svg.find("font-size=\"8pt\""), std::string::npos);
    EXPECT_EQ(svg.substr(svg.size() - 7), "</svg>\n");

    test::TempDir dir;
    std::string error;
    ASSERT_TRUE(WritePlotSvg(plot, dir.Path("plot.svg"), 400, 300, error)) << error;
    EXPECT_EQ(test::ReadFileText(dir.Path("plot.svg")), svg);
    EXPECT_FALSE(WritePlotSvg(plot, dir.Path("none/plot.svg"), 400, 300, error));
    EXPECT_EQ(error, "Unable to save file '" + dir.Path("none/plot.svg") + "'.");
}

}  // namespace
}  // namespace elix

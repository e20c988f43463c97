// Attenuation and gain levels against a reference curve, the default
// reference, and loading the receiver files named in a model.
#include "analysis/attenuation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "analysis/plot_data.h"
#include "analysis/plot_gain.h"
#include "analysis/recorded_receivers.h"
#include "engine/run.h"
#include "model/elix_doc.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace elix {
namespace {

// Spectra of two receivers a and b: four curves over 0 .. 3 MHz, the
// amplitudes of curve c are (c + 1) times the base shape.
void FourSpectra(CPlotData& plot) {
    ASSERT_TRUE(plot.AllocateCurves(4, 4, 1.0));  // x = 0, 1, 2, 3 MHz
    const char* legends[] = {"L - a", "T - a", "L - b", "T - b"};
    const float base[] = {1.0f, 4.0f, 2.0f, 0.5f};
    for (int c = 0; c < 4; ++c) {
        plot.SetLegend(c, legends[c]);
        for (int i = 0; i < 4; ++i)
            plot.CurveAt(c)->y[static_cast<std::size_t>(i)] = base[i] * static_cast<float>(c + 1);
    }
}

void AddReceiver(CElixDoc& doc, const std::string& name, float x1, float x2, const std::string& file) {
    CReceiver receiver;
    receiver.name = name;
    receiver.x1 = x1;
    receiver.x2 = x2;
    receiver.y1 = 0.002f;
    receiver.y2 = 0.004f;
    receiver.outputFile = file;
    ASSERT_TRUE(doc.AddItem(receiver)) << doc.MessageText();
}

TEST(AttenuationTest, DefaultReferenceIsTheFirstCurveAfterTheReceivers) {
    CPlotData plot;
    EXPECT_EQ(DefaultReferenceCurve(plot, 2), -1);
    ASSERT_TRUE(plot.AllocateCurves(6, 1, 1.0));
    EXPECT_EQ(DefaultReferenceCurve(plot, 2), 4);  // two receivers, one source
    EXPECT_EQ(DefaultReferenceCurve(plot, 3), 4);  // no curve 6: count - 2
    EXPECT_EQ(DefaultReferenceCurve(plot, 0), 0);
    ASSERT_TRUE(plot.AllocateCurves(1, 1, 1.0));
    EXPECT_EQ(DefaultReferenceCurve(plot, 1), 0);
}

TEST(AttenuationTest, TwoReceiversAgainstTheSecondLongitudinalCurve) {
    CPlotData plot;
    FourSpectra(plot);
    const int reference = DefaultReferenceCurve(plot, 2);
    ASSERT_EQ(reference, 2);
    LevelsAgainstReference(plot, reference, LevelSense::Attenuation);
    // Curve 0 is a third of the reference: -20 log10(1/3) = +9.542 dB.
    for (float y : plot.CurveAt(0)->y) EXPECT_NEAR(y, 9.5424, 1e-3);
    // Curve 3 is 4/3 of it: -2.499 dB; it is disabled like curve 1.
    for (float y : plot.CurveAt(3)->y) EXPECT_NEAR(y, -2.4988, 1e-3);
    EXPECT_FALSE(plot.CurveAt(0)->disabled);
    EXPECT_TRUE(plot.CurveAt(1)->disabled);
    EXPECT_TRUE(plot.CurveAt(3)->disabled);
    EXPECT_FALSE(plot.CurveAt(2)->disabled);
    EXPECT_EQ(plot.CurveAt(2)->y, std::vector<float>(4, 0.0f));
}

TEST(AttenuationTest, InterpolatesTheReferenceAndGivesZeroOutsideIt) {
    CPlotData plot;
    ASSERT_TRUE(plot.AllocateCurves(3, 0, 1.0));
    *plot.CurveAt(0) = PlotCurve{"L - a", {0.5f, 1.5f, 9.0f, 2.0f}, {2.0f, 0.0f, 1.0f, 4.0f}};
    *plot.CurveAt(2) = PlotCurve{"L - b", {0.0f, 1.0f, 2.0f}, {1.0f, 3.0f, 0.0f}};
    LevelsAgainstReference(plot, 2, LevelSense::Attenuation);
    const std::vector<float>& y = plot.CurveAt(0)->y;
    EXPECT_NEAR(y[0], -20.0 * std::log10(2.0 / 2.0), 1e-6);   // reference 2 halfway between 1 and 3
    EXPECT_EQ(y[1], std::numeric_limits<float>::infinity());  // amplitude 0 against 1.5
    EXPECT_EQ(y[2], 0.0f);                                    // outside the reference
    EXPECT_EQ(y[3], 0.0f);                                    // reference 0
}

TEST(AttenuationTest, GainCountsTheOtherWayAndFixesTheFrequencyRange) {
    CElixDoc doc;
    doc.SetTitle("probe");
    AddReceiver(doc, "a", 0.0f, 0.001f, "");
    AddReceiver(doc, "b", 0.0f, 0.001f, "");
    EXPECT_FALSE(MakeGainPlot(doc, 2e6));  // no spectra: nothing happens
    EXPECT_EQ(doc.plotData[kGainPlot].CurveCount(), 0);

    FourSpectra(doc.plotData[kSpectrumPlot]);
    ASSERT_TRUE(MakeGainPlot(doc, 2e6));
    const CPlotData& gain = doc.plotData[kGainPlot];
    EXPECT_EQ(gain.titles.main, "probe, Gain");
    EXPECT_FALSE(gain.axes.xMaxAuto);
    EXPECT_FLOAT_EQ(gain.axes.xMax, 5.0f);
    for (float y : gain.CurveAt(0)->y) EXPECT_NEAR(y, -9.5424, 1e-3);
    EXPECT_TRUE(gain.CurveAt(1)->disabled);
    EXPECT_EQ(gain.CurveAt(2)->y, std::vector<float>(4, 0.0f));
}

TEST(AttenuationTest, CommandUsesTheSpectraAndTheChosenReference) {
    CElixDoc doc;
    doc.SetTitle("plate");
    AddReceiver(doc, "a", 0.0f, 0.001f, "");
    AddReceiver(doc, "b", 0.0f, 0.001f, "");
    FourSpectra(doc.plotData[kSpectrumPlot]);
    std::string error;
    ASSERT_TRUE(Attenuation(doc, 0, error));
    const CPlotData& plot = doc.plotData[kAttenuationPlot];
    EXPECT_EQ(plot.titles.main, "plate, Attenuation");
    EXPECT_EQ(plot.titles.x, "Frequency (MHz)");
    EXPECT_EQ(plot.titles.y, "dB");
    EXPECT_EQ(plot.CurveAt(0)->y, std::vector<float>(4, 0.0f));
    for (float y : plot.CurveAt(2)->y) EXPECT_NEAR(y, -9.5424, 1e-3);  // three times the reference
    // The spectrum plot itself is left as it was.
    EXPECT_EQ(doc.plotData[kSpectrumPlot].CurveAt(0)->y[0], 1.0f);
}

TEST(RecordedReceiversTest, LoadsTheNamedFilesAtTheReceiverCentres) {
    test::TempDir dir;
    test::ScriptedUserInterface ui;
    CElixDoc doc;
    doc.SetUserInterface(&ui);
    doc.SetPathName(dir.Path("model.wmd"));
    doc.SetTitle("model");
    dir.Write("a.txt", "0  0.00000  0.5000  0.2500\n1  0.10000  1.0000 -1.0000\n");
    AddReceiver(doc, "a", 0.010f, 0.020f, "a.txt");
    AddReceiver(doc, "unsaved", 0.0f, 0.001f, "");
    AddReceiver(doc, "missing", 0.0f, 0.001f, "missing.txt");

    ASSERT_TRUE(EnsureReceiverCurves(doc, true));
    const CPlotData& plot = doc.plotData[kReceiverPlot];
    ASSERT_EQ(plot.CurveCount(), 2);
    EXPECT_EQ(plot.CurveAt(0)->legend, "L - a");
    EXPECT_EQ(plot.CurveAt(1)->y[1], -1.0f);
    EXPECT_FLOAT_EQ(plot.CurveAt(0)->positionX, 0.015f);
    EXPECT_FLOAT_EQ(plot.CurveAt(1)->positionY, 0.003f);
    EXPECT_EQ(plot.titles.main, "model");
    EXPECT_EQ(plot.message, "Note: Recorded Receiver Data Are Loaded.");
    EXPECT_TRUE(ui.shown.empty());
    // A plot with curves is not loaded again.
    ASSERT_TRUE(EnsureReceiverCurves(doc, true));
    EXPECT_EQ(plot.CurveCount(), 2);
}

// A receiver that records one mode writes one averaged column, followed by
// its per-point values unless it is averaged only: the loader must take the
// column of that mode and leave the other curve at zero, not read a
// per-point value as the other mode.
TEST(RecordedReceiversTest, OneModeFilesFillTheirOwnCurve) {
    test::TempDir dir;
    test::ScriptedUserInterface ui;
    CElixDoc doc;
    doc.SetUserInterface(&ui);
    doc.SetPathName(dir.Path("model.wmd"));
    // step, time, the averaged value, then two per-point values.
    dir.Write("l.txt", "0  0.00000  0.5000  0.4000  0.6000\n1  0.10000 -0.2500 -0.2000 -0.3000\n");
    dir.Write("t.txt", "0  0.00000  0.7500  0.7000  0.8000\n1  0.10000  0.1250  0.1000  0.1500\n");
    AddReceiver(doc, "l", 0.0f, 0.001f, "l.txt");
    AddReceiver(doc, "t", 0.0f, 0.001f, "t.txt");
    doc.Receivers()[0].shearMode = 0;
    doc.Receivers()[1].longitudinalMode = 0;

    ASSERT_TRUE(LoadRecordedReceivers(doc, false));
    const CPlotData& plot = doc.plotData[kReceiverPlot];
    ASSERT_EQ(plot.CurveCount(), 4);
    EXPECT_EQ(plot.CurveAt(0)->y, (std::vector<float>{0.5f, -0.25f}));  // L - l
    EXPECT_EQ(plot.CurveAt(1)->y, (std::vector<float>{0.0f, 0.0f}));    // T - l
    EXPECT_EQ(plot.CurveAt(2)->y, (std::vector<float>{0.0f, 0.0f}));    // L - t
    EXPECT_EQ(plot.CurveAt(3)->y, (std::vector<float>{0.75f, 0.125f}));  // T - t
    EXPECT_FLOAT_EQ(plot.CurveAt(3)->x[1], 1e-7f);
}

TEST(RecordedReceiversTest, WithoutDataTheCommandsStopWithTheMessage) {
    test::ScriptedUserInterface ui;
    CElixDoc doc;
    doc.SetUserInterface(&ui);
    AddReceiver(doc, "missing", 0.0f, 0.001f, "missing.txt");
    int reference = 0;
    EXPECT_FALSE(BeginAttenuation(doc, reference));
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, "No Receiver Data Available.");
    EXPECT_EQ(doc.plotData[kReceiverPlot].titles.main, "Main Title");
    EXPECT_EQ(doc.plotData[kAttenuationPlot].CurveCount(), 0);
}

}  // namespace
}  // namespace elix

// Arrival markers of single curves and the timer's texts for curve pairs.
#include "analysis/receiver_timer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/plot_data.h"

namespace elix {
namespace {

// A curve sampled every microsecond from t = 0.
PlotCurve Samples(const std::vector<float>& y, float positionX = 0.0f) {
    PlotCurve curve;
    for (std::size_t i = 0; i < y.size(); ++i) curve.x.push_back(static_cast<float>(i) * 1e-6f);
    curve.y = y;
    curve.positionX = positionX;
    return curve;
}

// A plot of the given curves, named "L - 0", "L - 1", ...
CPlotData PlotOf(const std::vector<PlotCurve>& curves) {
    CPlotData plot;
    EXPECT_TRUE(plot.AllocateCurves(static_cast<int>(curves.size()), 0, 1.0));
    for (std::size_t c = 0; c < curves.size(); ++c) {
        *plot.CurveAt(static_cast<int>(c)) = curves[c];
        plot.SetLegend(static_cast<int>(c), "L - " + std::to_string(c));
    }
    return plot;
}

TEST(MeasureArrivalTest, ZeroCurveHasNoMarkersAndNothingIsAvailable) {
    const PlotCurve zero = Samples(std::vector<float>(20, 0.0f));
    const ArrivalMarkers m = MeasureArrival(zero, 5.0f);
    for (const ArrivalMarker& marker : {m.threshold, m.firstPeak, m.largestPeak}) {
        EXPECT_EQ(marker.amplitude, 0.0f);
        EXPECT_EQ(marker.time, 0.0f);
    }
    const CPlotData plot = PlotOf({zero, zero, zero});
    CReceiverTimer timer(plot, 1);
    EXPECT_EQ(timer.ReferenceIndex(), 2);
    const ReceiverTimerTexts texts = timer.UpdateTimer();
    EXPECT_EQ(texts.thresholdDelay, "Threshold Delay: Not Available");
    EXPECT_EQ(texts.firstPeakDelay, "First Peak Delay: Not Available");
    EXPECT_EQ(texts.maxPeakDelay, "Max. Peak Delay: Not Available");
    for (const std::string& v : {texts.thresholdVelocity, texts.firstPeakVelocity, texts.maxPeakVelocity})
        EXPECT_EQ(v, "Velocity: Not Available");
}

TEST(MeasureArrivalTest, FlatPeakGivesTheFirstPeakItsSecondSample) {
    const ArrivalMarkers m = MeasureArrival(Samples({0.0f, 0.5f, 1.0f, -2.0f, -2.0f, 0.5f, 0.0f}), 50.0f);
    EXPECT_EQ(m.largestPeak.amplitude, 2.0f);
    EXPECT_EQ(m.largestPeak.time, 3e-6f);
    EXPECT_EQ(m.firstPeak.amplitude, 2.0f);
    EXPECT_EQ(m.firstPeak.time, 4e-6f);
    // 50 % of the first peak 2.0: level 1.0, which the sample at 2 us only
    // reaches; |-2.0| at 3 us is the first above it.
    EXPECT_EQ(m.threshold.amplitude, 1.0f);
    EXPECT_EQ(m.threshold.time, 3e-6f);
}

TEST(MeasureArrivalTest, NoiseNeverStartsTheSearchAndItsCounterIsNeverReset) {
    // Small samples below 5 % of the largest peak are passed over.
    const ArrivalMarkers quiet = MeasureArrival(Samples({0.04f, 0.03f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f}), 5.0f);
    EXPECT_EQ(quiet.firstPeak.time, 7e-6f);
    // Rising steps with a dip after each: the fifth dip ends the search,
    // although the dips are not consecutive, before the largest peak.
    const ArrivalMarkers steps =
        MeasureArrival(Samples({0.2f, 0.1f, 0.3f, 0.1f, 0.4f, 0.1f, 0.5f, 0.1f, 0.6f, 0.1f, 1.0f}), 5.0f);
    EXPECT_EQ(steps.firstPeak.amplitude, 0.6f);
    EXPECT_EQ(steps.firstPeak.time, 8e-6f);
    EXPECT_EQ(steps.largestPeak.time, 10e-6f);
    // 5 % of 0.6 is 0.03: the first sample already lies above it.
    EXPECT_FLOAT_EQ(steps.threshold.amplitude, 0.03f);
    EXPECT_EQ(steps.threshold.time, 0.0f);
}

TEST(ReceiverTimerTest, TenMillimetresInTwoMicrosecondsIsFiveThousandMetresPerSecond) {
    // The reference pulse at 3 us, the signal 10 mm further on at 5 us.
    const PlotCurve reference = Samples({0, 0, 0, 1.0f, 2.0f, 1.0f, 0, 0, 0, 0}, 0.005f);
    const PlotCurve signal = Samples({0, 0, 0, 0, 0, 0.5f, 1.0f, 0.5f, 0, 0}, 0.015f);
    CPlotData plot = PlotOf({signal, reference});
    plot.message = "Note: Recorded Receiver Data Are Loaded.";
    CReceiverTimer timer(plot, 1);  // no curve 2: the reference is count - 2 = 0
    EXPECT_EQ(timer.ReferenceIndex(), 0);
    timer.NextReference();
    ASSERT_EQ(timer.ReferenceIndex(), 1);
    const ReceiverTimerTexts texts = timer.UpdateTimer();
    EXPECT_EQ(texts.signalName, "Signal Name: 'L - 0'");
    EXPECT_EQ(texts.referenceName, "Reference Name: 'L - 1'");
    EXPECT_EQ(texts.distance, "Distance = 10.00 (mm)");
    EXPECT_EQ(texts.thresholdDelay, "Threshold Delay: 2.0000 (us) (Amp. = 0.0500)");
    EXPECT_EQ(texts.thresholdVelocity, "Velocity = 5000.00 (m/s)");
    EXPECT_EQ(texts.firstPeakDelay, "First Peak Delay: 2.0000 (us) (Amp. = 1.0000)");
    EXPECT_EQ(texts.maxPeakVelocity, "Velocity = 5000.00 (m/s)");
    EXPECT_EQ(texts.message, "Note: Recorded Receiver Data Are Loaded.");

    // Swapped, the signal arrives first: nothing is available.
    timer.PreviousReference();
    timer.NextSignal();
    const ReceiverTimerTexts early = timer.UpdateTimer();
    EXPECT_EQ(early.firstPeakDelay, "First Peak Delay: Not Available");
    EXPECT_EQ(early.firstPeakVelocity, "Velocity: Not Available");
}

TEST(ReceiverTimerTest, SameCurveGivesZeroDelaysAndDelayedSignalsWarn) {
    CPlotData plot = PlotOf({Samples({0, 1.0f, 3.0f, 1.0f, 0})});
    plot.SetDelayedSignal(0, true);
    CReceiverTimer timer(plot, 4);
    ASSERT_EQ(timer.SignalIndex(), timer.ReferenceIndex());
    const ReceiverTimerTexts texts = timer.UpdateTimer();
    EXPECT_EQ(texts.thresholdDelay, "Threshold Delay: 0.0000 (us) (Amp. = 0.1500)");
    EXPECT_EQ(texts.maxPeakDelay, "Max. Peak Delay: 0.0000 (us) (Amp. = 3.0000)");
    EXPECT_EQ(texts.thresholdVelocity, "Velocity: Not Available");
    EXPECT_EQ(texts.message, "\nWarning: Receiver Signal may be delayed.\nWarning: Source Signal may be delayed.");
}

TEST(ReceiverTimerTest, MovesStayWithinTheCurvesAndTheThresholdWithinItsRange) {
    const CPlotData plot = PlotOf({Samples({1.0f}), Samples({1.0f})});
    CReceiverTimer timer(plot, 0);
    timer.PreviousSignal();
    EXPECT_EQ(timer.SignalIndex(), 0);
    std::vector<std::string> shown;
    const FieldReport report = [&](const std::string& text, MessageStyle) {
        shown.push_back(text);
        return MessageAnswer::Ok;
    };
    EXPECT_FALSE(timer.SetThreshold(100.5, report));
    EXPECT_EQ(timer.Threshold(), 5.0f);
    EXPECT_EQ(shown, std::vector<std::string>{"Please enter a number between 1 and 100."});
    EXPECT_TRUE(timer.SetThreshold(1.0, report));
}

}  // namespace
}  // namespace elix

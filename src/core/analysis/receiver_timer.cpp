#include "analysis/receiver_timer.h"

#include <cmath>
#include <cstddef>

#include "analysis/attenuation.h"
#include "analysis/plot_data.h"
#include "analysis/recorded_receivers.h"
#include "platform/text_format.h"

namespace elix {
namespace {

constexpr double kNoiseFloorFraction = 0.05;
constexpr int kSamplesEndingSearch = 5;

ArrivalMarker LargestPeak(const PlotCurve& curve) {
    ArrivalMarker peak;
    const auto n = static_cast<std::size_t>(curve.PointCount());
    for (std::size_t i = 0; i < n; ++i) {
        const float a = std::fabs(curve.y[i]);
        if (a > peak.amplitude) peak = {a, curve.x[i]};
    }
    return peak;
}

ArrivalMarker FirstPeak(const PlotCurve& curve, double noiseFloor) {
    ArrivalMarker peak;
    float running = 0.0f;
    int below = 0;
    bool searching = true;
    const auto n = static_cast<std::size_t>(curve.PointCount());
    for (std::size_t i = 0; i < n; ++i) {
        const float a = std::fabs(curve.y[i]);
        if (running <= a && searching) {
            if (a > noiseFloor) {
                running = a;
                peak = {a, curve.x[i]};
            }
        } else if (running >= noiseFloor && ++below >= kSamplesEndingSearch) {
            searching = false;
        }
    }
    return peak;
}

ArrivalMarker ThresholdCrossing(const PlotCurve& curve, double level) {
    const auto n = static_cast<std::size_t>(curve.PointCount());
    for (std::size_t i = 0; i < n; ++i)
        if (std::fabs(curve.y[i]) > level) return {static_cast<float>(level), curve.x[i]};
    return {};
}

// The markers of one kind in both curves, turned into the two texts.
struct MarkerPair {
    ArrivalMarker signal;
    ArrivalMarker reference;
};

void DescribeDelay(const MarkerPair& pair, double distance, const char* label, std::string& delayText,
                   std::string& velocityText) {
    const double delay = double{pair.signal.time} - double{pair.reference.time};
    const double velocity = delay > 0.0 ? distance / delay : 0.0;
    const bool found = pair.signal.amplitude > 0.0f && pair.reference.amplitude > 0.0f;
    if (found && delay >= 0.0)
        delayText = Format("%s Delay: %.4f (us) (Amp. = %.4f)", label, delay * 1e6, pair.signal.amplitude);
    else
        delayText = Format("%s Delay: Not Available", label);
    velocityText = found && velocity > 0.0 ? Format("Velocity = %.2f (m/s)", velocity) : "Velocity: Not Available";
}

const PlotCurve& CurveOrEmpty(const CPlotData& plot, int index) {
    static const PlotCurve kEmpty;
    const PlotCurve* curve = plot.CurveAt(index);
    return curve ? *curve : kEmpty;
}

}  // namespace

ArrivalMarkers MeasureArrival(const PlotCurve& curve, float thresholdPercent) {
    ArrivalMarkers markers;
    markers.largestPeak = LargestPeak(curve);
    const double noiseFloor = kNoiseFloorFraction * markers.largestPeak.amplitude;
    markers.firstPeak = FirstPeak(curve, noiseFloor);
    const double basis = markers.firstPeak.amplitude > 0.0f ? double{markers.firstPeak.amplitude} : noiseFloor;
    markers.threshold = ThresholdCrossing(curve, thresholdPercent * 0.01 * basis);
    return markers;
}

std::string ReceiverTimerTexts::Text() const {
    std::string text = signalName + "\n" + referenceName + "\n" + distance + "\n";
    text += thresholdDelay + "\n" + thresholdVelocity + "\n";
    text += firstPeakDelay + "\n" + firstPeakVelocity + "\n";
    text += maxPeakDelay + "\n" + maxPeakVelocity + "\n";
    if (!message.empty()) text += message + "\n";
    return text;
}

CReceiverTimer::CReceiverTimer(const CPlotData& plot, int receiverCount)
    : m_plot(plot), m_reference(DefaultReferenceCurve(plot, receiverCount)) {}

bool CReceiverTimer::SetThreshold(double percent, const FieldReport& report) {
    if (!CheckFieldRange(percent, kTimerThresholdRange, report)) return false;
    m_threshold = static_cast<float>(percent);
    return true;
}

bool CReceiverTimer::SetSignalIndex(int index) {
    if (!m_plot.CurveAt(index)) return false;
    m_signal = index;
    return true;
}

bool CReceiverTimer::SetReferenceIndex(int index) {
    if (!m_plot.CurveAt(index)) return false;
    m_reference = index;
    return true;
}

ReceiverTimerTexts CReceiverTimer::UpdateTimer() const {
    const PlotCurve& signal = CurveOrEmpty(m_plot, m_signal);
    const PlotCurve& reference = CurveOrEmpty(m_plot, m_reference);
    ReceiverTimerTexts texts;
    texts.signalName = Format("Signal Name: '%s'", signal.legend);
    texts.referenceName = Format("Reference Name: '%s'", reference.legend);
    const double dx = double{signal.positionX} - double{reference.positionX};
    const double dy = double{signal.positionY} - double{reference.positionY};
    const double distance = std::sqrt(dx * dx + dy * dy);  // m
    texts.distance = Format("Distance = %.2f (mm)", distance * 1000.0);

    const ArrivalMarkers s = MeasureArrival(signal, m_threshold);
    const ArrivalMarkers r = MeasureArrival(reference, m_threshold);
    DescribeDelay({s.threshold, r.threshold}, distance, "Threshold", texts.thresholdDelay, texts.thresholdVelocity);
    DescribeDelay({s.firstPeak, r.firstPeak}, distance, "First Peak", texts.firstPeakDelay, texts.firstPeakVelocity);
    DescribeDelay({s.largestPeak, r.largestPeak}, distance, "Max. Peak", texts.maxPeakDelay, texts.maxPeakVelocity);

    texts.message = m_plot.message;
    if (signal.delayedSignal) texts.message += "\nWarning: Receiver Signal may be delayed.";
    if (reference.delayedSignal) texts.message += "\nWarning: Source Signal may be delayed.";
    return texts;
}

bool PrepareReceiverTimer(CElixDoc& doc) {
    return EnsureReceiverCurves(doc, true);
}

}  // namespace elix

// Receiver Timer: how much later a wave arrives at one receiver curve (the
// signal) than at another (the reference), and the speed that follows
// from the distance between their receivers. Three arrival markers are
// compared: the threshold crossing, the first peak and the largest peak.
#pragma once

#include <string>

#include "model/field_range.h"

namespace elix {

class CElixDoc;
class CPlotData;
struct PlotCurve;

// One arrival marker: an amplitude and the time (s) of its sample; both 0
// when the marker was not found.
struct ArrivalMarker {
    float amplitude = 0.0f;
    float time = 0.0f;
};

struct ArrivalMarkers {
    ArrivalMarker threshold;  // amplitude: the threshold level itself
    ArrivalMarker firstPeak;
    ArrivalMarker largestPeak;
};

// The threshold is a percentage of the first peak amplitude.
inline constexpr FieldRange kTimerThresholdRange{1.0, 100.0};
inline constexpr float kDefaultTimerThreshold = 5.0f;

// Finds the markers of one curve (MeasureArrival):
// - largest peak: the largest |y|, at the first sample that reaches it;
// - noise floor: 5 % of the largest |y|;
// - first peak: scanning with a running peak p (from 0) and a counter c
//   that is never reset, a sample with p <= |y| > noise floor raises p and
//   becomes the first peak (so of equal samples the later wins) while the
//   search lasts; any other sample counts c up once p has reached the noise
//   floor, and the fifth such sample ends the search;
// - threshold level: thresholdPercent % of the first peak amplitude, or of
//   the noise floor when there is no first peak; its time is that of the
//   first sample whose |y| is strictly above the level.
ArrivalMarkers MeasureArrival(const PlotCurve& curve, float thresholdPercent);

// The texts the timer shows.
struct ReceiverTimerTexts {
    std::string signalName;     // "Signal Name: '%s'"
    std::string referenceName;  // "Reference Name: '%s'"
    std::string distance;       // "Distance = %.2f (mm)"
    std::string thresholdDelay, firstPeakDelay, maxPeakDelay;
    std::string thresholdVelocity, firstPeakVelocity, maxPeakVelocity;
    std::string message;  // the plot's note and the delayed-signal warnings

    // All of it as lines: names, distance, each delay followed by its
    // velocity, then the message when there is one.
    std::string Text() const;
};

// The state of the timer dialog on a receiver plot: the signal and
// reference curve indices and the threshold. Moves stay within the curves.
class CReceiverTimer {
public:
    // Signal index 0; reference index the default reference curve (2 x the
    // receiver count, or curve count - 2); threshold 5 %.
    CReceiverTimer(const CPlotData& plot, int receiverCount);

    int SignalIndex() const { return m_signal; }
    int ReferenceIndex() const { return m_reference; }
    float Threshold() const { return m_threshold; }

    // Stores a threshold within 1 to 100; outside it the range message is
    // shown through report and false returned, nothing changed.
    bool SetThreshold(double percent, const FieldReport& report);

    // False, nothing changed, when the index is not a curve of the plot.
    bool SetSignalIndex(int index);
    bool SetReferenceIndex(int index);

    // "P&revious"/"N&ext" and "&Previous"/"&Next": one curve back or on; at
    // the ends nothing moves.
    void PreviousSignal() { SetSignalIndex(m_signal - 1); }
    void NextSignal() { SetSignalIndex(m_signal + 1); }
    void PreviousReference() { SetReferenceIndex(m_reference - 1); }
    void NextReference() { SetReferenceIndex(m_reference + 1); }

    // Measures both curves and gives the texts (UpdateTimer): the distance
    // between the curves' positions; for each marker the delay
    // signal - reference and the velocity distance / delay; a delay is shown
    // when both amplitudes are above 0 and it is not negative, a velocity
    // when both amplitudes are above 0 and it is positive, else
    // "Not Available".
    ReceiverTimerTexts UpdateTimer() const;

private:
    const CPlotData& m_plot;
    int m_signal = 0;
    int m_reference = 0;
    float m_threshold = kDefaultTimerThreshold;
};

// The Receiver Timer command before its dialog opens: the receiver plot
// is loaded from the receiver files when empty (titled with the document
// title). False, after "No Receiver Data Available.", when there are no
// curves to measure.
bool PrepareReceiverTimer(CElixDoc& doc);

}  // namespace elix

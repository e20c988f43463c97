// The Detail dialog of a time function: which parameters each kind shows,
// in the units shown (frequency in MHz, shape and width in microseconds),
// and the number of cycles a pulse holds over its duration.
//
// Parameters of the text form: p1 = amplitude A, p2 = frequency f (Hz),
// p3 = shape a or width (s). A pulse of duration T at frequency f holds
// T * f cycles; setting the cycles sets the duration T = cycles / f.
#pragma once

#include <vector>

#include "engine/time_functions.h"
#include "model/field_range.h"

namespace elix {

enum class TimeFunctionField {
    Amplitude,  // "Amplitude", p1
    Frequency,  // "Freq. (MHz)", p2
    Shape,      // "a (us)", p3 of the Gaussian-type envelopes
    Width,      // "Width (us)", p3 of the square pulse
    Cycles,     // "Cycles": duration times frequency
};

// The label of a field as the dialog shows it.
const char* TimeFunctionFieldLabel(TimeFunctionField field);

// The fields a kind shows, in order. Parameters the formula of a kind does
// not use (the frequency of the square and Gaussian pulses, the p3 of the
// Gaussian and sine-cosine pulses) are not shown and keep their values.
// "Fixed", "None" and "Zero" show none. Pulses with a carrier show their
// cycles; "Sine Continuous" has no end and shows none.
std::vector<TimeFunctionField> TimeFunctionFieldsOf(TimeFunctionKind kind);

// User1, User2 and File take their samples from a waveform file.
bool UsesWaveformFile(TimeFunctionKind kind);

// The Detail dialog's values, in the units shown.
struct TimeFunctionDetail {
    double amplitude = 1.0;
    double frequencyMHz = 1.0;  // "Freq. (MHz)"
    double shapeUs = 0.0;       // "a (us)" or "Width (us)"
    double cycles = 0.0;
};

inline constexpr FieldRange kAmplitudeRange{-1e20, 1e20};

// The range of a field: the amplitude any number, the others above 0.
FieldRange TimeFunctionFieldRange(TimeFunctionField field);

// The values of a function whose excitation lasts durationSeconds. An
// envelope whose shape follows the duration shows a = T/4.
TimeFunctionDetail ShowTimeFunctionDetail(const TimeFunctionSpec& function, double durationSeconds);

// Takes the values of the fields the kind shows into function (its
// parameter count raised to the kind's default count, so the text form
// carries every parameter; the shape is then explicit) and, when the kind
// shows its cycles, sets durationSeconds = cycles / f. Frequency, shape,
// width and cycles must be above 0. A value out of its range is shown
// through report and nothing changes.
bool TakeTimeFunctionDetail(const TimeFunctionDetail& detail, TimeFunctionSpec& function, double& durationSeconds,
                            const FieldReport& report);

}  // namespace elix

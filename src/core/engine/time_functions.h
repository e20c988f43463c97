// Source time functions: the signal an excitation (a source or a driven
// boundary condition) applies per component, its text form and its value at
// a time step.
//
// Text form, as stored in source and boundary-condition records:
//   "Sine Pulse"                 kind alone: the kind's default parameters
//   "Sine Pulse,2,1,1e+06"       kind, parameter count N, then N numbers
//   "File<pulses/p1.wtf>,1,2.5"  a waveform file, path between '<' and '>'
// Parameters: p1 = amplitude A, p2 = frequency f (Hz), p3 = shape a (s):
// the width of the Gaussian-type envelopes or of the square pulse.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "engine/waveform_file.h"

namespace elix {

enum class TimeFunctionKind : std::uint8_t {
    Fixed,  // marks a rigidly held boundary; its value is 0 and never applied as motion
    None,
    Zero,
    SineContinuous,
    SinePulse,
    SineGaussianPulse,
    SineExponentialPulse,
    SquarePulse,
    GaussianPulse,
    SineSinePulse,
    SineCosinePulse,
    User1,
    User2,
    File,
};
inline constexpr int kTimeFunctionKindCount = 14;

// "Fixed", "None", ..., "Sine Cosine Pulse", "User1", "User2", "File", in the
// order of the enumeration (the order the dialogs list them).
const char* TimeFunctionKindName(TimeFunctionKind kind);

struct TimeFunctionSpec {
    static constexpr int kMaxParameters = 5;

    TimeFunctionKind kind = TimeFunctionKind::None;
    // Kind File: the waveform path as written, relative to the model file's
    // folder or absolute. Empty for every other kind.
    std::string path;
    int count = 0;                           // N, 0..5: the parameters the text form carries
    std::array<double, kMaxParameters> p{};  // p1..p5; those beyond N are 0
    // Set for "Sine Gaussian Pulse" and "Sine Exponential Pulse" given by
    // name alone: their shape a is then a quarter of the excitation's
    // duration, known only when the function is evaluated.
    bool shapeFromDuration = false;

    bool operator==(const TimeFunctionSpec&) const = default;
};

// The time function a kind's name alone stands for: N and p1..p3 from the
// kind's defaults (A = 1, f = 1 MHz; square pulse width 0.1 us; Gaussian and
// sine-cosine a = 1 us; envelope a = duration/4).
TimeFunctionSpec DefaultTimeFunction(TimeFunctionKind kind);

// Parses the text form. The kind name is the text up to the first comma
// (blanks around it ignored); a File kind runs to the first '>' that is
// followed by a comma or the end, so that its path may hold commas. Then
// N ("%d") and N numbers ("%f"), each after a comma. N is clamped to 0..5;
// a missing, unreadable or non-finite number is 0. Without a comma the
// kind's defaults apply. An unknown name, or a "File<" without its '>',
// becomes "None" (with any numbers that follow).
TimeFunctionSpec ParseTimeFunction(std::string_view text);

// The text form: the kind name ("File<path>" for File), then for N = 1..5
// ",%d" and N times ",%g"; nothing more for N = 0 or a function whose shape comes
// from the duration (its name alone says that). "%g" keeps six significant
// digits, as every record of the model file does. A File path that holds a
// '>' followed by a comma cannot be written so that it reads back.
std::string FormatTimeFunction(const TimeFunctionSpec& function);

// Where sampled signals come from during a run.
using WaveformReport = std::function<void(const std::string&)>;
struct TimeFunctionContext {
    CWaveformStore* waveforms = nullptr;  // User1, User2 and the File cache; none: those kinds give 0
    std::string modelPath;                // relative File paths resolve against its folder
    WaveformReport report;                // File problems, shown once (may be empty)
};

// The value of the function at step n (the owner's step minus its delay in
// steps), time step dt (s), start time t0 (s) and duration T (s):
// t = n*dt in float, tau = t - t0;
//   0 when t0 > t, and when tau > T for every kind but "Sine Continuous";
//   Sine Continuous          A sin(2 pi f tau)
//   Sine Pulse               A sin(2 pi f tau)                              tau < T
//   Sine Gaussian Pulse      A sin(2 pi f tau) exp(-((tau - T/2)/a)^2)      tau < T
//   Sine Exponential Pulse   A sin(2 pi f tau) exp(-|tau/a|)                tau < T
//   Square Pulse             A                                  tau < T and tau < a
//   Gaussian Pulse           A exp(-(8/T)^2 (tau - T/2)^2)                  tau < T
//   Sine Sine Pulse          A sin(2 pi f tau) sin(pi tau/T)                tau < T
//   Sine Cosine Pulse        A sin(2 pi f tau) (1 + cos(2 pi tau/T - 3.141592))/2
//   User1, User2, File       A w(x), the N samples linearly interpolated at
//                            x = tau/T (N - 1): stretched over T     tau < T
//   Fixed, None, Zero        0
// 2 pi is the float 6.2831855 and pi the float 3.1415925; sin, cos and exp
// run in double and the result is rounded to float once. An envelope of
// width a = 0 gives 0 rather than 0/0.
// A File waveform is read the first time its path is met; a problem with it
// is passed to context.report at the first step (0 <= t < dt), whatever t0
// is, and the value is 0.
float EvaluateTimeFunction(int n, float dt, float t0, float duration, const TimeFunctionSpec& function,
                           const TimeFunctionContext& context);

// The one-entry memo of one time function of one excitation: every point of
// the excitation evaluates the function, and points sharing a step number
// share one evaluation. The excitation resets it before its points are
// processed in each step.
class TimeFunctionMemo {
public:
    // Forgets the cached step; returns 0.
    float Reset() {
        m_valid = false;
        return 0.0f;
    }

    // The cached value when n is the cached step, otherwise
    // EvaluateTimeFunction, which then becomes the cached value.
    float Evaluate(int n, float dt, float t0, float duration, const TimeFunctionSpec& function,
                   const TimeFunctionContext& context) {
        if (m_valid && m_step == n) return m_value;
        m_value = EvaluateTimeFunction(n, dt, t0, duration, function, context);
        m_step = n;
        m_valid = true;
        return m_value;
    }

private:
    bool m_valid = false;
    int m_step = 0;
    float m_value = 0.0f;
};

}  // namespace elix

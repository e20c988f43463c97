// The Detail dialog's rules: the fields of each kind, the units shown and
// the duration a number of cycles gives.
#include "engine/time_function_fields.h"

#include <gtest/gtest.h>

#include <cmath>

#include <string>
#include <vector>

namespace elix {
namespace {

using F = TimeFunctionField;

TEST(TimeFunctionFieldsTest, EachKindShowsTheParametersItsFormulaUses) {
    const struct {
        TimeFunctionKind kind;
        std::vector<F> fields;
    } cases[] = {
        {TimeFunctionKind::None, {}},
        {TimeFunctionKind::Fixed, {}},
        {TimeFunctionKind::SineContinuous, {F::Amplitude, F::Frequency}},
        {TimeFunctionKind::SinePulse, {F::Amplitude, F::Frequency, F::Cycles}},
        {TimeFunctionKind::SineGaussianPulse, {F::Amplitude, F::Frequency, F::Shape, F::Cycles}},
        {TimeFunctionKind::SquarePulse, {F::Amplitude, F::Width}},
        {TimeFunctionKind::GaussianPulse, {F::Amplitude}},
        {TimeFunctionKind::File, {F::Amplitude}},
    };
    for (const auto& c : cases) EXPECT_EQ(TimeFunctionFieldsOf(c.kind), c.fields) << TimeFunctionKindName(c.kind);
    EXPECT_STREQ(TimeFunctionFieldLabel(F::Frequency), "Freq. (MHz)");
    EXPECT_STREQ(TimeFunctionFieldLabel(F::Shape), "a (us)");
    EXPECT_STREQ(TimeFunctionFieldLabel(F::Width), "Width (us)");
    EXPECT_TRUE(UsesWaveformFile(TimeFunctionKind::User2));
    EXPECT_FALSE(UsesWaveformFile(TimeFunctionKind::SquarePulse));
}

TEST(TimeFunctionFieldsTest, CyclesAtAFrequencySetTheDuration) {
    TimeFunctionSpec f = ParseTimeFunction("Sine Pulse");
    double duration = 3e-6;
    TimeFunctionDetail d = ShowTimeFunctionDetail(f, duration);
    EXPECT_DOUBLE_EQ(d.frequencyMHz, 1.0);
    EXPECT_DOUBLE_EQ(d.cycles, 3.0);  // 3 us at 1 MHz
    d.frequencyMHz = 2.25;
    d.cycles = 2.0;
    ASSERT_TRUE(TakeTimeFunctionDetail(d, f, duration, nullptr));
    EXPECT_EQ(FormatTimeFunction(f), "Sine Pulse,2,1,2.25e+06");
    EXPECT_DOUBLE_EQ(duration, 2.0 / 2.25e6);
    // The evaluated pulse holds exactly two periods: zero from T on.
    const float dt = 1e-9f;
    EXPECT_EQ(EvaluateTimeFunction(889, dt, 0.0f, static_cast<float>(duration), f, {}), 0.0f);
    EXPECT_NE(EvaluateTimeFunction(111, dt, 0.0f, static_cast<float>(duration), f, {}), 0.0f);
}

TEST(TimeFunctionFieldsTest, ShapesInMicrosecondsAndTheDurationRuleMadeExplicit) {
    // An envelope given by name alone shows a = T/4 and is written with it.
    TimeFunctionSpec g = ParseTimeFunction("Sine Gaussian Pulse");
    double duration = 4e-6;
    TimeFunctionDetail d = ShowTimeFunctionDetail(g, duration);
    EXPECT_DOUBLE_EQ(d.shapeUs, 1.0);
    ASSERT_TRUE(TakeTimeFunctionDetail(d, g, duration, nullptr));
    EXPECT_EQ(FormatTimeFunction(g), "Sine Gaussian Pulse,3,1,1e+06,1e-06");
    EXPECT_DOUBLE_EQ(duration, 4e-6);

    // Square pulse: the width in us, the unused frequency kept; no cycles,
    // so the duration stays.
    TimeFunctionSpec s = ParseTimeFunction("Square Pulse,3,2,5,1e-7");
    d = ShowTimeFunctionDetail(s, duration);
    EXPECT_DOUBLE_EQ(d.shapeUs, 0.1);
    d.shapeUs = 0.5;
    d.amplitude = -3.0;
    ASSERT_TRUE(TakeTimeFunctionDetail(d, s, duration, nullptr));
    EXPECT_EQ(FormatTimeFunction(s), "Square Pulse,3,-3,5,5e-07");
    EXPECT_DOUBLE_EQ(duration, 4e-6);

    // A File waveform keeps its path and gets its amplitude as p1.
    TimeFunctionSpec w = ParseTimeFunction("File<pulses/a,b.wtf>");
    d = ShowTimeFunctionDetail(w, duration);
    d.amplitude = 2.5;
    ASSERT_TRUE(TakeTimeFunctionDetail(d, w, duration, nullptr));
    EXPECT_EQ(FormatTimeFunction(w), "File<pulses/a,b.wtf>,1,2.5");
}

TEST(TimeFunctionFieldsTest, OutOfRangeValuesAreRefusedAndChangeNothing) {
    std::vector<std::string> shown;
    const FieldReport report = [&](const std::string& text, MessageStyle) {
        shown.push_back(text);
        return MessageAnswer::Ok;
    };
    const TimeFunctionSpec before = ParseTimeFunction("Sine Exponential Pulse,3,1,1e+06,2e-07");
    const struct {
        void (*change)(TimeFunctionDetail&);
    } cases[] = {
        {[](TimeFunctionDetail& d) { d.frequencyMHz = 0.0; }},
        {[](TimeFunctionDetail& d) { d.shapeUs = -1.0; }},
        {[](TimeFunctionDetail& d) { d.cycles = 0.0; }},
        {[](TimeFunctionDetail& d) { d.amplitude = std::nan(""); }},
    };
    for (const auto& c : cases) {
        TimeFunctionSpec f = before;
        double duration = 3e-6;
        TimeFunctionDetail d = ShowTimeFunctionDetail(f, duration);
        c.change(d);
        EXPECT_FALSE(TakeTimeFunctionDetail(d, f, duration, report));
        EXPECT_EQ(f, before);
        EXPECT_EQ(duration, 3e-6);
    }
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown[0], "Please enter a number between 1e-20 and 1e+20.");
    EXPECT_EQ(shown[3], "Please enter a number between -1e+20 and 1e+20.");

    // A value a kind does not show is not checked: the square pulse's
    // frequency of 0 is its default.
    TimeFunctionSpec square = ParseTimeFunction("Square Pulse");
    double duration = 1e-6;
    EXPECT_TRUE(TakeTimeFunctionDetail(ShowTimeFunctionDetail(square, duration), square, duration, report));
    EXPECT_EQ(shown.size(), 4u);
}

}  // namespace
}  // namespace elix

#include "engine/time_functions.h"

#include <gtest/gtest.h>

#include <array>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace elix {
namespace {

using test::TempDir;

// The constants the pulses are defined with: 2 pi and pi as floats.
constexpr double kTwoPiF = static_cast<double>(6.2831855f);
constexpr double kPiF = static_cast<double>(3.1415925f);

float Eval(const std::string& text, int n, float dt, float t0, float duration,
           const TimeFunctionContext& context = {}) {
    return EvaluateTimeFunction(n, dt, t0, duration, ParseTimeFunction(text), context);
}

// ---------------------------------------------------------------------------
// Text form

TEST(TimeFunctionTextTest, ParsesKindCountAndParameters) {
    struct Case {
        const char* text;
        TimeFunctionKind kind;
        const char* path;
        int count;
        std::array<double, 5> p;
        bool shapeFromDuration;
    };
    using K = TimeFunctionKind;
    const Case cases[] = {
        // The kind alone stands for its defaults.
        {"Sine Pulse", K::SinePulse, "", 2, {1, 1e6, 0, 0, 0}, false},
        {"Square Pulse", K::SquarePulse, "", 3, {1, 0, 1e-7, 0, 0}, false},
        {"Gaussian Pulse", K::GaussianPulse, "", 3, {1, 1e6, 1e-6, 0, 0}, false},
        {"Sine Cosine Pulse", K::SineCosinePulse, "", 3, {1, 1e6, 1e-6, 0, 0}, false},
        {"Sine Gaussian Pulse", K::SineGaussianPulse, "", 3, {1, 1e6, 0, 0, 0}, true},  // a = T/4
        {"Sine Exponential Pulse", K::SineExponentialPulse, "", 3, {1, 1e6, 0, 0, 0}, true},
        {"User2", K::User2, "", 1, {1, 0, 0, 0, 0}, false},
        {"Fixed", K::Fixed, "", 0, {0, 0, 0, 0, 0}, false},
        {"  Sine Sine Pulse\r", K::SineSinePulse, "", 2, {1, 1e6, 0, 0, 0}, false},
        // N, then N numbers; those not given are 0, those beyond N unread.
        {"Sine Pulse,2,2.5,5e5", K::SinePulse, "", 2, {2.5, 5e5, 0, 0, 0}, false},
        {"Sine Gaussian Pulse, 3, -1, 2e6, 4e-7", K::SineGaussianPulse, "", 3, {-1, 2e6, 4e-7, 0, 0}, false},
        {"Square Pulse,3,2", K::SquarePulse, "", 3, {2, 0, 0, 0, 0}, false},
        {"Sine Pulse,1,3,4", K::SinePulse, "", 1, {3, 0, 0, 0, 0}, false},
        {"Sine Pulse,", K::SinePulse, "", 0, {0, 0, 0, 0, 0}, false},
        // N clamped to 0..5; a bad or non-finite number is 0, the next
        // field still read.
        {"Sine Pulse,7,1,2,3,4,5,6,7", K::SinePulse, "", 5, {1, 2, 3, 4, 5}, false},
        {"Sine Pulse,99999999999999999999999,1", K::SinePulse, "", 5, {1, 0, 0, 0, 0}, false},
        {"Sine Pulse,-3,1,2", K::SinePulse, "", 0, {0, 0, 0, 0, 0}, false},
        {"Sine Pulse,many,1,2", K::SinePulse, "", 0, {0, 0, 0, 0, 0}, false},
        {"Sine Pulse,4,abc,3,nan,1e999", K::SinePulse, "", 4, {0, 3, 0, 0, 0}, false},
        // Unknown names become None; the numbers after them are kept.
        {"", K::None, "", 0, {0, 0, 0, 0, 0}, false},
        {"sine pulse", K::None, "", 0, {0, 0, 0, 0, 0}, false},
        {"User3", K::None, "", 0, {0, 0, 0, 0, 0}, false},
        {"File<open", K::None, "", 0, {0, 0, 0, 0, 0}, false},
        {"Chirp,2,1,5e6", K::None, "", 2, {1, 5e6, 0, 0, 0}, false},
        // File: the path between the angle brackets; it may hold blanks,
        // commas and '>', since the kind runs to the '>' before the comma.
        {"File<pulses/burst 1.wtf>,1,2.5", K::File, "pulses/burst 1.wtf", 1, {2.5, 0, 0, 0, 0}, false},
        {"File<C:\\sig\\a.wtf>", K::File, "C:\\sig\\a.wtf", 1, {1, 0, 0, 0, 0}, false},
        {"File<a,b.wtf>,1,3", K::File, "a,b.wtf", 1, {3, 0, 0, 0, 0}, false},
        {"File<x>y.wtf> ,1,3", K::File, "x>y.wtf", 1, {3, 0, 0, 0, 0}, false},
        {"File<>,1,2", K::File, "", 1, {2, 0, 0, 0, 0}, false},
    };
    for (const Case& c : cases) {
        const TimeFunctionSpec f = ParseTimeFunction(c.text);
        EXPECT_EQ(f.kind, c.kind) << c.text;
        EXPECT_EQ(f.path, c.path) << c.text;
        EXPECT_EQ(f.count, c.count) << c.text;
        EXPECT_EQ(f.p, c.p) << c.text;
        EXPECT_EQ(f.shapeFromDuration, c.shapeFromDuration) << c.text;
    }
    for (int k = 0; k < kTimeFunctionKindCount; ++k) {
        const auto kind = static_cast<TimeFunctionKind>(k);
        EXPECT_EQ(ParseTimeFunction(TimeFunctionKindName(kind)).kind, kind) << TimeFunctionKindName(kind);
    }
}

TEST(TimeFunctionTextTest, FormatWritesTheCountThenEachParameterWithG) {
    TimeFunctionSpec s;
    s.kind = TimeFunctionKind::SinePulse;
    s.count = 2;
    s.p = {1.5, 2e6, 0, 0, 0};
    EXPECT_EQ(FormatTimeFunction(s), "Sine Pulse,2,1.5,2e+06");
    s.kind = TimeFunctionKind::SquarePulse;
    s.count = 3;
    s.p = {-0.25, 0, 1e-7, 0, 0};
    EXPECT_EQ(FormatTimeFunction(s), "Square Pulse,3,-0.25,0,1e-07");
    s.kind = TimeFunctionKind::GaussianPulse;
    s.count = 5;
    s.p = {1.0 / 3.0, 123456789.0, 100000, 1e-5, 0.0001};
    EXPECT_EQ(FormatTimeFunction(s), "Gaussian Pulse,5,0.333333,1.23457e+08,100000,1e-05,0.0001");
    // N = 0, or a count out of range, appends nothing.
    s.count = 0;
    EXPECT_EQ(FormatTimeFunction(s), "Gaussian Pulse");
    s.count = 6;
    EXPECT_EQ(FormatTimeFunction(s), "Gaussian Pulse");
    // The File kind writes its path between angle brackets.
    s = ParseTimeFunction("File<dir/a b.wtf>,1,2");
    EXPECT_EQ(FormatTimeFunction(s), "File<dir/a b.wtf>,1,2");
    EXPECT_EQ(FormatTimeFunction(ParseTimeFunction("Chirp,2,1,5e6")), "None,2,1,5e+06");
    // A width taken from the duration can only be said by the name alone.
    EXPECT_EQ(FormatTimeFunction(ParseTimeFunction("Sine Exponential Pulse")), "Sine Exponential Pulse");
    EXPECT_EQ(FormatTimeFunction(ParseTimeFunction("Sine Pulse")), "Sine Pulse,2,1,1e+06");
}

TEST(TimeFunctionTextTest, FormatAndParseRoundTripForEveryCount) {
    const double values[5] = {2.5, 1.25e6, -3e-7, 42, 0.0625};
    const TimeFunctionKind kinds[] = {TimeFunctionKind::SineContinuous, TimeFunctionKind::SineGaussianPulse,
                                      TimeFunctionKind::SquarePulse, TimeFunctionKind::User2, TimeFunctionKind::File};
    for (TimeFunctionKind kind : kinds) {
        for (int n = 1; n <= 5; ++n) {
            TimeFunctionSpec s;
            s.kind = kind;
            if (kind == TimeFunctionKind::File) s.path = "signals/with blanks, and commas.wtf";
            s.count = n;
            for (int k = 0; k < n; ++k) s.p[static_cast<std::size_t>(k)] = values[k];
            const std::string text = FormatTimeFunction(s);
            EXPECT_EQ(ParseTimeFunction(text), s) << text;
        }
    }
    // N = 0 round-trips for the kinds without parameters...
    for (TimeFunctionKind kind : {TimeFunctionKind::None, TimeFunctionKind::Fixed, TimeFunctionKind::Zero}) {
        TimeFunctionSpec s;
        s.kind = kind;
        EXPECT_EQ(ParseTimeFunction(FormatTimeFunction(s)), s);
    }
    // ... while a kind that has parameters, written with none, reads back
    // as its name alone: with its defaults.
    const TimeFunctionSpec bare = ParseTimeFunction("Sine Pulse,0");
    EXPECT_EQ(bare.p[0], 0.0);
    EXPECT_EQ(ParseTimeFunction(FormatTimeFunction(bare)), DefaultTimeFunction(TimeFunctionKind::SinePulse));
    // And the defaults that depend on the duration survive a round trip.
    const TimeFunctionSpec envelope = ParseTimeFunction("Sine Gaussian Pulse");
    EXPECT_EQ(ParseTimeFunction(FormatTimeFunction(envelope)), envelope);
}

TEST(TimeFunctionTextTest, TextIsTheSameUnderACommaDecimalLocale) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    const char* comma = nullptr;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8"})
        if (std::setlocale(LC_ALL, name)) {
            comma = name;
            break;
        }
    if (!comma) GTEST_SKIP() << "no comma-decimal locale installed (scripts/setup.sh generates de_DE.UTF-8)";
    const std::string text = FormatTimeFunction(ParseTimeFunction("Sine Pulse,2,1.5,2.5e6"));
    const TimeFunctionSpec s = ParseTimeFunction("Square Pulse,3,0.5,0,2.5e-7");
    std::setlocale(LC_ALL, previous.c_str());
    EXPECT_EQ(text, "Sine Pulse,2,1.5,2.5e+06");
    EXPECT_EQ(s.p[0], 0.5);
    EXPECT_EQ(s.p[2], 2.5e-7);
}

// ---------------------------------------------------------------------------
// Analytic kinds

// Each formula written out once more, from its definition.
double Reference(const std::string& kind, double a, double f, double shape, float tau, float duration) {
    const double s = std::sin(kTwoPiF * f * tau);
    const double c = tau - duration / 2.0;
    if (kind == "Sine Continuous" || kind == "Sine Pulse") return a * s;
    if (kind == "Sine Gaussian Pulse") return a * s * std::exp(-std::pow(c / shape, 2));
    if (kind == "Sine Exponential Pulse") return a * s * std::exp(-std::abs(tau / shape));
    if (kind == "Gaussian Pulse") return a * std::exp(-std::pow(8.0 / duration, 2) * std::pow(c, 2));
    if (kind == "Sine Sine Pulse") return a * s * std::sin(kPiF * tau / duration);
    if (kind == "Sine Cosine Pulse") return a * s * (1 + std::cos(kTwoPiF * tau / duration - 3.141592)) / 2;
    return 0.0;
}

TEST(TimeFunctionEvaluateTest, EveryAnalyticKindFollowsItsFormulaOverThePulse) {
    const float dt = 2.5e-8f;
    const float duration = 2e-6f;
    const double a = 1.5, f = 2e6, shape = 3e-7;
    for (const char* kind : {"Sine Continuous", "Sine Pulse", "Sine Gaussian Pulse", "Sine Exponential Pulse",
                             "Gaussian Pulse", "Sine Sine Pulse", "Sine Cosine Pulse"}) {
        char text[128];
        std::snprintf(text, sizeof text, "%s,3,1.5,2e6,3e-7", kind);
        for (int n = 0; n < 80; ++n) {
            const float tau = static_cast<float>(n) * dt;
            ASSERT_LT(tau, duration);
            const auto expected = static_cast<float>(Reference(kind, a, f, shape, tau, duration));
            ASSERT_EQ(Eval(text, n, dt, 0.0f, duration), expected) << kind << " step " << n;
        }
    }
}

TEST(TimeFunctionEvaluateTest, SinePulseOfOnePeriodEndsAtItsDuration) {
    const float dt = 2.5e-8f;
    const float duration = 40.0f * dt;  // step 40 lies exactly at tau = T
    const double f = 1.0 / duration;
    char text[64];
    std::snprintf(text, sizeof text, "Sine Pulse,2,2,%.17g", f);
    // One full period: a positive half, a negative half, peaks of +-A.
    EXPECT_NEAR(Eval(text, 10, dt, 0.0f, duration), 2.0f, 1e-6);
    EXPECT_NEAR(Eval(text, 20, dt, 0.0f, duration), 0.0f, 2e-6);
    EXPECT_NEAR(Eval(text, 30, dt, 0.0f, duration), -2.0f, 1e-6);
    double sum = 0.0;
    for (int n = 0; n < 40; ++n) sum += Eval(text, n, dt, 0.0f, duration);
    EXPECT_NEAR(sum, 0.0, 1e-5);
    for (int n = 1; n < 20; ++n) EXPECT_GT(Eval(text, n, dt, 0.0f, duration), 0.0f) << n;
    for (int n = 21; n < 40; ++n) EXPECT_LT(Eval(text, n, dt, 0.0f, duration), 0.0f) << n;
    // At tau = T and later: nothing.
    for (int n = 40; n < 200; ++n) EXPECT_EQ(Eval(text, n, dt, 0.0f, duration), 0.0f) << n;
}

TEST(TimeFunctionEvaluateTest, SineContinuousGoesOnAfterItsDuration) {
    const float dt = 2.5e-8f;
    const float duration = 40.0f * dt;
    for (int n = 40; n < 400; n += 7) {
        const float tau = static_cast<float>(n) * dt;
        const auto expected = static_cast<float>(1.5 * std::sin(kTwoPiF * 1e6 * tau));
        EXPECT_EQ(Eval("Sine Continuous,2,1.5,1e6", n, dt, 0.0f, duration), expected) << n;
    }
    // A quarter period after 10 whole periods: the crest.
    EXPECT_NEAR(Eval("Sine Continuous,2,1.5,1e6", 410, dt, 0.0f, duration), 1.5f, 1e-4);
}

TEST(TimeFunctionEvaluateTest, EveryPulseIsZeroFromItsDurationOn) {
    const float dt = 1e-8f;
    const float duration = 1e-6f;
    for (int k = 0; k < kTimeFunctionKindCount; ++k) {
        const auto kind = static_cast<TimeFunctionKind>(k);
        if (kind == TimeFunctionKind::SineContinuous) continue;
        TimeFunctionSpec s = DefaultTimeFunction(kind);
        s.p[2] = 5e-6;  // a square pulse wider than the duration still ends with it
        for (int n = 101; n < 300; n += 3)
            EXPECT_EQ(EvaluateTimeFunction(n, dt, 0.0f, duration, s, {}), 0.0f) << TimeFunctionKindName(kind) << n;
    }
}

TEST(TimeFunctionEvaluateTest, StartTimeDelaysTheSignal) {
    const float dt = 1e-8f;
    const float t0 = 5.0f * dt;  // exactly step 5
    // Before the start time every kind is 0, the square pulse included.
    for (int n = -3; static_cast<float>(n) * dt < t0; ++n) {
        EXPECT_EQ(Eval("Square Pulse,3,2,0,1e-6", n, dt, t0, 1e-6f), 0.0f) << n;
        EXPECT_EQ(Eval("Sine Continuous,2,2,1e6", n, dt, t0, 1e-6f), 0.0f) << n;
    }
    // From the start time on, the signal is the undelayed one at tau = t - t0;
    // the square pulse starts at its amplitude.
    EXPECT_EQ(Eval("Square Pulse,3,2,0,1e-6", 5, dt, t0, 1e-6f), 2.0f);
    EXPECT_EQ(Eval("Square Pulse", 0, dt, 0.0f, 1e-6f), 1.0f);
    for (int n = 5; n < 60; ++n)
        EXPECT_EQ(Eval("Sine Pulse,2,2,1e6", n, dt, t0, 1e-6f),
                  static_cast<float>(2.0 * std::sin(kTwoPiF * 1e6 * (static_cast<float>(n) * dt - t0))));
    // The square pulse lasts its width after the start.
    EXPECT_EQ(Eval("Square Pulse,3,2,0,1e-7", 14, dt, t0, 1e-6f), 2.0f);
    EXPECT_EQ(Eval("Square Pulse,3,2,0,1e-7", 16, dt, t0, 1e-6f), 0.0f);
}

TEST(TimeFunctionEvaluateTest, DefaultEnvelopeWidthIsAQuarterOfTheDuration) {
    const float dt = 2e-8f;
    const float duration = 3.2e-6f;
    char text[96];
    for (const char* kind : {"Sine Gaussian Pulse", "Sine Exponential Pulse"}) {
        std::snprintf(text, sizeof text, "%s,3,1,1e6,%.17g", kind, static_cast<double>(duration / 4.0f));
        for (int n = 0; n < 160; n += 3)
            EXPECT_EQ(Eval(kind, n, dt, 0.0f, duration), Eval(text, n, dt, 0.0f, duration)) << kind << n;
    }
    // The same name under another duration gets another width.
    EXPECT_NE(Eval("Sine Gaussian Pulse", 30, dt, 0.0f, duration),
              Eval("Sine Gaussian Pulse", 30, dt, 0.0f, 2.0f * duration));
}

TEST(TimeFunctionEvaluateTest, ZeroWidthsAndKindsWithoutMotionGiveZero) {
    for (const char* text : {"Sine Gaussian Pulse,3,1,1e6,0", "Sine Exponential Pulse,3,1,1e6", "Square Pulse,2,1,0",
                             "None", "Fixed,2,5,1e6", "Zero", "Sine Waves,2,5,1e6"})
        for (int n = 0; n < 100; ++n) EXPECT_EQ(Eval(text, n, 1e-8f, 0.0f, 1e-6f), 0.0f) << text << n;
    // A duration of 0 gives nothing at all.
    EXPECT_EQ(Eval("Gaussian Pulse", 0, 1e-8f, 0.0f, 0.0f), 0.0f);
    EXPECT_EQ(Eval("Sine Sine Pulse", 3, 1e-8f, 0.0f, 0.0f), 0.0f);
}

// ---------------------------------------------------------------------------
// Sampled kinds

TEST(TimeFunctionEvaluateTest, OneSampleUserTableHoldsThroughoutThePulse) {
    CWaveformStore store;
    store.user1.values = {0.75f};
    TimeFunctionContext context;
    context.waveforms = &store;
    for (int n = 0; n < 100; ++n) EXPECT_EQ(Eval("User1,1,2", n, 1e-8f, 0.0f, 1e-6f, context), 1.5f) << n;
    for (int n = 100; n < 120; ++n) EXPECT_EQ(Eval("User1,1,2", n, 1e-8f, 0.0f, 1e-6f, context), 0.0f) << n;
    // No samples, or no store at all: 0.
    EXPECT_EQ(Eval("User2", 10, 1e-8f, 0.0f, 1e-6f, context), 0.0f);
    EXPECT_EQ(Eval("User1", 10, 1e-8f, 0.0f, 1e-6f), 0.0f);
    EXPECT_EQ(Eval("File<nothing.wtf>", 0, 1e-8f, 0.0f, 1e-6f), 0.0f);
}

TEST(TimeFunctionEvaluateTest, UserSamplesAreStretchedOverTheDurationWhateverTheStep) {
    CWaveformStore store;
    store.user1.values = {9.0f};
    store.user2.values = {0.0f, 1.0f, 0.0f, -1.0f, 0.5f};
    TimeFunctionContext context;
    context.waveforms = &store;
    const float duration = 1e-6f;
    // Linear interpolation between the samples at x = tau/T * 4.
    const auto expected = [&](float tau) {
        const double x = static_cast<double>(tau) / duration * 4.0;
        const int k = static_cast<int>(x);
        const std::vector<double> w = {0.0, 1.0, 0.0, -1.0, 0.5};
        const double v = k >= 4 ? w[4]
                                : w[static_cast<std::size_t>(k)] +
                                      (x - k) * (w[static_cast<std::size_t>(k) + 1] - w[static_cast<std::size_t>(k)]);
        return static_cast<float>(3.0 * v);
    };
    for (float dt : {1e-8f, 3e-9f, 7.7e-8f})
        for (int n = 0; static_cast<float>(n) * dt < duration; ++n)
            ASSERT_EQ(Eval("User2,1,3", n, dt, 0.0f, duration, context), expected(static_cast<float>(n) * dt))
                << dt << " " << n;
    // Sample points and midpoints, on a step that divides the duration.
    EXPECT_NEAR(Eval("User2,1,3", 25, 1e-8f, 0.0f, duration, context), 3.0f, 1e-5);   // x = 1
    EXPECT_NEAR(Eval("User2,1,3", 75, 1e-8f, 0.0f, duration, context), -3.0f, 1e-5);  // x = 3
    EXPECT_NEAR(Eval("User2,1,3", 125, 1e-9f, 0.0f, duration, context), 1.5f, 1e-5);  // x = 0.5 with dt 1 ns
    EXPECT_NEAR(Eval("User2,1,3", 90, 1e-8f, 0.0f, duration, context), 3.0f * (-1.0f + 0.6f * 1.5f), 1e-5);
    // User1 reads its own table.
    EXPECT_EQ(Eval("User1,1,3", 40, 1e-8f, 0.0f, duration, context), 27.0f);
}

struct FileWaveformTest : ::testing::Test {
    TempDir dir;
    CWaveformStore store;
    std::vector<std::string> reports;
    TimeFunctionContext context;
    void SetUp() override {
        context.waveforms = &store;
        context.modelPath = dir.Path("plate.wmd");
        context.report = [this](const std::string& text) { reports.push_back(text); };
    }
    float At(const std::string& text, int n, float t0 = 0.0f) { return Eval(text, n, 1e-8f, t0, 1e-6f, context); }
};

TEST_F(FileWaveformTest, FileIsReadOnceAndReusedAfterwards) {
    dir.Write("burst.wtf", "<<TimeFunction>>\n2\n1 3\n");
    // Relative to the model's folder: x = tau/T, w = 1 + 2x.
    EXPECT_EQ(At("File<burst.wtf>,1,2", 0), 2.0f);
    ASSERT_EQ(store.files.size(), 1u);
    EXPECT_EQ(store.files[0].path, dir.Path("burst.wtf"));
    std::filesystem::remove(dir.Path("burst.wtf"));
    EXPECT_NEAR(At("File<burst.wtf>,1,2", 50), 4.0f, 1e-5);
    EXPECT_NEAR(At("File<./burst.wtf>,1,2", 0), 0.0f, 1e-5);  // another path text: another file, now missing
    EXPECT_EQ(store.files.size(), 2u);
    EXPECT_EQ(reports.size(), 1u);
    // An absolute path is used as it is.
    const std::string absolute = dir.Write("abs.wtf", "<<TimeFunction>>\n1\n-0.5\n");
    EXPECT_EQ(At("File<" + absolute + ">", 10), -0.5f);
}

TEST_F(FileWaveformTest, ProblemsAreReportedOnceAtTheFirstStep) {
    for (int n = -5; n < 30; ++n) EXPECT_EQ(At("File<missing.wtf>,1,2", n), 0.0f);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], "Unable to open source signal file '" + dir.Path("missing.wtf") + "'.");

    // Reported at the first step even when the start time lies later.
    reports.clear();
    dir.Write("short.wtf", "<<TimeFunction>>\n5\n1 2 3\n");
    for (int n = 0; n < 30; ++n) EXPECT_EQ(At("File<short.wtf>", n, 2e-7f), 0.0f);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], "Not enough data points in source signal file '" + dir.Path("short.wtf") + "'.");

    reports.clear();
    dir.Write("bad.wtf", "<<Waveform>>\n1\n1\n");
    EXPECT_EQ(At("File<bad.wtf>", 0), 0.0f);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], "Source signal file '" + dir.Path("bad.wtf") + "' has wrong format.");
}

TEST_F(FileWaveformTest, AProblemFirstMetAfterTheFirstStepIsNotReported) {
    EXPECT_EQ(At("File<missing.wtf>", 7), 0.0f);
    EXPECT_TRUE(reports.empty());
    ASSERT_EQ(store.files.size(), 1u);
    EXPECT_EQ(store.files[0].status, WaveformStatus::CannotOpen);
}

TEST_F(FileWaveformTest, ARepairedFileIsReadAgainAfterFailuresAreForgotten) {
    EXPECT_EQ(At("File<late.wtf>", 0), 0.0f);
    dir.Write("late.wtf", "<<TimeFunction>>\n1\n0.25\n");
    EXPECT_EQ(At("File<late.wtf>", 1), 0.0f);  // the failure is kept for this run
    store.ForgetFailedFiles();
    EXPECT_TRUE(store.files.empty());
    EXPECT_EQ(At("File<late.wtf>", 1), 0.25f);
    store.ForgetFailedFiles();  // a good file stays
    EXPECT_EQ(store.files.size(), 1u);
}

// ---------------------------------------------------------------------------
// Memo

TEST(TimeFunctionMemoTest, OneEvaluationPerStepUntilReset) {
    TimeFunctionMemo memo;
    const TimeFunctionSpec first = ParseTimeFunction("Square Pulse,3,2,0,1e-6");
    const TimeFunctionSpec second = ParseTimeFunction("Square Pulse,3,5,0,1e-6");
    EXPECT_EQ(memo.Evaluate(3, 1e-8f, 0.0f, 1e-6f, first, {}), 2.0f);
    // Same step: the cached value, even though another function is asked.
    EXPECT_EQ(memo.Evaluate(3, 1e-8f, 0.0f, 1e-6f, second, {}), 2.0f);
    // Another step (a point with another delay) is evaluated.
    EXPECT_EQ(memo.Evaluate(4, 1e-8f, 0.0f, 1e-6f, second, {}), 5.0f);
    EXPECT_EQ(memo.Evaluate(4, 1e-8f, 0.0f, 1e-6f, first, {}), 5.0f);
    // Reset returns 0 and forgets the step.
    EXPECT_EQ(memo.Reset(), 0.0f);
    EXPECT_EQ(memo.Evaluate(4, 1e-8f, 0.0f, 1e-6f, first, {}), 2.0f);
    // A fresh memo caches nothing, step 0 included.
    TimeFunctionMemo fresh;
    EXPECT_EQ(fresh.Evaluate(0, 1e-8f, 0.0f, 1e-6f, second, {}), 5.0f);
}

}  // namespace
}  // namespace elix

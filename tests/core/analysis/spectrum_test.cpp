// The radix-2 transform against a direct DFT, and the Spectrum Plot's
// sizes, frequencies and amplitudes.
#include "analysis/spectrum.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <random>
#include <vector>

#include "analysis/fft.h"
#include "analysis/plot_data.h"

namespace elix {
namespace {

using Complex = std::complex<double>;

std::vector<Complex> DirectTransform(const std::vector<Complex>& x) {
    const std::size_t n = x.size();
    std::vector<Complex> out(n);
    for (std::size_t k = 0; k < n; ++k)
        for (std::size_t j = 0; j < n; ++j)
            out[k] += x[j] * std::polar(1.0, -2.0 * std::numbers::pi * static_cast<double>(j * k % n) /
                                                 static_cast<double>(n));
    return out;
}

// A curve of n samples f(i) taken every dtSeconds.
template <class F>
PlotCurve Sampled(std::size_t n, double dtSeconds, F f) {
    PlotCurve curve;
    for (std::size_t i = 0; i < n; ++i) {
        curve.x.push_back(static_cast<float>(static_cast<double>(i) * dtSeconds));
        curve.y.push_back(static_cast<float>(f(i)));
    }
    return curve;
}

TEST(FourierTransformTest, MatchesTheDirectSumAndKeepsTheEnergy) {
    std::mt19937 random(12345);
    std::uniform_real_distribution<double> value(-1.0, 1.0);
    for (std::size_t n : {1u, 2u, 4u, 8u, 64u, 256u}) {
        std::vector<Complex> data(n);
        for (Complex& z : data) z = {value(random), value(random)};
        const std::vector<Complex> expected = DirectTransform(data);
        const double tolerance = 1e-9 * static_cast<double>(n);
        double energy = 0.0;
        for (const Complex& z : data) energy += std::norm(z);

        ASSERT_TRUE(FourierTransform(data)) << n;
        double transformedEnergy = 0.0;
        for (std::size_t k = 0; k < n; ++k) {
            EXPECT_NEAR(data[k].real(), expected[k].real(), tolerance) << n << " " << k;
            EXPECT_NEAR(data[k].imag(), expected[k].imag(), tolerance) << n << " " << k;
            transformedEnergy += std::norm(data[k]);
        }
        // Parseval: sum |X|^2 = n sum |x|^2.
        EXPECT_NEAR(transformedEnergy, static_cast<double>(n) * energy, tolerance * energy) << n;
    }
}

TEST(CurveSpectrumTest, HundredPointsGiveSixtyFourFrequenciesAndARepeatedTail) {
    // N = 256, M = 128: 64 spectrum points at multiples of 1 / (128 dt).
    const double dt = 1e-7;  // 0.1 us
    std::mt19937 random(7);
    std::uniform_real_distribution<double> value(-1.0, 1.0);
    PlotCurve curve = Sampled(100, dt, [&](std::size_t) { return value(random); });
    std::vector<Complex> samples(128);
    for (std::size_t i = 0; i < 100; ++i) samples[i] = curve.y[i];
    const std::vector<Complex> expected = DirectTransform(samples);

    CurveSpectrum(curve);
    ASSERT_EQ(curve.PointCount(), 100);
    const double step = 1.0 / (128 * 0.1);  // MHz
    for (std::size_t i = 0; i < 64; ++i) {
        EXPECT_NEAR(curve.x[i], static_cast<double>(i) * step, 1e-5) << i;
        EXPECT_NEAR(curve.y[i], std::abs(expected[i]) * 0.1, 1e-5) << i;
    }
    for (std::size_t i = 64; i < 100; ++i) {
        EXPECT_EQ(curve.x[i], curve.x[63]) << i;
        EXPECT_EQ(curve.y[i], curve.y[63]) << i;
    }
}

TEST(CurveSpectrumTest, APowerOfTwoLengthLeavesItsLastSampleOut) {
    // 128 points: N = 256, M = 128, and only samples 0 .. 126 are used.
    PlotCurve last = Sampled(128, 1e-6, [](std::size_t i) { return i == 127 ? 1.0 : 0.0; });
    CurveSpectrum(last);
    ASSERT_EQ(last.PointCount(), 128);
    for (float y : last.y) EXPECT_EQ(y, 0.0f);

    // An impulse at sample 126 has a flat spectrum |X| = 1, times dt = 1 us.
    PlotCurve used = Sampled(128, 1e-6, [](std::size_t i) { return i == 126 ? 1.0 : 0.0; });
    CurveSpectrum(used);
    for (float y : used.y) EXPECT_NEAR(y, 1.0, 1e-6);
    EXPECT_NEAR(used.x[63], 63 * 2.0 / 256.0, 1e-6);  // just below the Nyquist 0.5 MHz
}

TEST(CurveSpectrumTest, APureTonePeaksAtItsFrequency) {
    // 500 samples at 10 MHz: N = 1024, df = 1 / (1024 x 0.1 us) MHz.
    const double dt = 1e-7;
    const double df = 1.0 / (1024 * 0.1);
    for (double frequency : {0.5, 1.3, 2.77}) {  // MHz
        PlotCurve curve = Sampled(500, dt, [&](std::size_t i) {
            return 3.0 * std::sin(2.0 * std::numbers::pi * frequency * 1e6 * static_cast<double>(i) * dt);
        });
        CurveSpectrum(curve);
        std::size_t peak = 0;
        for (std::size_t i = 0; i < 256; ++i)
            if (curve.y[i] > curve.y[peak]) peak = i;
        EXPECT_LE(std::fabs(curve.x[peak] - frequency), df) << frequency;
        // A tone of amplitude A over n samples sums to A n / 2 on its own
        // frequency; between two spectrum points the nearer one keeps at
        // least 2 / pi of that.
        const double full = 3.0 * 500 / 2 * 0.1;
        EXPECT_GT(curve.y[peak], 0.6 * full) << frequency;
        EXPECT_LT(curve.y[peak], 1.02 * full) << frequency;
    }
}

TEST(CurveSpectrumTest, CurvesWithoutASampleIntervalBecomeEmpty) {
    PlotCurve one = Sampled(1, 1e-6, [](std::size_t) { return 1.0; });
    CurveSpectrum(one);
    EXPECT_EQ(one.PointCount(), 0);
    // Two points: N = 4, M = 2, only y[0] is used; both points repeat it.
    PlotCurve two = Sampled(2, 1e-6, [](std::size_t i) { return i == 0 ? 2.0 : 5.0; });
    CurveSpectrum(two);
    EXPECT_EQ(two.y, (std::vector<float>{2.0f, 2.0f}));
    EXPECT_EQ(two.x, (std::vector<float>{0.0f, 0.0f}));
}

TEST(SpectrumPlotTest, CopiesTheReceiverPlotAndRetitlesIt) {
    CPlotData receivers;
    ASSERT_TRUE(receivers.AllocateCurves(2, 10, 1e-7));
    receivers.SetDisabled(1, true);
    receivers.titles.y = "Amp. ";
    receivers.SetPoint(0.0f, 1.0f, 1, 0);
    CPlotData spectrum;
    MakeSpectrumPlot(receivers, spectrum, "plate");
    EXPECT_EQ(spectrum.titles.main, "plate, Amplitude vs Frequency");
    EXPECT_EQ(spectrum.titles.y, "Amp. ");
    EXPECT_EQ(spectrum.latestX, 1e9f);
    // The disabled curve is transformed too: an impulse of 1 at t = 0 has a
    // flat spectrum of dt = 0.1 us.
    EXPECT_TRUE(spectrum.CurveAt(1)->disabled);
    EXPECT_NEAR(spectrum.CurveAt(1)->y[3], 0.1f, 1e-6);
}

}  // namespace
}  // namespace elix

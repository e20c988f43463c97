// Derived acoustic values of a material, checked against hand computation
// from the physics: elastic wave speeds, impedances, wave lengths and the
// low-loss limit of a viscous solid's attenuation.
#include "model/material_derived.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace elix {
namespace {

// A record made from a density and two wave speeds (mu = rho vT^2,
// lambda = rho vL^2 - 2 mu).
CMaterialProperty FromSpeeds(double rho, double vl, double vt) {
    CMaterialProperty m;
    m.name = "m";
    m.density = static_cast<float>(rho);
    m.mu = static_cast<float>(rho * vt * vt);
    m.lambda = static_cast<float>(rho * vl * vl - 2.0 * rho * vt * vt);
    return m;
}

TEST(MaterialDerivedTest, SteelShowsItsSpeedsImpedanceAndWaveLengths) {
    const CMaterialProperty steel = FromSpeeds(7850.0, 5900.0, 3230.0);
    const MaterialDerivedValues values = DeriveMaterialValues(steel, 1e6);
    EXPECT_FALSE(values.orthotropic);
    EXPECT_NEAR(values.main.vl, 5900.0, 0.01);
    EXPECT_NEAR(values.main.vt, 3230.0, 0.01);
    EXPECT_NEAR(values.main.zl, 46.315e6, 1e2);  // 7850 x 5900 Rayl
    EXPECT_NEAR(values.main.zt, 25.3555e6, 1e2);
    EXPECT_NEAR(values.main.wavelengthL, 5.9e-3, 1e-8);
    EXPECT_NEAR(values.main.wavelengthT, 3.23e-3, 1e-8);

    const std::vector<std::string> texts = MaterialDerivedTexts(values);
    const std::vector<std::string> expected{
        "VL = 5900 (m/s)",
        "VT = 3230 (m/s)",
        "AlphaL = 0 (dB/cm)",
        "AlphaT = 0 (dB/cm)",
        "d(AlphaL)/df = 0 (dB/cm/MHz)",
        "d(AlphaT)/df = 0 (dB/cm/MHz)",
        "ZL = 46.315 (MRayl)",
        "ZT = 25.3555 (MRayl)",
        "L. Wave Length = 5.9 (mm)",
        "T. Wave Length = 3.23 (mm)",
    };
    EXPECT_EQ(texts, expected);
}

TEST(MaterialDerivedTest, WithoutDampingTheSpeedIsTheElasticOneAndNothingAttenuates) {
    CMaterialProperty m;
    m.density = 2700.0f;
    m.lambda = 5.1e10f;
    m.mu = 2.6e10f;
    m.eta = 50.0f;  // viscosities without damping take no part
    m.chi = 20.0f;
    const WaveValues v = DeriveMaterialValues(m, 5e6).main;
    // The record's float values, by hand.
    EXPECT_NEAR(v.vl, std::sqrt((static_cast<double>(m.lambda) + 2.0 * m.mu) / m.density), 1e-9);
    EXPECT_NEAR(v.vt, std::sqrt(static_cast<double>(m.mu) / m.density), 1e-9);
    EXPECT_EQ(v.alphaL, 0.0);
    EXPECT_EQ(v.alphaT, 0.0);
    EXPECT_EQ(v.alphaLSlope, 0.0);
    EXPECT_EQ(v.alphaTSlope, 0.0);
}

TEST(MaterialDerivedTest, AFluidHasNoTransverseWave) {
    const CMaterialProperty water = FromSpeeds(998.0, 1483.0, 0.0);
    const MaterialDerivedValues values = DeriveMaterialValues(water, 1e6);
    EXPECT_EQ(values.main.vt, 0.0);
    EXPECT_EQ(values.main.wavelengthT, 0.0);
    EXPECT_EQ(values.main.zt, 0.0);
    EXPECT_NEAR(values.main.zl, 998.0 * 1483.0, 1.0);
    const std::vector<std::string> texts = MaterialDerivedTexts(values);
    EXPECT_EQ(texts[1], "VT = 0 (m/s)");
    EXPECT_EQ(texts[9], "T. Wave Length = 0 (mm)");
}

// In the low-loss limit (w B << A) a Kelvin-Voigt solid attenuates by
// alpha = w^2 B' / (2 rho v^3) Np/m, B' the viscosity of the mode
// (chi + 2 eta longitudinal, eta transverse): positive and growing as f^2,
// so d(alpha)/df = 2 alpha / f.
TEST(MaterialDerivedTest, DampingAttenuatesAsTheSquareOfTheFrequency) {
    CMaterialProperty m = FromSpeeds(7850.0, 5900.0, 3230.0);
    m.damping = 1;
    m.eta = 2.0f;
    m.chi = 1.0f;
    const double f = 2e6;
    const double w = 2.0 * std::numbers::pi * f;
    const WaveValues v = DeriveMaterialValues(m, f).main;
    const double vl = std::sqrt((static_cast<double>(m.lambda) + 2.0 * m.mu) / m.density);
    const double vt = std::sqrt(static_cast<double>(m.mu) / m.density);
    const double alphaL = kNeperToDecibel * w * w * (1.0 + 2.0 * 2.0) / (2.0 * 7850.0 * vl * vl * vl);
    const double alphaT = kNeperToDecibel * w * w * 2.0 / (2.0 * 7850.0 * vt * vt * vt);
    EXPECT_GT(v.alphaL, 0.0);
    EXPECT_GT(v.alphaT, 0.0);
    EXPECT_NEAR(v.alphaL, alphaL, alphaL * 1e-6);
    EXPECT_NEAR(v.alphaT, alphaT, alphaT * 1e-6);
    EXPECT_NEAR(v.alphaLSlope, 2.0 * alphaL / f, 2.0 * alphaL / f * 2e-3);
    EXPECT_NEAR(v.alphaTSlope, 2.0 * alphaT / f, 2.0 * alphaT / f * 2e-3);
    // Doubling the frequency gives four times the attenuation.
    const WaveValues twice = DeriveMaterialValues(m, 2.0 * f).main;
    EXPECT_NEAR(twice.alphaL / v.alphaL, 4.0, 1e-4);
    // The velocities barely move from the elastic ones.
    EXPECT_NEAR(v.vl, vl, vl * 1e-6);
}

TEST(MaterialDerivedTest, StrongDampingFollowsTheExactFormula) {
    // A = 1, B = w (chi + 2 eta) = 1 at f = 1/(2 pi): M = sqrt 2, and
    // v = sqrt(2 M^2 / (rho (M + A))), alpha = K (w / sqrt 2) sqrt(rho / M^2) B / sqrt(M + A).
    CMaterialProperty m;
    m.density = 1.0f;
    m.lambda = 1.0f;
    m.mu = 0.0f;
    m.chi = 1.0f;
    m.damping = 1;
    const double f = 1.0 / (2.0 * std::numbers::pi);
    const WaveValues v = DeriveMaterialValues(m, f).main;
    const double root2 = std::numbers::sqrt2;
    EXPECT_NEAR(v.vl, std::sqrt(4.0 / (root2 + 1.0)), 1e-12);
    EXPECT_NEAR(v.alphaL, kNeperToDecibel / root2 / root2 / std::sqrt(root2 + 1.0), 1e-12);
    EXPECT_EQ(v.vt, 0.0);  // no shear stiffness and no shear viscosity
}

TEST(MaterialDerivedTest, OrthotropicRecordsShowTheMeanAndBothInPlaneDirections) {
    CMaterialProperty m;
    m.density = 1000.0f;
    m.orthotropic = 1;
    // C22 = 4e9, C33 = 16e9, C44 = 1e9 (all exact in float).
    m.c = {9e9f, 1e9f, 1e9f, 4e9f, 1e9f, 16e9f, 1e9f, 1e9f, 1e9f};
    const MaterialDerivedValues values = DeriveMaterialValues(m, 1e6);
    ASSERT_TRUE(values.orthotropic);
    // lambda + 2 mu is (C22 + C33)/2, C22 and C33 for the three variants.
    EXPECT_NEAR(values.main.vl, std::sqrt(10e9 / 1000.0), 1e-9);
    EXPECT_NEAR(values.alongX.vl, 2000.0, 1e-9);
    EXPECT_NEAR(values.alongY.vl, 4000.0, 1e-9);
    EXPECT_NEAR(values.main.vt, 1000.0, 1e-9);
    const std::vector<std::string> texts = MaterialDerivedTexts(values);
    EXPECT_EQ(texts[0], "VL = 3162.28 (2000, 4000)(m/s)");
    EXPECT_EQ(texts[1], "VT = 1000 (m/s)");
    EXPECT_EQ(texts[6], "ZL = 3.16228 (2, 4)(MRayl)");
    EXPECT_EQ(texts[7], "ZT = 1 (MRayl)");
    EXPECT_EQ(texts[8], "L. Wave Length = 3.16228 (2, 4)(mm)");
    EXPECT_EQ(texts[9], "T. Wave Length = 1 (mm)");
}

TEST(MaterialDerivedTest, DegenerateRecordsAndFrequenciesGiveZerosNotNumbersOfNothing) {
    CMaterialProperty empty;  // lambda 1, mu 0, density 1
    empty.lambda = 0.0f;
    empty.density = 0.0f;
    for (double f : {0.0, -1.0, 1e6}) {
        const WaveValues v = DeriveMaterialValues(empty, f).main;
        EXPECT_EQ(v.vl, 0.0);
        EXPECT_EQ(v.alphaL, 0.0);
        EXPECT_EQ(v.wavelengthL, 0.0);
    }
    const CMaterialProperty steel = FromSpeeds(7850.0, 5900.0, 3230.0);
    const WaveValues atZero = DeriveMaterialValues(steel, 0.0).main;
    EXPECT_EQ(atZero.wavelengthL, 0.0);
    EXPECT_EQ(atZero.alphaLSlope, 0.0);
    // A wave length below 1e-6 mm shows as 0.
    EXPECT_EQ(ShownWavelengthMm(5.9e-17), 0.0);
    EXPECT_DOUBLE_EQ(ShownWavelengthMm(2e-9), 2e-6);
    EXPECT_EQ(MaterialDerivedTexts(DeriveMaterialValues(steel, 1e20))[8], "L. Wave Length = 0 (mm)");
}

}  // namespace
}  // namespace elix

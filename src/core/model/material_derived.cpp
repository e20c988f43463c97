#include "model/material_derived.h"

#include <cmath>
#include <numbers>

#include "platform/text_format.h"

namespace elix {
namespace {

// Phase velocity and attenuation of a plane wave in a medium of density rho
// whose modulus is A + iB (A the elastic stiffness, B = w times the
// viscosity), M = |A + iB|:
//   v     = sqrt(M^2 / rho) sqrt(2) / sqrt(M + A)               m/s
//   alpha = K (w / sqrt 2) sqrt(rho / M^2) B / sqrt(M + A)      dB/m
// A medium without stiffness or density (M + A <= 0, rho <= 0) carries no
// wave: both are 0 instead of a division by zero.
PhaseValues Phase(double density, double a, double b, double omega) {
    PhaseValues values;
    const double m = std::sqrt(a * a + b * b);
    if (density <= 0.0 || m + a <= 0.0 || m <= 0.0) return values;
    const double root = std::sqrt(m + a);
    values.velocity = std::sqrt(m * m / density) * std::numbers::sqrt2 / root;
    values.attenuation = kNeperToDecibel * (omega / std::numbers::sqrt2) * std::sqrt(density / (m * m)) * b / root;
    return values;
}

double AngularFrequency(bool damping, double frequency) { return damping ? 2.0 * std::numbers::pi * frequency : 0.0; }

// The attenuations alone at frequency f, for the slopes.
struct Attenuations {
    double l, t;
};
Attenuations AttenuationsAt(double density, double lambda, double mu, double eta, double chi, bool damping,
                            double frequency) {
    const double omega = AngularFrequency(damping, frequency);
    return {LongitudinalPhase(density, lambda, mu, eta, chi, omega).attenuation,
            TransversePhase(density, mu, eta, omega).attenuation};
}

double WaveLength(double velocity, double frequency) { return frequency > 0.0 ? velocity / frequency : 0.0; }

// Shown units: dB/m -> dB/cm, dB/m/Hz -> dB/cm/MHz, Rayl -> MRayl.
constexpr double kPerCm = 0.01;
constexpr double kPerCmPerMHz = 0.01 * 1e6;
constexpr double kMRayl = 1e-6;

}  // namespace

PhaseValues LongitudinalPhase(double density, double lambda, double mu, double eta, double chi, double omega) {
    // A = lambda + 2 mu, B = w (chi + 2 eta).
    return Phase(density, lambda + 2.0 * mu, omega * (chi + 2.0 * eta), omega);
}

PhaseValues TransversePhase(double density, double mu, double eta, double omega) {
    // A = mu, B = w eta. Without stiffness and without viscous loss there
    // is no transverse wave (a fluid); without loss there is no attenuation.
    const double b = omega * eta;
    if (mu <= 0.0 && b <= 0.0) return {};
    PhaseValues values = Phase(density, mu, b, omega);
    if (b <= 0.0) values.attenuation = 0.0;
    return values;
}

WaveValues ComputeWaveValues(double density, double lambda, double mu, double eta, double chi, bool damping,
                             double frequency) {
    WaveValues v;
    const double omega = AngularFrequency(damping, frequency);
    const PhaseValues l = LongitudinalPhase(density, lambda, mu, eta, chi, omega);
    const PhaseValues t = TransversePhase(density, mu, eta, omega);
    v.vl = l.velocity;
    v.vt = t.velocity;
    v.alphaL = l.attenuation;
    v.alphaT = t.attenuation;
    // Forward difference over 0.1 % of the frequency.
    if (frequency > 0.0) {
        const Attenuations next = AttenuationsAt(density, lambda, mu, eta, chi, damping, 1.001 * frequency);
        v.alphaLSlope = (next.l - v.alphaL) / (0.001 * frequency);
        v.alphaTSlope = (next.t - v.alphaT) / (0.001 * frequency);
    }
    v.zl = density * v.vl;
    v.zt = density * v.vt;
    v.wavelengthL = WaveLength(v.vl, frequency);
    v.wavelengthT = WaveLength(v.vt, frequency);
    return v;
}

MaterialDerivedValues DeriveMaterialValues(const CMaterialProperty& material, double frequency) {
    MaterialDerivedValues values;
    const double rho = material.density;
    const double eta = material.eta;
    const double chi = material.chi;
    const bool damping = material.damping != 0;
    if (material.orthotropic == 0) {
        values.main = ComputeWaveValues(rho, material.lambda, material.mu, eta, chi, damping, frequency);
        return values;
    }
    // C holds C11, C12, C13, C22, C23, C33, C44, C55, C66; the image plane
    // is the 2-3 plane, so C22 is the stiffness along x and C33 along y.
    const double c22 = material.c[3];
    const double c33 = material.c[5];
    const double c44 = material.c[6];
    values.orthotropic = true;
    values.main = ComputeWaveValues(rho, (c22 + c33) / 2.0 - 2.0 * c44, c44, eta, chi, damping, frequency);
    values.alongX = ComputeWaveValues(rho, c22 - 2.0 * c44, c44, eta, chi, damping, frequency);
    values.alongY = ComputeWaveValues(rho, c33 - 2.0 * c44, c44, eta, chi, damping, frequency);
    return values;
}

double ShownWavelengthMm(double wavelengthMetres) {
    const double mm = wavelengthMetres * 1000.0;
    return mm < 1e-6 ? 0.0 : mm;
}

std::vector<std::string> MaterialDerivedTexts(const MaterialDerivedValues& values) {
    const WaveValues& m = values.main;
    const double lengthL = ShownWavelengthMm(m.wavelengthL);
    const double lengthT = ShownWavelengthMm(m.wavelengthT);
    std::vector<std::string> lines;
    if (values.orthotropic) {
        const WaveValues& x = values.alongX;
        const WaveValues& y = values.alongY;
        lines.push_back(Format("VL = %g (%g, %g)(m/s)", m.vl, x.vl, y.vl));
    } else {
        lines.push_back(Format("VL = %g (m/s)", m.vl));
    }
    lines.push_back(Format("VT = %g (m/s)", m.vt));
    lines.push_back(Format("AlphaL = %g (dB/cm)", m.alphaL * kPerCm));
    lines.push_back(Format("AlphaT = %g (dB/cm)", m.alphaT * kPerCm));
    lines.push_back(Format("d(AlphaL)/df = %g (dB/cm/MHz)", m.alphaLSlope * kPerCmPerMHz));
    lines.push_back(Format("d(AlphaT)/df = %g (dB/cm/MHz)", m.alphaTSlope * kPerCmPerMHz));
    if (values.orthotropic) {
        const WaveValues& x = values.alongX;
        const WaveValues& y = values.alongY;
        lines.push_back(Format("ZL = %g (%g, %g)(MRayl)", m.zl * kMRayl, x.zl * kMRayl, y.zl * kMRayl));
        lines.push_back(Format("ZT = %g (MRayl)", m.zt * kMRayl));
        lines.push_back(Format("L. Wave Length = %g (%g, %g)(mm)", lengthL, ShownWavelengthMm(x.wavelengthL),
                               ShownWavelengthMm(y.wavelengthL)));
    } else {
        lines.push_back(Format("ZL = %g (MRayl)", m.zl * kMRayl));
        lines.push_back(Format("ZT = %g (MRayl)", m.zt * kMRayl));
        lines.push_back(Format("L. Wave Length = %g (mm)", lengthL));
    }
    lines.push_back(Format("T. Wave Length = %g (mm)", lengthT));
    return lines;
}

}  // namespace elix

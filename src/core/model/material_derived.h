// Acoustic quantities derived from a material record at one frequency:
// phase velocities, attenuations and their slopes, impedances and wave
// lengths of the longitudinal and transverse waves. The material editor
// shows them; nothing of this is stored in the record.
//
// The medium is a viscous solid (Kelvin-Voigt): the complex moduli are
// lambda + 2 mu + i w (chi + 2 eta) for the longitudinal wave and
// mu + i w eta for the transverse wave. For a modulus A + iB with
// M = |A + iB| the phase velocity is sqrt(2 M^2 / (rho (M + A))) and the
// attenuation sqrt(rho / M^2) (w / sqrt 2) B / sqrt(M + A) Np/m, shown in dB.
#pragma once

#include <string>
#include <vector>

#include "model/material_property.h"

namespace elix {

// 20 / ln 10: nepers to decibels.
inline constexpr double kNeperToDecibel = 8.685889;

// The quantities of one wave pair, SI units.
struct WaveValues {
    double vl = 0.0;              // longitudinal phase velocity, m/s
    double vt = 0.0;              // transverse phase velocity, m/s
    double alphaL = 0.0;          // longitudinal attenuation, dB/m
    double alphaT = 0.0;          // transverse attenuation, dB/m
    double alphaLSlope = 0.0;     // d(alphaL)/df, dB/m/Hz
    double alphaTSlope = 0.0;     // d(alphaT)/df, dB/m/Hz
    double zl = 0.0;              // longitudinal impedance rho vl, Rayl (kg/m^2/s)
    double zt = 0.0;              // transverse impedance rho vt, Rayl
    double wavelengthL = 0.0;     // vl / f, m (0 when f <= 0)
    double wavelengthT = 0.0;     // vt / f, m
};

// Velocity and attenuation of a wave whose modulus is stiffness + i w
// viscosity, at angular frequency omega (0: no damping).
struct PhaseValues {
    double velocity = 0.0;     // m/s
    double attenuation = 0.0;  // dB/m
};
PhaseValues LongitudinalPhase(double density, double lambda, double mu, double eta, double chi, double omega);
PhaseValues TransversePhase(double density, double mu, double eta, double omega);

// All values of an isotropic medium at frequency f (Hz). With damping off
// the angular frequency is taken as 0, so the velocities are the elastic
// ones and every attenuation is 0.
WaveValues ComputeWaveValues(double density, double lambda, double mu, double eta, double chi, bool damping,
                             double frequency);

// The values the material editor shows for one record. An orthotropic
// record is shown with mu = C44 and lambda = (C22 + C33)/2 - 2 C44 (the mean
// of the two in-plane directions); its longitudinal values are also given
// for lambda2 = C22 - 2 C44 (along x) and lambda3 = C33 - 2 C44 (along y).
struct MaterialDerivedValues {
    bool orthotropic = false;
    WaveValues main;
    WaveValues alongX;  // lambda2 values (orthotropic only)
    WaveValues alongY;  // lambda3 values (orthotropic only)
};
MaterialDerivedValues DeriveMaterialValues(const CMaterialProperty& material, double frequency);

// The ten lines of the editor, in its order: VL, VT, AlphaL, AlphaT, the two
// slopes, ZL, ZT, L. and T. wave length; attenuations in dB/cm, slopes in
// dB/cm/MHz, impedances in MRayl, wave lengths in mm (a wave length below
// 1e-6 mm shows as 0). Orthotropic records add the lambda2 and lambda3
// values in parentheses to VL, ZL and the L. wave length.
std::vector<std::string> MaterialDerivedTexts(const MaterialDerivedValues& values);

// The wave length as shown: metres to millimetres, below 1e-6 mm as 0.
double ShownWavelengthMm(double wavelengthMetres);

}  // namespace elix

// From the model to the grid's dimensions: the phase velocities of the
// materials in use, the cell size, the stable time step, the grid size and
// the per-material Courant numbers.
#pragma once

#include <string>
#include <vector>

#include "model/material_property.h"

namespace elix {

class CElixDoc;

// Phase velocities (m/s) of a Kelvin-Voigt material at frequency f (Hz):
// vL = sqrt(2/rho) |M| / sqrt(|M| + Re M) with M = (lambda + 2 mu) + i w (chi + 2 eta),
// vT likewise with Mt = mu + i w eta (0 when mu and w eta are not positive),
// w = 2 pi f for a damped material and 0 otherwise. Orthotropic materials
// use lambda = (C22 + C33)/2 - 2 C44 and mu = C44.
struct PhaseVelocities {
    double vL = 0.0;
    double vT = 0.0;
};
PhaseVelocities PhaseVelocitiesAt(const CMaterialProperty& material, double frequency);

// The derived run values, rebuilt before every run.
struct CRunGeometry {
    double dt = 0.0;  // s
    double hx = 0.0;  // m
    double hy = 0.0;  // m
    int nx = 0;       // cells along x
    int ny = 0;       // cells along y
    int totalSteps = 0;
    double minWaveLengthL = 0.0;  // m
    double minWaveLengthT = 0.0;  // m
    double pixelsPerCellX = 0.0;
    double pixelsPerCellY = 0.0;
    // Per material of the list: in use (its gray level is in the image),
    // velocities at MaxFreq and Courant numbers.
    std::vector<bool> inUse;
    std::vector<double> vL, vT, cL, cT;
    std::string report;
};

// The time-step rule (the source and receiver array checks of a run come
// after it, from the run preparation). False with the message in
// error when the model has no image or no material, a pixel has no
// material, or the time step is not positive.
bool ComputeRunGeometry(const CElixDoc& doc, CRunGeometry& geometry, std::string& error);

// The text of the Job Parameters dialog's "WaveLength" button.
std::string WaveLengthText(const CRunGeometry& geometry, double maxFreq);

}  // namespace elix

#include "engine/time_step.h"

#include <cmath>
#include <complex>
#include <limits>

#include "model/elix_doc.h"
#include "platform/text_format.h"

namespace elix {
namespace {

// The program's value of pi, kept as the float it always was.
constexpr float kPi = 3.1415925f;

double VelocityOf(double modulus, double viscousPart, double rho) {
    const std::complex<double> m(modulus, viscousPart);
    const double magnitude = std::abs(m);
    return std::sqrt(2.0 / rho) * magnitude / std::sqrt(magnitude + m.real());
}

}  // namespace

PhaseVelocities PhaseVelocitiesAt(const CMaterialProperty& material, double frequency) {
    const double w = material.damping ? 2.0 * static_cast<double>(kPi) * frequency : 0.0;
    double lambda = material.lambda, mu = material.mu;
    if (material.orthotropic) {
        lambda = (static_cast<double>(material.c[3]) + material.c[5]) / 2.0 - 2.0 * material.c[6];
        mu = material.c[6];
    }
    PhaseVelocities v;
    v.vL = VelocityOf(lambda + 2.0 * mu, w * (static_cast<double>(material.chi) + 2.0 * material.eta), material.density);
    const double shearViscous = w * material.eta;
    v.vT = (mu <= 0.0 && shearViscous <= 0.0) ? 0.0 : VelocityOf(mu, shearViscous, material.density);
    return v;
}

bool ComputeRunGeometry(const CElixDoc& doc, CRunGeometry& g, std::string& error) {
    g = CRunGeometry{};
    const CGeometryImage& image = doc.image;
    const auto& materials = doc.Materials();
    if (!image.HasRows()) {
        error =
            "No Image Loaded! Please use 'Load Geometry' command under Elix -> Geometry menu to load an image"
            " or use 'Create Image' command under Elix -> Geometry menu to create a new one.";
        return false;
    }
    if (materials.Count() < 1) {
        error =
            "Error: No material property is defined!. Please use 'Material Property' command under Elix menu to add "
            "materials.";
        return false;
    }

    // Gray level -> first material of that level; and which levels occur.
    int materialOfGray[256];
    for (int& m : materialOfGray) m = -1;
    for (int k = materials.Count() - 1; k >= 0; --k)
        if (materials[k].grayLevel < 255) materialOfGray[materials[k].grayLevel] = k;
    bool grayPresent[256] = {};
    for (int y = 0; y < image.ImageHeight; ++y) {
        const auto& row = image.Rows[static_cast<std::size_t>(y)];
        for (int x = 0; x < image.ImageWidth; ++x) {
            const std::uint8_t gray = row[static_cast<std::size_t>(x)];
            if (gray < 255 && materialOfGray[gray] < 0) {
                error = Format("Error: Gray level: %d (%d,%d) ", gray, x, y) + "has no material property! " +
                        "Please use 'Material Property' command under Elix menu to add materials, " +
                        "or use 'Replace Pixel Value' command under Tool menu to change gray level.";
                return false;
            }
            grayPresent[gray] = true;
        }
    }

    const int count = materials.Count();
    const double maxFreq = doc.job.MaxFreq;
    g.inUse.assign(static_cast<std::size_t>(count), false);
    g.vL.assign(static_cast<std::size_t>(count), 0.0);
    g.vT.assign(static_cast<std::size_t>(count), 0.0);
    g.cL.assign(static_cast<std::size_t>(count), 0.0);
    g.cT.assign(static_cast<std::size_t>(count), 0.0);
    double minL = std::numeric_limits<double>::max(), minT = std::numeric_limits<double>::max(), maxT = 0.0;
    double maxL40 = 0.0, maxT40 = 0.0;
    for (int k = 0; k < count; ++k) {
        const CMaterialProperty& m = materials[k];
        const auto u = static_cast<std::size_t>(k);
        g.inUse[u] = m.grayLevel < 255 && grayPresent[m.grayLevel] && materialOfGray[m.grayLevel] == k;
        if (!g.inUse[u]) continue;
        const PhaseVelocities v = PhaseVelocitiesAt(m, maxFreq);
        g.vL[u] = v.vL;
        g.vT[u] = v.vT;
        minL = std::min(minL, v.vL);
        if (v.vT > 0.0) minT = std::min(minT, v.vT);
        maxT = std::max(maxT, v.vT);
        const PhaseVelocities high = PhaseVelocitiesAt(m, 40.0 * maxFreq);
        maxL40 = std::max(maxL40, high.vL);
        maxT40 = std::max(maxT40, high.vT);
    }
    if (maxT <= minT) minT = maxT;
    if (minL == std::numeric_limits<double>::max()) minL = 0.0;
    g.minWaveLengthL = maxFreq > 0.0 ? minL / maxFreq : 0.0;
    g.minWaveLengthT = maxFreq > 0.0 ? minT / maxFreq : 0.0;

    g.hx = g.hy = static_cast<double>(doc.job.MinWaveLength) / doc.job.PointPerCycle;
    g.dt = g.hx / std::sqrt(maxL40 * maxL40 + maxT40 * maxT40) * 0.95 * doc.job.TimeStepScale;
    g.pixelsPerCellX = g.hx / (0.0254 / image.ResolutionX);
    g.pixelsPerCellY = g.hy / (0.0254 / image.ResolutionY);
    const double nx = std::trunc(image.ImageWidth / g.pixelsPerCellX + 0.5);
    const double ny = std::trunc(image.ImageHeight / g.pixelsPerCellY + 0.5);
    g.nx = std::isfinite(nx) && nx < 1e9 ? static_cast<int>(nx) : 0;
    g.ny = std::isfinite(ny) && ny < 1e9 ? static_cast<int>(ny) : 0;
    for (std::size_t k = 0; k < g.inUse.size(); ++k) {
        if (!g.inUse[k]) continue;
        g.cL[k] = g.dt / (g.vL[k] > 0.0 ? g.hx / g.vL[k] : 1e10);
        g.cT[k] = g.dt / (g.vT[k] > 0.0 ? g.hx / g.vT[k] : 1e10);
    }
    // A time step that is zero, negative or not a number (no cell size, no
    // wave speed) cannot be run.
    if (!(g.dt > 0.0) || !std::isfinite(g.dt)) {
        error = "Time increament = 0";
        return false;
    }
    const double steps = std::trunc(doc.job.Duration / g.dt + 0.5);
    g.totalSteps = steps > 0.0 && steps < 2e9 ? static_cast<int>(steps) : 0;
    g.report = Format(
        "hx = %.4f(mm)\nhy = %.4f(mm)\ndt = %.4f(us)\nWidth  = %d or %.4f(mm)\nHeight = %d or %.4f(mm)\n"
        "Total Step = %d (%.4fus)\n",
        g.hx * 1e3, g.hy * 1e3, g.dt * 1e6, g.nx, g.nx * g.hx * 1e3, g.ny, g.ny * g.hy * 1e3, g.totalSteps,
        doc.job.Duration * 1e6);
    return true;
}

std::string WaveLengthText(const CRunGeometry& geometry, double maxFreq) {
    return Format("Min T Wave Length = %.4f(mm)\nMin L Wave Length = %.4f(mm)\n(at frequency = %g MHz)",
                  geometry.minWaveLengthT * 1e3, geometry.minWaveLengthL * 1e3, maxFreq * 1e-6);
}

}  // namespace elix

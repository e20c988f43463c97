// Models and measurements shared by the physics validation tests: plane-wave
// columns and half-spaces built in memory, run through the real run loop,
// and the arrival-time and amplitude picking applied to the receiver curves.
//
// Units: metres, seconds, kg/m^3, m/s. A receiver curve holds one sample per
// step (index = step), recorded after the step, so sample k is the field at
// t = (k + 1) dt; only differences of arrival times are used, so that offset
// cancels.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/engine/engine_test_support.h"
#include "engine/run.h"
#include "model/elix_doc.h"
#include "platform/text_format.h"
#include "support/scripted_ui.h"

namespace elix::test::physics {

inline constexpr double kPi = 3.14159265358979323846;

// Grid refinement of the validation runs: 1 in the test suite (small grids,
// fast under the sanitizers too); scripts/validate.sh sets
// ELASTRIX_VALIDATION_SCALE to run the same checks on finer grids.
inline int ResolutionScale() {
    const char* text = std::getenv("ELASTRIX_VALIDATION_SCALE");
    const int scale = text ? std::atoi(text) : 1;
    return scale >= 1 && scale <= 16 ? scale : 1;
}

// Prints one measurement, so that a validation run leaves its numbers in the
// log.
inline void Report(const std::string& what, double measured, double expected, double tolerance) {
    std::printf("[physics] %-48s measured %.6g  analytic %.6g  tolerance %.3g  (scale %d)\n", what.c_str(), measured,
                expected, tolerance, ResolutionScale());
}

// One horizontal band of material of a column model, from the top down.
struct Layer {
    CMaterialProperty material;
    double thickness = 0.0;  // m
};

// What excites a model: a sine burst under a Gaussian envelope,
// A sin(2 pi f tau) exp(-((tau - T/2)/a)^2) for tau < T = cycles/f, with
// a = T/5 (the envelope is 0.2 % of its peak at both ends, so the burst
// starts and stops smoothly and its spectrum is centred on f).
struct Burst {
    double frequency = 1e6;  // Hz
    double cycles = 3.0;
    double Duration() const { return cycles / frequency; }
    std::string TimeFunction() const { return Format("Sine Gaussian Pulse,3,1,%g,%g", frequency, Duration() / 5.0); }
};

inline double ImpedanceOf(const CMaterialProperty& m) {
    return std::sqrt(static_cast<double>(m.density) * (m.lambda + 2.0 * m.mu));
}
inline double LongitudinalSpeed(const CMaterialProperty& m) {
    return std::sqrt((static_cast<double>(m.lambda) + 2.0 * m.mu) / m.density);
}
inline double ShearSpeed(const CMaterialProperty& m) {
    return std::sqrt(static_cast<double>(m.mu) / m.density);
}

// A model of widthCells x (sum of layers) cells at one pixel per cell:
// cell size h, so nx = widthCells and the layer bands fall on cell rows.
inline void SetLayeredImage(CElixDoc& doc, double h, int widthCells, const std::vector<Layer>& layers) {
    int rows = 0;
    std::vector<int> bandRows;
    for (const Layer& layer : layers) {
        bandRows.push_back(static_cast<int>(std::lround(layer.thickness / h)));
        rows += bandRows.back();
    }
    SetImage(doc, widthCells, rows, layers.front().material.grayLevel, 1e-3 / h);
    int row = 0;
    for (std::size_t k = 0; k < layers.size(); ++k) {
        doc.AddItem(layers[k].material);
        for (int r = 0; r < bandRows[k]; ++r, ++row)
            doc.image.Rows[static_cast<std::size_t>(row)].assign(static_cast<std::size_t>(widthCells),
                                                                 layers[k].material.grayLevel);
    }
    // Cell size h: ten cells per resolving wavelength of 10 h.
    doc.job.PointPerCycle = 10;
    doc.job.MinWaveLength = static_cast<float>(10.0 * h);
    doc.job.DispFreq = 0;
}

// A source on the top face from x1 to x2 driving the burst normal to the
// face (longitudinal) or along it (shear).
inline void AddTopSource(CElixDoc& doc, double x1, double x2, const Burst& burst, bool shear) {
    CSource source;
    source.name = "Tx";
    source.x1 = static_cast<float>(x1);
    source.x2 = static_cast<float>(x2);
    source.y1 = source.y2 = 0.0f;
    source.longitudinalMode = shear ? 0 : 1;
    source.shearMode = shear ? 1 : 0;
    source.longitudinalTimeFunction = source.shearTimeFunction = burst.TimeFunction();
    source.longitudinalDuration = source.shearDuration = static_cast<float>(burst.Duration());
    ASSERT_TRUE(doc.AddItem(source)) << doc.MessageText();
}

// A receiver along y = depth from x1 to x2 recording its averaged L (normal
// to the segment, here -V) and T (here U) values; data type 0 displacement,
// 3 normal and shear stress.
inline void AddReceiver(CElixDoc& doc, const std::string& name, double x1, double x2, double depth,
                        std::uint8_t dataType) {
    CReceiver receiver;
    receiver.name = name;
    receiver.outputFile.clear();
    receiver.x1 = static_cast<float>(x1);
    receiver.x2 = static_cast<float>(x2);
    receiver.y1 = receiver.y2 = static_cast<float>(depth);
    receiver.dataType = dataType;
    ASSERT_TRUE(doc.AddItem(receiver)) << doc.MessageText();
}

// Rollers on the left and right faces: the displacement normal to the face
// (U, for a longitudinal plane wave) or along it (V, for a shear plane wave)
// held at zero. Either way a plane wave travelling down the column meets no
// lateral free surface and stays exactly one-dimensional.
inline void AddRollerSides(CElixDoc& doc, double width, double height, bool shear) {
    for (double x : {0.0, width}) {
        CBoundaryCondition side;
        side.name = x == 0.0 ? "Left" : "Right";
        side.x1 = side.x2 = static_cast<float>(x);
        side.y1 = 0.0f;
        side.y2 = static_cast<float>(height);
        side.longitudinalFixed = shear ? 0 : 1;
        side.shearFixed = shear ? 1 : 0;
        side.longitudinalSignalName = side.shearSignalName = "Zero";
        side.activeInDurationOnly = 0;
        ASSERT_TRUE(doc.AddItem(side)) << doc.MessageText();
    }
}

// A plane-wave column: layers from the top, the burst driven across the
// whole top face, rollers on both sides, one full-width receiver per depth
// and, by default, an absorbing bottom.
struct ColumnModel {
    double cellSize = 0.0;  // m
    int widthCells = 4;
    std::vector<Layer> layers;
    Burst burst;
    bool shear = false;
    std::vector<double> receiverDepths;  // m
    std::uint8_t dataType = 0;
    std::uint8_t absorbingSides = 2;  // bottom
    double duration = 0.0;            // s
};

inline void BuildColumn(CElixDoc& doc, const ColumnModel& model) {
    const double h = model.cellSize;
    const double width = model.widthCells * h;
    SetLayeredImage(doc, h, model.widthCells, model.layers);
    const double height = doc.image.ImageHeight * h;
    AddTopSource(doc, 0.0, width, model.burst, model.shear);
    AddRollerSides(doc, width, height, model.shear);
    for (std::size_t k = 0; k < model.receiverDepths.size(); ++k)
        AddReceiver(doc, "R" + std::to_string(k), 0.0, width, model.receiverDepths[k], model.dataType);
    doc.job.InfiniteBCIndex = model.absorbingSides;
    doc.job.Duration = static_cast<float>(model.duration);
}

// The averaged L and T curves of every receiver after a run.
struct Recording {
    double dt = 0.0;
    std::vector<std::vector<float>> L, T;
};

class SilentMonitor : public IRunMonitor {
public:
    void Progress(int, int, const std::string&) override {}
};

// Runs doc to its end; the curves of its receivers, in the order added.
inline Recording RunAndRecord(CElixDoc& doc) {
    ScriptedUserInterface ui;
    doc.SetUserInterface(&ui);
    SilentMonitor monitor;
    const RunOutcome outcome = Run(doc, monitor);
    doc.SetUserInterface(nullptr);
    Recording recording;
    EXPECT_EQ(outcome, RunOutcome::Finished) << doc.MessageText();
    const auto& curves = doc.plotData[kReceiverPlot].Curves();
    const int receivers = doc.Receivers().Count();
    if (outcome != RunOutcome::Finished || curves.size() < 2 * static_cast<std::size_t>(receivers)) return recording;
    const std::vector<float>& x = curves.front().x;
    if (x.size() > 1) recording.dt = static_cast<double>(x.back()) / static_cast<double>(x.size() - 1);
    for (int r = 0; r < receivers; ++r) {
        recording.L.push_back(curves[2 * static_cast<std::size_t>(r)].y);
        recording.T.push_back(curves[2 * static_cast<std::size_t>(r) + 1].y);
    }
    return recording;
}

// The Fourier coefficient at frequency f of the samples between times t0
// and t1 (all of them by default): sum_k s_k exp(-i 2 pi f k dt).
inline std::complex<double> FourierAt(const std::vector<float>& s, double dt, double f, double t0 = 0.0,
                                      double t1 = HUGE_VAL) {
    std::complex<double> sum = 0.0;
    for (std::size_t k = 0; k < s.size(); ++k) {
        const double t = static_cast<double>(k) * dt;
        if (t >= t0 && t <= t1) sum += static_cast<double>(s[k]) * std::polar(1.0, -2.0 * kPi * f * t);
    }
    return sum;
}

// How much later b carries the signal of a, in seconds. The lag of the
// cross-correlation maximum gives the delay to within a step; the phase of
// the two Fourier coefficients at the burst frequency f refines it: for
// b(t) = a(t - tau), B(f) = A(f) exp(-i 2 pi f tau). The result is the phase
// delay at f, which is the quantity numerical dispersion acts on. Both
// records must hold their whole pulse.
inline double DelayBetween(const std::vector<float>& a, const std::vector<float>& b, double dt, double f) {
    const std::size_t n = std::min(a.size(), b.size());
    double best = -1.0;
    std::size_t bestLag = 0;
    for (std::size_t lag = 0; lag < n; ++lag) {
        double c = 0.0;
        for (std::size_t k = 0; k + lag < n; ++k) c += static_cast<double>(a[k]) * b[k + lag];
        if (c > best) {
            best = c;
            bestLag = lag;
        }
    }
    const double coarse = static_cast<double>(bestLag) * dt;
    const double omega = 2.0 * kPi * f;
    const double theta = std::arg(FourierAt(a, dt, f) * std::conj(FourierAt(b, dt, f)));
    const double residual = std::remainder(theta - omega * coarse, 2.0 * kPi);
    return coarse + residual / omega;
}

// The sample of largest magnitude between times t0 and t1 (signed).
inline double PeakBetween(const std::vector<float>& s, double dt, double t0, double t1) {
    double peak = 0.0;
    for (std::size_t k = 0; k < s.size(); ++k) {
        const double t = static_cast<double>(k) * dt;
        if (t >= t0 && t <= t1 && std::fabs(s[k]) > std::fabs(peak)) peak = s[k];
    }
    return peak;
}

// The speed of a plane wave down a column of one material, measured between
// two full-width receivers 4 wavelengths apart, the first one wavelength
// below the driven top face; cellsPerWavelength cells per wavelength of the
// wave measured at the burst frequency.
inline double PlaneWaveSpeed(const CMaterialProperty& material, bool shear, double cellsPerWavelength) {
    const Burst burst;
    const double speed = shear ? ShearSpeed(material) : LongitudinalSpeed(material);
    const double wavelength = speed / burst.frequency;
    ColumnModel model;
    model.cellSize = wavelength / cellsPerWavelength;
    model.layers = {{material, 10.0 * wavelength}};
    model.burst = burst;
    model.shear = shear;
    model.receiverDepths = {1.0 * wavelength, 5.0 * wavelength};
    // The pulse has passed the deeper receiver (5 wavelengths, then the
    // 3-cycle burst and one spare period) long before the echo from the
    // bottom, 15 wavelengths of travel, could come back to it.
    model.duration = 9.0 / burst.frequency;
    CElixDoc doc;
    BuildColumn(doc, model);
    const Recording rec = RunAndRecord(doc);
    if (rec.L.size() != 2) return 0.0;
    // Longitudinal: the L value of a horizontal receiver (-V); shear: its T
    // value (U).
    const auto& near = shear ? rec.T[0] : rec.L[0];
    const auto& far = shear ? rec.T[1] : rec.L[1];
    return 4.0 * wavelength / DelayBetween(near, far, rec.dt, burst.frequency);
}

}  // namespace elix::test::physics

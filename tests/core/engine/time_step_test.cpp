#include "engine/time_step.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "engine/job_parameters_form.h"
#include "engine_test_support.h"

namespace elix {
namespace {

using test::Material;
using test::SetImage;

TEST(PhaseVelocityTest, UndampedMaterialsGiveTheirElasticSpeeds) {
    const CMaterialProperty steel = Material("Steel", 0, 7850, 5900, 3230);
    const PhaseVelocities v = PhaseVelocitiesAt(steel, 1e6);
    // The float Lame constants carry about seven digits.
    EXPECT_NEAR(v.vL, 5900.0, 0.01);
    EXPECT_NEAR(v.vT, 3230.0, 0.01);
    const CMaterialProperty water = Material("Water", 1, 1000, 1480, 0);
    EXPECT_EQ(PhaseVelocitiesAt(water, 1e6).vT, 0.0);
}

TEST(PhaseVelocityTest, DampingRaisesThePhaseVelocityWithFrequency) {
    // A Kelvin-Voigt solid disperses: its phase speed grows with frequency
    // from the elastic value.
    CMaterialProperty epoxy = Material("Epoxy", 0, 1200, 2600, 1100);
    epoxy.damping = 1;
    epoxy.eta = 2.0f;
    epoxy.chi = 1.0f;
    const PhaseVelocities low = PhaseVelocitiesAt(epoxy, 1e3);
    const PhaseVelocities high = PhaseVelocitiesAt(epoxy, 5e6);
    EXPECT_NEAR(low.vL, 2600.0, 0.1);
    EXPECT_GT(high.vL, low.vL);
    EXPECT_GT(high.vT, low.vT);
    // Orthotropic: lambda = (C22 + C33)/2 - 2 C44 and mu = C44.
    CMaterialProperty ortho;
    ortho.density = 2000.0f;
    ortho.orthotropic = 1;
    ortho.c = {0, 0, 0, 3.0e10f, 1.0e10f, 5.0e10f, 1.0e10f, 0, 0};
    const PhaseVelocities o = PhaseVelocitiesAt(ortho, 1e6);
    EXPECT_NEAR(o.vL, std::sqrt(4.0e10 / 2000.0), 1e-6 * o.vL);
    EXPECT_NEAR(o.vT, std::sqrt(1.0e10 / 2000.0), 1e-6 * o.vT);
}

TEST(RunGeometryTest, HandComputedSteelPlate) {
    CElixDoc doc;
    ASSERT_TRUE(doc.AddItem(Material("Steel", 0, 7850, 5900, 3230)));
    SetImage(doc, 200, 80, 0, 10.0);  // 20 mm x 8 mm
    doc.job.MinWaveLength = 0.001f;
    doc.job.PointPerCycle = 10;
    doc.job.Duration = 5e-6f;
    CRunGeometry g;
    std::string error;
    ASSERT_TRUE(ComputeRunGeometry(doc, g, error)) << error;
    const double hx = static_cast<double>(0.001f) / 10;
    const double speed = std::sqrt(5900.0 * 5900.0 + 3230.0 * 3230.0);
    EXPECT_DOUBLE_EQ(g.hx, hx);
    EXPECT_DOUBLE_EQ(g.hy, hx);
    EXPECT_NEAR(g.dt, hx / speed * 0.95, 1e-6 * g.dt);
    // 0.1 mm cells on 0.1 mm pixels: one pixel per cell.
    EXPECT_EQ(g.nx, 200);
    EXPECT_EQ(g.ny, 80);
    const int steps = static_cast<int>(std::trunc(static_cast<double>(5e-6f) / g.dt + 0.5));
    EXPECT_EQ(g.totalSteps, steps);
    EXPECT_NEAR(g.cL[0], g.dt * 5900.0 / hx, 1e-6);
    EXPECT_NEAR(g.minWaveLengthL, 5.9e-3, 1e-8);
    EXPECT_NEAR(g.minWaveLengthT, 3.23e-3, 1e-8);
    char expected[400];
    std::snprintf(expected, sizeof expected,
                  "hx = %.4f(mm)\nhy = %.4f(mm)\ndt = %.4f(us)\nWidth  = %d or %.4f(mm)\nHeight = %d or %.4f(mm)\n"
                  "Total Step = %d (%.4fus)\n",
                  0.1, 0.1, g.dt * 1e6, 200, 20.0, 80, 8.0, steps, 5.0);
    EXPECT_EQ(g.report, expected);
}

TEST(RunGeometryTest, CellsOfSeveralPixels) {
    CElixDoc doc;
    ASSERT_TRUE(doc.AddItem(Material("Al", 7, 2700, 6320, 3130)));
    SetImage(doc, 101, 47, 7, 20.0);  // 0.05 mm pixels
    doc.job.MinWaveLength = 0.002f;
    doc.job.PointPerCycle = 10;  // 0.2 mm cells: four pixels each
    CRunGeometry g;
    std::string error;
    ASSERT_TRUE(ComputeRunGeometry(doc, g, error));
    EXPECT_NEAR(g.pixelsPerCellX, 4.0, 1e-5);
    EXPECT_EQ(g.nx, 25);  // trunc(101 / 4 + 0.5)
    EXPECT_EQ(g.ny, 12);  // trunc(47 / 4 + 0.5)
}

TEST(RunGeometryTest, FluidsUseTheLongitudinalSpeedAlone) {
    CElixDoc doc;
    ASSERT_TRUE(doc.AddItem(Material("Water", 3, 1000, 1480, 0)));
    SetImage(doc, 10, 10, 3, 10.0);
    CRunGeometry g;
    std::string error;
    ASSERT_TRUE(ComputeRunGeometry(doc, g, error));
    EXPECT_NEAR(g.dt, g.hx / 1480.0 * 0.95, 1e-6 * g.dt);
    EXPECT_EQ(g.minWaveLengthT, 0.0);
    // vT = 0: the Courant number uses 1e10 for hx / vT.
    EXPECT_DOUBLE_EQ(g.cT[0], g.dt / 1e10);
}

TEST(RunGeometryTest, RefusalsCarryTheirMessages) {
    CElixDoc doc;
    CRunGeometry g;
    std::string error;
    EXPECT_FALSE(ComputeRunGeometry(doc, g, error));
    EXPECT_EQ(error.rfind("No Image Loaded!", 0), 0u);
    SetImage(doc, 5, 4, 0, 10.0);
    EXPECT_FALSE(ComputeRunGeometry(doc, g, error));
    EXPECT_EQ(error,
              "Error: No material property is defined!. Please use 'Material Property' command under Elix menu to add "
              "materials.");
    ASSERT_TRUE(doc.AddItem(Material("Steel", 0, 7850, 5900, 3230)));
    doc.image.Rows[2][3] = 9;  // first in scan order
    doc.image.Rows[3][1] = 8;
    doc.image.Rows[1][4] = 255;  // vacuum needs no material
    EXPECT_FALSE(ComputeRunGeometry(doc, g, error));
    EXPECT_EQ(error,
              "Error: Gray level: 9 (3,2) has no material property! Please use 'Material Property' command under Elix "
              "menu to add materials, or use 'Replace Pixel Value' command under Tool menu to change gray level.");
    doc.image.Rows[2][3] = doc.image.Rows[3][1] = 0;
    doc.job.TimeStepScale = 0.0f;
    EXPECT_FALSE(ComputeRunGeometry(doc, g, error));
    EXPECT_EQ(error, "Time increament = 0");
    doc.job.TimeStepScale = 1.0f;
    doc.job.MinWaveLength = 0.0f;
    EXPECT_FALSE(ComputeRunGeometry(doc, g, error));
    EXPECT_EQ(error, "Time increament = 0");
}

TEST(JobParametersFormTest, ConversionsThreadCapAndGridIndex) {
    CJobParameters job;
    CJobParametersForm form = ToForm(job);
    EXPECT_DOUBLE_EQ(form.maxFreqMHz, 1.0);
    EXPECT_NEAR(form.minWaveLengthMm, 1.0, 1e-6);
    EXPECT_NEAR(form.durationUs, 10.0, 1e-5);
    EXPECT_EQ(form.maxGridIndexK, 1u);
    form.maxFreqMHz = 2.5;
    form.threadTotal = 6;
    form.maxGridIndexK = 0;  // stored as at least 1 K
    std::string note;
    FromForm(form, job, note);
    EXPECT_EQ(job.MaxFreq, 2.5e6f);
    EXPECT_EQ(job.ThreadTotal, 4);
    EXPECT_EQ(note, "The maximum thread number is 4. The total thread number is reset to 4.");
    EXPECT_EQ(job.CMax, 1024u);
    form.maxGridIndexK = 8;
    form.threadTotal = 4;
    FromForm(form, job, note);
    EXPECT_EQ(job.CMax, 8192u);
    EXPECT_EQ(note, "");
}

// The largest value each integer field accepts survives the way into the
// record's narrower types (no wrap-around), and the smallest too.
TEST(JobParametersFormTest, RangeBoundsFitTheRecordTypes) {
    CJobParametersForm form;
    form.dispFreq = static_cast<int>(kDisplayFrequencyRange.high);
    form.pointPerCycle = static_cast<int>(kPointPerCycleRange.high);
    form.interfaceBright = static_cast<int>(kInterfaceBrightnessRange.high);
    form.threadTotal = static_cast<int>(kTotalThreadsRange.low);
    form.maxGridIndexK = static_cast<std::uint32_t>(kMaxGridIndexRange.high);
    form.dumpLast = static_cast<std::int32_t>(kDumpStepRange.high);
    CJobParameters job;
    std::string note;
    FromForm(form, job, note);
    EXPECT_EQ(job.DispFreq, 32767);
    EXPECT_EQ(job.PointPerCycle, 32767);
    EXPECT_EQ(job.InterfaceBright, 255);
    EXPECT_EQ(job.ThreadTotal, 1);
    EXPECT_EQ(job.CMax, 4194303u * 1024u);
    EXPECT_EQ(ToForm(job).maxGridIndexK, 4194303u);
    EXPECT_EQ(job.DumpDisplacement[1], 2147483647);
    // Zero is a valid time step scale (the run stops with its own message).
    EXPECT_TRUE(IsInFieldRange(0.0, kTimeStepScaleRange));
    EXPECT_FALSE(IsInFieldRange(0.0, kDisplayFrequencyRange));
    EXPECT_FALSE(IsInFieldRange(1.01, kInfiniteFactorRange));
}

TEST(JobParametersFormTest, WaveLengthButton) {
    CElixDoc doc;
    ASSERT_TRUE(doc.AddItem(Material("Steel", 0, 7850, 5900, 3230)));
    SetImage(doc, 10, 10, 0, 10.0);
    bool ok = false;
    EXPECT_EQ(WaveLengthButton(doc, 2.0, ok),
              "Min T Wave Length = 1.6150(mm)\nMin L Wave Length = 2.9500(mm)\n(at frequency = 2 MHz)");
    EXPECT_TRUE(ok);
    EXPECT_EQ(doc.job.MaxFreq, 2e6f);
    EXPECT_EQ(WaveLengthButton(doc, 0.0, ok),
              "Min T Wave Length = 0.0000(mm)\nMin L Wave Length = 0.0000(mm)\n(at frequency = 0 MHz)");
}

}  // namespace
}  // namespace elix

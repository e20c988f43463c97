#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "engine/receivers.h"
#include "engine/sources.h"
#include "engine_test_support.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace elix {
namespace {

using test::Material;
using test::SetImage;

// A 4 mm x 4 mm steel block at 0.1 mm cells, prepared up to the fields.
struct Block {
    CElixDoc doc;
    CRunGeometry g;
    RegionMap region;
    CNodeGrid grid;

    Block() {
        doc.AddItem(Material("Steel", 0, 7850, 5900, 3230));
        SetImage(doc, 40, 40, 0, 10.0);
    }
    void Prepare() {
        std::string error;
        ASSERT_TRUE(ComputeRunGeometry(doc, g, error)) << error;
        ASSERT_TRUE(BuildRegionMap(doc, g, region, error)) << error;
        ASSERT_TRUE(BuildNodeGrid(doc, g, region, grid, error)) << error;
        ASSERT_TRUE(AllocateFields(grid, error)) << error;
    }
};

CSource SquareSource(const std::string& name) {
    CSource s;
    s.name = name;
    s.x1 = 0.001f;
    s.y1 = 0.0f;
    s.x2 = 0.002f;
    s.y2 = 0.0f;  // top face, left to right: normal (0, -1), class 2
    s.longitudinalTimeFunction = "Square Pulse,3,0.25,0,1e-06";
    s.longitudinalDuration = 1e-6f;
    return s;
}

TEST(SourceTest, SharedPointsAddAndCurvesCarryTheSignal) {
    Block b;
    ASSERT_TRUE(b.doc.AddItem(SquareSource("A")));
    ASSERT_TRUE(b.doc.AddItem(SquareSource("B")));
    b.Prepare();
    std::vector<CSourceRun> sources;
    std::string error;
    ASSERT_TRUE(PrepareSources(b.doc, b.grid, b.region, b.g.hx, b.g.hy, b.g.dt, sources, error)) << error;
    ASSERT_EQ(sources.size(), 2u);
    ASSERT_EQ(sources[0].direction.orientationClass, 2);
    ASSERT_FALSE(sources[0].points.empty());
    const auto curves = ApplySources(b.grid, sources, 3, b.g.dt, {});
    // a = 0.25 per source along the normal (c, s) = (0, -1): V = s a = -0.25
    // each, -0.5 together; U untouched.
    for (const CSourcePoint& p : sources[0].points) {
        EXPECT_FLOAT_EQ(b.grid.fields.Vnew[b.grid.Offset(p.at.x, p.at.y)], -0.5f);
        EXPECT_FLOAT_EQ(b.grid.fields.Unew[b.grid.Offset(p.at.x, p.at.y)], 0.0f);
    }
    EXPECT_FLOAT_EQ(curves[0].l, 0.25f);  // uniform window: mean weight 1
    EXPECT_FLOAT_EQ(curves[0].t, 0.0f);   // shear off
    // Held: class 2 with the longitudinal mode holds V only.
    SetSourceHeldNodes(b.grid, sources);
    const std::size_t node = b.grid.Offset(sources[0].points[0].at.x, sources[0].points[0].at.y);
    EXPECT_EQ(b.grid.flags[node] & (FLAG_FIX_U | FLAG_FIX_V), FLAG_FIX_V);
}

TEST(SourceTest, ZeroLengthSourceIsRefused) {
    Block b;
    CSource s = SquareSource("Dot");
    s.x2 = s.x1;
    ASSERT_TRUE(b.doc.AddItem(s));
    b.Prepare();
    std::vector<CSourceRun> sources;
    std::string error;
    EXPECT_FALSE(PrepareSources(b.doc, b.grid, b.region, b.g.hx, b.g.hy, b.g.dt, sources, error));
    EXPECT_EQ(error, "The size of Source 'Dot' is too small.");
}

TEST(SourceTest, PressureSupportOfAHomogeneousInteriorPoint) {
    Block b;
    CSource s = SquareSource("P");
    s.signalType = 1;
    s.x1 = s.x2 = 0.002f;  // vertical: normal along x
    s.y1 = 0.001f;
    s.y2 = 0.0012f;
    ASSERT_TRUE(b.doc.AddItem(s));
    b.Prepare();
    std::vector<CSourceRun> sources;
    std::string error;
    ASSERT_TRUE(PrepareSources(b.doc, b.grid, b.region, b.g.hx, b.g.hy, b.g.dt, sources, error)) << error;
    const CSourcePoint& p = sources[0].points[0];
    const int i = p.at.x, j = p.at.y;
    b.grid.fields.Unew[b.grid.Offset(i + 1, j)] = 3.0f;
    b.grid.fields.Unew[b.grid.Offset(i - 1, j)] = 1.0f;
    UpdatePressureSupport(b.grid, sources, b.g.hx, b.g.hy);
    // Four equal cells, no V gradient: q0 is the mean of the two U
    // neighbours, q1 = 2 c hx / (4 (lambda + 2 mu) 1e-12).
    const double m = (static_cast<double>(b.doc.Materials()[0].lambda) + 2.0 * b.doc.Materials()[0].mu) * 1e-12;
    EXPECT_NEAR(sources[0].points[0].q0, 2.0, 1e-12);
    EXPECT_NEAR(sources[0].points[0].q1, 2.0 * 1.0 * b.g.hx / (4.0 * m), 1e-9 * std::fabs(sources[0].points[0].q1));
}

CReceiver Probe(const std::string& name, int dataType, int phaseType) {
    CReceiver r;
    r.name = name;
    r.x1 = 0.001f;
    r.x2 = 0.0012f;
    r.y1 = r.y2 = 0.002f;  // horizontal: direction (0, -1)
    r.dataType = static_cast<std::uint8_t>(dataType);
    r.phaseType = static_cast<std::uint8_t>(phaseType);
    return r;
}

TEST(ReceiverTest, OutputLinesForEachDataAndPhaseType) {
    Block b;
    b.Prepare();
    WaveFields& f = b.grid.fields;
    for (std::size_t n = 0; n < b.grid.NodeCount(); ++n) {
        f.U[n] = 0.5f;   // level n+1
        f.V[n] = -0.25f;
        f.Uold[n] = 0.25f;  // level n
        f.Vold[n] = -0.5f;
        f.Unew[n] = 0.125f;  // level n-1 (after the rotation)
        f.Vnew[n] = 0.0f;
    }
    const double dt = b.g.dt;
    const auto moduli = StressModuliOf(b.doc);
    char expected[200];
    for (int dataType = 0; dataType <= 2; ++dataType)
        for (int phaseType = 0; phaseType <= 2; ++phaseType) {
            b.doc.Receivers().Reset();
            ASSERT_TRUE(b.doc.AddItem(Probe("R", dataType, phaseType)));
            std::vector<CReceiverRun> receivers;
            std::string error;
            ASSERT_TRUE(PrepareReceivers(b.doc, b.grid, b.region, b.g.hx, b.g.hy, dt, receivers, error));
            ASSERT_FALSE(receivers[0].points.empty());
            const ReceiverSample sample =
                RecordReceiver(receivers[0], b.grid, f.U, f.V, f.Uold, f.Vold, f.Unew, f.Vnew, 7, dt, b.g.hx, b.g.hy, moduli);
            double first = 0.5, second = -0.25;
            if (dataType == 1) {
                first = (0.5 - 0.25) * 1e-6 / dt;
                second = (-0.25 + 0.5) * 1e-6 / dt;
            } else if (dataType == 2) {
                first = (0.5 + 0.125 - 0.5) * 1e-12 / (dt * dt);
                second = (-0.25 + 0.0 + 1.0) * 1e-12 / (dt * dt);
            }
            // Direction (c, s) = (0, -1): L = -second, T = first.
            double l = -second, t = first;
            if (phaseType == 1) l = std::fabs(l), t = std::fabs(t);
            if (phaseType == 2) l *= l, t *= t;
            std::snprintf(expected, sizeof expected, "%d %8.5f %7.4f %7.4f\n", 7, 7 * dt * 1e6, l, t);
            EXPECT_EQ(sample.line, expected) << dataType << " " << phaseType;
            EXPECT_NEAR(sample.averageL, l, 1e-5 * std::fabs(l) + 1e-9);
        }
}

TEST(ReceiverTest, PressureIsTheNormalStressOfTheCell) {
    Block b;
    b.Prepare();
    // U = a x: exx = a, eyy = exy = 0; the horizontal receiver's normal is
    // (0, -1), so it reads syy = lambda a and no shear stress.
    const double a = 1e-3;
    for (int j = 0; j <= b.grid.ny; ++j)
        for (int i = 0; i <= b.grid.nx; ++i)
            b.grid.fields.U[b.grid.Offset(i, j)] = static_cast<float>(a * i * b.g.hx);
    ASSERT_TRUE(b.doc.AddItem(Probe("P", 3, 0)));
    std::vector<CReceiverRun> receivers;
    std::string error;
    ASSERT_TRUE(PrepareReceivers(b.doc, b.grid, b.region, b.g.hx, b.g.hy, b.g.dt, receivers, error));
    const auto moduli = StressModuliOf(b.doc);
    const WaveFields& f = b.grid.fields;
    const ReceiverSample sample = RecordReceiver(receivers[0], b.grid, f.U, f.V, f.Uold, f.Vold, f.Unew, f.Vnew, 2,
                                                 b.g.dt, b.g.hx, b.g.hy, moduli);
    const double lambda = b.doc.Materials()[0].lambda * 1e-12;
    EXPECT_NEAR(sample.averageL, lambda * a, 1e-4 * lambda * a);
    EXPECT_NEAR(sample.averageT, 0.0, 1e-6 * lambda * a);
    char expected[100];
    std::snprintf(expected, sizeof expected, "%d %8.5f %7.4f %7.4f\n", 2, 2 * b.g.dt * 1e6,
                  static_cast<double>(sample.averageL), static_cast<double>(sample.averageT));
    EXPECT_EQ(sample.line, expected);
}

TEST(ReceiverTest, PerPointValuesWindowAndGain) {
    Block b;
    b.Prepare();
    CReceiver r = Probe("R", 0, 0);
    r.averagedOnly = 0;
    r.shearMode = 0;
    r.gainFactor = 2.0f;
    r.blanking = 5e-8f;
    ASSERT_TRUE(b.doc.AddItem(r));
    std::vector<CReceiverRun> receivers;
    std::string error;
    ASSERT_TRUE(PrepareReceivers(b.doc, b.grid, b.region, b.g.hx, b.g.hy, b.g.dt, receivers, error));
    WaveFields& f = b.grid.fields;
    std::fill(f.V.begin(), f.V.end(), -0.125f);
    const auto moduli = StressModuliOf(b.doc);
    // Before the blanking time: no line, zeros for the plot.
    ReceiverSample early = RecordReceiver(receivers[0], b.grid, f.U, f.V, f.Uold, f.Vold, f.Unew, f.Vnew, 0, 1e-8,
                                          b.g.hx, b.g.hy, moduli);
    EXPECT_FALSE(early.written);
    EXPECT_EQ(early.averageL, 0.0f);
    ReceiverSample late = RecordReceiver(receivers[0], b.grid, f.U, f.V, f.Uold, f.Vold, f.Unew, f.Vnew, 10, 1e-8,
                                         b.g.hx, b.g.hy, moduli);
    ASSERT_TRUE(late.written);
    std::string expected = "10  0.10000  0.2500";
    for (std::size_t k = 0; k < receivers[0].points.size(); ++k) expected += "  0.2500";
    EXPECT_EQ(late.line, expected + "\n");
    EXPECT_FLOAT_EQ(late.averageT, 0.0f);  // not recorded
}

TEST(ReceiverTest, VelocityAtRestIsZeroAndVacuumPointsAreDropped) {
    Block b;
    for (int x = 0; x < 40; ++x) b.doc.image.Rows[20][x] = x < 15 ? 255 : 0;
    b.Prepare();
    CReceiver r = Probe("R", 1, 0);
    r.x1 = 0.0f;
    r.x2 = 0.003f;
    ASSERT_TRUE(b.doc.AddItem(r));
    std::vector<CReceiverRun> receivers;
    std::string error;
    ASSERT_TRUE(PrepareReceivers(b.doc, b.grid, b.region, b.g.hx, b.g.hy, b.g.dt, receivers, error));
    for (const CReceiverPoint& p : receivers[0].points) EXPECT_GE(p.at.x, 15);
    const auto moduli = StressModuliOf(b.doc);
    WaveFields& f = b.grid.fields;
    for (int step = 0; step < 3; ++step) {
        const ReceiverSample s = RecordReceiver(receivers[0], b.grid, f.U, f.V, f.Uold, f.Vold, f.Unew, f.Vnew, step,
                                                b.g.dt, b.g.hx, b.g.hy, moduli);
        EXPECT_EQ(s.averageL, 0.0f);
        EXPECT_EQ(s.averageT, 0.0f);
    }
}

TEST(ReceiverTest, OverwriteQuestion) {
    test::TempDir dir;
    test::ScriptedUserInterface ui;
    CElixDoc doc;
    doc.SetUserInterface(&ui);
    doc.SetPathName(dir.Path("m.wmd"));
    CReceiver a = Probe("A", 0, 0);
    a.outputFile = "a.txt";
    CReceiver b = Probe("B", 0, 0);
    b.outputFile = "b.txt";
    ASSERT_TRUE(doc.AddItem(a));
    ASSERT_TRUE(doc.AddItem(b));
    EXPECT_TRUE(ConfirmReceiverOverwrite(doc));  // nothing exists yet
    EXPECT_TRUE(ui.shown.empty());
    dir.Write("b.txt", "12345");
    ui.answers = {MessageAnswer::No};
    EXPECT_FALSE(ConfirmReceiverOverwrite(doc));
    ASSERT_EQ(ui.shown.size(), 2u);
    EXPECT_EQ(ui.shown[0].text,
              "Do you want to overwrite following receiver output file(s)?\n'b.txt' (5 Bytes)\n"
              "To overwrite file(s) choose Yes; To change file name choose No.");
    EXPECT_EQ(ui.shown[1].text,
              "Please use 'Receiver Configuration' command under Elix menu to change receiver output file name.");
    EXPECT_TRUE(ConfirmReceiverOverwrite(doc));  // Yes by default
}

}  // namespace
}  // namespace elix

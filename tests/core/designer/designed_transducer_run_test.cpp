// A designed transducer runs as it is built, and the pulse its drive
// source sends reaches the receiver as late as the layer thicknesses and
// speeds say.
//
// Every layer has the same longitudinal impedance (46.3 MRayl) but its own
// speed, so a plane wave crosses every interface without reflection and the
// receiver sees one clean arrival. The transducer is three times as wide as
// the receiver line, so the waves diffracted at its edges arrive a whole
// pulse later and do not overlap the direct one. Two designs that differ
// only in one thickness are compared: the delay between their receiver
// signals is the extra path over that layer's speed. The designed models
// are saved with their geometry and run by "elastrix-cli run", as a user
// would run them; the receiver output file it writes is what is measured.
#include <gtest/gtest.h>

#include "designer/transducer_designer.h"
#include "physics/physics_support.h"
#include "support/run_cli.h"
#include "support/temp_dir.h"

namespace elix {
namespace {

using test::physics::DelayBetween;
using test::physics::LongitudinalSpeed;
using test::physics::Report;

constexpr double kImpedance = 7850.0 * 5900.0;  // steel, kg/m^2/s

CMaterialProperty Matched(const std::string& name, std::uint8_t gray, double vL) {
    return IsotropicMaterial(name, gray, kImpedance / vL, vL, vL / 1.8);
}

constexpr double kMatchingSpeed = 3000.0;
constexpr double kSteelSpeed = 5900.0;

// The receiver's L curve of a designed model, saved and run to its end by
// elastrix-cli; dt receives the time step of the curve.
std::vector<float> DesignAndRun(const CTransducerDesigner& designer, double& dt) {
    test::TempDir dir;
    test::ScriptedUserInterface ui;
    CElixDoc doc;
    doc.SetPathName(dir.Path("probe.wmd"));
    doc.SetUserInterface(&ui);
    EXPECT_TRUE(doc.AddItem(Matched("Backing", 0, 5000.0)));
    EXPECT_TRUE(doc.AddItem(Matched("PZT", 32, 4000.0)));
    EXPECT_TRUE(doc.AddItem(Matched("Matching", 64, kMatchingSpeed)));
    EXPECT_TRUE(doc.AddItem(Matched("Steel", 192, kSteelSpeed)));
    EXPECT_NEAR(LongitudinalSpeed(doc.Materials()[3]), kSteelSpeed, 1e-2);
    EXPECT_TRUE(CreateTransducerGeometry(doc, designer)) << ui.LastText();
    doc.Receivers()[0].outputFile = "out.txt";
    // One grid cell per 0.1 mm pixel; the run ends before the echo of the
    // top face (2.5 us after the direct pulse) comes down.
    doc.job.MinWaveLength = 1e-3f;
    doc.job.PointPerCycle = 10;
    doc.job.DispFreq = 0;
    doc.job.Duration = 2.6e-6f;
    doc.job.InfiniteBCIndex = 1 | 2 | 4 | 8;
    EXPECT_TRUE(doc.WriteImageFile(dir.Path("probe.geo")));
    doc.ImageFileName = "probe.geo";
    EXPECT_TRUE(doc.WriteModel(dir.Path("probe.wmd")));
    const test::CliRun run = test::RunCli("run " + dir.Path("probe.wmd"));
    EXPECT_EQ(run.status, 0) << run.err;
    CPlotData recorded;
    if (!recorded.LoadReceiverFile(0.0f, 0.0f, dir.Path("out.txt"), "Output")) return {};
    const PlotCurve& l = recorded.Curves().front();
    if (l.x.size() < 2) return {};
    dt = static_cast<double>(l.x.back() - l.x.front()) / static_cast<double>(l.x.size() - 1);
    return l.y;
}

TEST(DesignedTransducerRun, ArrivalFollowsTheLayerThicknessesAndSpeeds) {
    CTransducerDesigner base;
    base.imageWidth = 0.04f;
    base.transducerWidth = 0.03f;
    base.imageResolution = 10000.0f;
    // The receiver depth t0 + t1 + t2 + t6 / 4 falls on a grid row (5.2 mm).
    base.thickness = {0.002f, 0.001f, 0.001f, 0.0f, 0.0f, 0.0f, 0.0048f};

    double dt = 0.0;
    const std::vector<float> reference = DesignAndRun(base, dt);
    ASSERT_FALSE(reference.empty());

    // One millimetre more of matching layer: the whole stack below moves
    // down with the receiver; the path grows by 1 mm at 3000 m/s.
    CTransducerDesigner thickerMatching = base;
    thickerMatching.thickness[kMatching1Layer] = 0.002f;
    double dt2 = 0.0;
    const std::vector<float> later = DesignAndRun(thickerMatching, dt2);
    ASSERT_FALSE(later.empty());
    ASSERT_NEAR(dt2, dt, dt * 1e-6);
    const double matchingDelay = DelayBetween(reference, later, dt, base.centreFrequency);
    const double expectedMatching = 1e-3 / kMatchingSpeed;
    Report("designer: extra 1 mm of matching layer", matchingDelay, expectedMatching, 0.02 * expectedMatching);
    EXPECT_NEAR(matchingDelay, expectedMatching, 0.02 * expectedMatching);

    // Testing layer 4.8 mm -> 8.8 mm: the receiver sits a quarter of the way
    // in, 1 mm deeper in steel.
    CTransducerDesigner thickerTesting = base;
    thickerTesting.thickness[kTestingLayer] = 0.0088f;
    const std::vector<float> deeper = DesignAndRun(thickerTesting, dt2);
    ASSERT_FALSE(deeper.empty());
    const double steelDelay = DelayBetween(reference, deeper, dt, base.centreFrequency);
    const double expectedSteel = 1e-3 / kSteelSpeed;
    Report("designer: receiver 1 mm deeper in steel", steelDelay, expectedSteel, 0.02 * expectedSteel);
    EXPECT_NEAR(steelDelay, expectedSteel, 0.02 * expectedSteel);
}

}  // namespace
}  // namespace elix

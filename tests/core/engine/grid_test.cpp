#include "engine/grid_builder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "engine/coefficients.h"
#include "engine/kernels.h"
#include "engine_test_support.h"

namespace elix {
namespace {

using test::Material;
using test::SetImage;

CMaterialProperty Damped(CMaterialProperty m) {
    m.damping = 1;
    m.eta = 3.0f;
    m.chi = 1.5f;
    return m;
}

CMaterialProperty Orthotropic(const std::string& name, std::uint8_t gray) {
    CMaterialProperty m;
    m.name = name;
    m.grayLevel = gray;
    m.density = 1600.0f;
    m.orthotropic = 1;
    m.c = {0, 0, 0, 1.2e10f, 4.0e9f, 6.0e10f, 5.0e9f, 0, 0};
    return m;
}

// Prepares the grid of doc as a run does, up to the fields.
bool Prepare(CElixDoc& doc, CNodeGrid& grid, CRunGeometry& g, std::string& error) {
    RegionMap region;
    return ComputeRunGeometry(doc, g, error) && BuildRegionMap(doc, g, region, error) &&
           BuildNodeGrid(doc, g, region, grid, error) && AllocateFields(grid, error);
}

// With U = Uold = 1 and V = Vold = 0 everywhere, one step must leave U at 1
// and V at 0 at every updated node: own weights sum to 2 (1 for the damped
// pure form, whose old value is inside c7) and cross weights to 0.
void ExpectUniformDisplacementKept(CNodeGrid& grid) {
    WaveFields& f = grid.fields;
    std::fill(f.U.begin(), f.U.end(), 1.0f);
    std::fill(f.Uold.begin(), f.Uold.end(), 1.0f);
    std::fill(f.V.begin(), f.V.end(), 0.0f);
    std::fill(f.Vold.begin(), f.Vold.end(), 0.0f);
    std::fill(f.Unew.begin(), f.Unew.end(), 1.0f);
    std::fill(f.Vnew.begin(), f.Vnew.end(), 0.0f);
    AdvanceRows(grid, 0, grid.ny);
    for (std::size_t n = 0; n < grid.NodeCount(); ++n) {
        ASSERT_NEAR(f.Unew[n], 1.0f, 1e-4) << "node " << n << " index " << grid.index[n];
        ASSERT_NEAR(f.Vnew[n], 0.0f, 1e-4) << "node " << n;
    }
}

TEST(GridTest, EverySetKeepsAUniformDisplacement) {
    CElixDoc doc;
    ASSERT_TRUE(doc.AddItem(Material("Steel", 0, 7850, 5900, 3230)));
    ASSERT_TRUE(doc.AddItem(Damped(Material("Epoxy", 40, 1200, 2600, 1100))));
    ASSERT_TRUE(doc.AddItem(Material("Water", 80, 1000, 1480, 0)));
    ASSERT_TRUE(doc.AddItem(Orthotropic("Composite", 120)));
    CMaterialProperty pzt = Material("PZT", 160, 7700, 4400, 2100);
    pzt.piezoelectric = 1;
    ASSERT_TRUE(doc.AddItem(pzt));
    // Stripes and blocks of every material with vacuum holes: pure,
    // composite, damped, orthotropic, piezoelectric and vacuum nodes.
    SetImage(doc, 60, 40, 0, 10.0);
    const std::uint8_t grays[] = {0, 40, 160, 80, 120, 255};
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 60; ++x) doc.image.Rows[y][x] = grays[(x / 7 + y / 9) % 6];
    doc.job.CMax = 4096;
    CNodeGrid grid;
    CRunGeometry g;
    std::string error;
    ASSERT_TRUE(Prepare(doc, grid, g, error)) << error;
    std::set<int> kernels;
    for (std::size_t n = 0; n < grid.NodeCount(); ++n) kernels.insert(KernelFor(grid, n, false));
    for (int kernel : {0, 1, 2, 4, 7, 8, 9, 10}) EXPECT_TRUE(kernels.count(kernel)) << kernel;
    ExpectUniformDisplacementKept(grid);
    for (std::size_t s = static_cast<std::size_t>(grid.materialCount); s < grid.sets.size(); ++s)
        EXPECT_TRUE(CompositeSetAccepted(grid.sets[s]));
}

TEST(GridTest, EdgeNodesAreCompositeAndEqualNeighbourhoodsShareASet) {
    CElixDoc doc;
    ASSERT_TRUE(doc.AddItem(Material("Steel", 0, 7850, 5900, 3230)));
    SetImage(doc, 30, 20, 0, 10.0);
    CNodeGrid grid;
    CRunGeometry g;
    std::string error;
    ASSERT_TRUE(Prepare(doc, grid, g, error)) << error;
    ASSERT_EQ(grid.nx, 30);
    for (int i = 0; i <= grid.nx; ++i) {
        EXPECT_GE(grid.index[grid.Offset(i, 0)], 1u);
        EXPECT_GE(grid.index[grid.Offset(i, grid.ny)], 1u);
    }
    EXPECT_EQ(grid.index[grid.Offset(5, 5)], 0u);
    // Homogeneous block: four sides and four corners, eight sets in all.
    EXPECT_EQ(grid.sets.size(), 1u + 8u);
    EXPECT_EQ(grid.index[grid.Offset(3, 0)], grid.index[grid.Offset(17, 0)]);
    EXPECT_NE(grid.index[grid.Offset(0, 0)], grid.index[grid.Offset(3, 0)]);
    // Sets are numbered in visiting order: the first corner comes first.
    EXPECT_EQ(grid.index[grid.Offset(0, 0)], 1u);
}

TEST(GridTest, AThinVacuumCrackSurvivesResampling) {
    CElixDoc doc;
    ASSERT_TRUE(doc.AddItem(Material("Steel", 0, 7850, 5900, 3230)));
    SetImage(doc, 80, 80, 0, 20.0);  // 0.05 mm pixels
    for (int y = 0; y < 80; ++y) doc.image.Rows[y][41] = 255;  // one pixel wide
    doc.job.MinWaveLength = 0.002f;    // 0.2 mm cells: 4 pixels each
    CRunGeometry g;
    std::string error;
    ASSERT_TRUE(ComputeRunGeometry(doc, g, error));
    RegionMap region;
    ASSERT_TRUE(BuildRegionMap(doc, g, region, error));
    ASSERT_EQ(g.nx, 20);
    const int crackColumn = static_cast<int>((41 + 0.5) / 4.0);
    for (int r = 0; r < g.ny; ++r) {
        EXPECT_EQ(region[static_cast<std::size_t>(r * g.nx + crackColumn)], VACUUM_CELL) << r;
        EXPECT_EQ(region[static_cast<std::size_t>(r * g.nx + crackColumn + 2)], 0) << r;
    }
}

TEST(GridTest, TooManyInterfacesForCMax) {
    CElixDoc doc;
    for (int k = 0; k < 6; ++k)
        ASSERT_TRUE(doc.AddItem(Material("M" + std::to_string(k), static_cast<std::uint8_t>(k), 2000 + 100 * k, 4000, 2000)));
    SetImage(doc, 60, 60, 0, 10.0);
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 60; ++x) doc.image.Rows[y][x] = static_cast<std::uint8_t>((x / 3 * 7 + y / 4 * 3) % 6);
    CNodeGrid grid;
    CRunGeometry g;
    std::string error;
    doc.job.CMax = 1024;
    ASSERT_TRUE(Prepare(doc, grid, g, error)) << error;
    const std::size_t needed = grid.sets.size();
    doc.job.CMax = static_cast<std::uint32_t>(needed - 1);
    EXPECT_FALSE(Prepare(doc, grid, g, error));
    EXPECT_EQ(error,
              "Cx or Cy errors. Please use 'Job Parameters' command under Elix menu to increase the value of Max. Grid "
              "Index, or contact author.");
    EXPECT_TRUE(grid.flags.empty());
}

TEST(GridTest, VacuumNodesAreHeldAndNeverUpdated) {
    CElixDoc doc;
    ASSERT_TRUE(doc.AddItem(Material("Steel", 0, 7850, 5900, 3230)));
    SetImage(doc, 20, 20, 255, 10.0);
    for (int y = 5; y < 15; ++y)
        for (int x = 5; x < 15; ++x) doc.image.Rows[y][x] = 0;
    CNodeGrid grid;
    CRunGeometry g;
    std::string error;
    ASSERT_TRUE(Prepare(doc, grid, g, error)) << error;
    const std::size_t outside = grid.Offset(1, 1);
    EXPECT_EQ(grid.index[outside], VACUUM_INDEX);
    EXPECT_EQ(grid.flags[outside], FLAG_FIX_U | FLAG_FIX_V);
    grid.fields.Unew[outside] = 7.0f;
    AdvanceRows(grid, 0, grid.ny);
    EXPECT_EQ(grid.fields.Unew[outside], 7.0f);
    // A node touching one material cell is composite with zero vacuum moduli.
    EXPECT_GE(grid.index[grid.Offset(5, 5)], 1u);
    EXPECT_NE(grid.index[grid.Offset(5, 5)], VACUUM_INDEX);
}

TEST(GridTest, FourthOrderMarking) {
    CElixDoc doc;
    ASSERT_TRUE(doc.AddItem(Material("Steel", 0, 7850, 5900, 3230)));
    SetImage(doc, 30, 30, 0, 10.0);
    doc.image.Rows[15][15] = 255;  // a vacuum node area in the middle
    doc.job.TimeStepScale = 0.5f;
    doc.job.HighOrderScheme = 1;
    CNodeGrid grid;
    CRunGeometry g;
    std::string error;
    ASSERT_TRUE(Prepare(doc, grid, g, error)) << error;
    MarkHighOrderNodes(grid, g, doc.job.TimeStepScale, doc.job.DtScaleThresh, {{5, 20}});
    auto marked = [&](int i, int j) { return (grid.flags[grid.Offset(i, j)] & FLAG_HIGH_ORDER) != 0; };
    EXPECT_TRUE(marked(5, 5));
    EXPECT_FALSE(marked(1, 5));   // within two nodes of the edge
    EXPECT_FALSE(marked(5, 29));
    EXPECT_FALSE(marked(4, 21));  // next to a held point
    EXPECT_TRUE(marked(8, 20));
    // Around the vacuum cell: its composite nodes and their neighbours.
    EXPECT_FALSE(marked(14, 15));
    EXPECT_FALSE(marked(17, 17));
    EXPECT_TRUE(marked(19, 15));
    // A stricter threshold marks nothing.
    MarkHighOrderNodes(grid, g, doc.job.TimeStepScale, 100.0, {});
    EXPECT_FALSE(marked(5, 5));
}

// The run re-marks only around condition and source points; whatever is
// held and whichever points are active, the marks must equal a marking of
// the whole grid.
TEST(GridTest, IncrementalFourthOrderMarksEqualAFullMarking) {
    CElixDoc doc;
    ASSERT_TRUE(doc.AddItem(Material("Steel", 0, 7850, 5900, 3230)));
    SetImage(doc, 30, 30, 0, 10.0);
    doc.image.Rows[15][15] = 255;
    doc.job.TimeStepScale = 0.5f;
    doc.job.HighOrderScheme = 1;
    CNodeGrid grid;
    CRunGeometry g;
    std::string error;
    ASSERT_TRUE(Prepare(doc, grid, g, error)) << error;
    // Points in the open, beside the hole, in a vacuum node and on the edges.
    const std::vector<std::pair<int, int>> points{{5, 20}, {6, 20}, {13, 15}, {15, 15}, {0, 0}, {30, 4}, {9, 2}};
    CNodeGrid full = grid;
    CHighOrderMarks marks;
    marks.Prepare(grid, g, doc.job.TimeStepScale, doc.job.DtScaleThresh, points);
    // (held bits per point, active points): a start with nothing held, a
    // step with every point held, one after some points were released.
    const std::vector<std::pair<std::vector<std::uint8_t>, std::vector<std::pair<int, int>>>> scenarios{
        {{0, 0, 0, 0, 0, 0, 0}, points},
        {{FLAG_FIX_U | FLAG_FIX_V, FLAG_FIX_U, FLAG_FIX_V, FLAG_FIX_U, FLAG_FIX_U, FLAG_FIX_V, FLAG_FIX_U}, points},
        {{0, FLAG_FIX_U, 0, 0, 0, FLAG_FIX_V, 0}, {{6, 20}, {30, 4}}},
        {{0, 0, 0, 0, 0, 0, 0}, {}}};
    for (const auto& [held, active] : scenarios) {
        for (CNodeGrid* target : {&grid, &full})
            for (std::size_t k = 0; k < points.size(); ++k) {
                const std::size_t node = target->Offset(points[k].first, points[k].second);
                if (target->index[node] == VACUUM_INDEX) continue;
                target->flags[node] = static_cast<std::uint8_t>((target->flags[node] & ~(FLAG_FIX_U | FLAG_FIX_V)) | held[k]);
            }
        marks.Remark(grid, active);
        MarkHighOrderNodes(full, g, doc.job.TimeStepScale, doc.job.DtScaleThresh, active);
        EXPECT_EQ(grid.flags, full.flags);
    }
    EXPECT_EQ(NeighbourhoodNodes(grid, {{0, 0}, {1, 0}}, 1).size(), 6u);  // clipped, no repeats
}

// A radial pulse started in the middle of a homogeneous block keeps its
// mirror symmetry: U is odd in x and even in y, V the other way round.
void ExpectSymmetricSpreading(bool fourthOrder) {
    CElixDoc doc;
    ASSERT_TRUE(doc.AddItem(Material("Steel", 0, 7850, 5900, 3230)));
    SetImage(doc, 60, 60, 0, 10.0);
    if (fourthOrder) {
        doc.job.HighOrderScheme = 1;
        doc.job.TimeStepScale = 0.5f;
    }
    CNodeGrid grid;
    CRunGeometry g;
    std::string error;
    ASSERT_TRUE(Prepare(doc, grid, g, error)) << error;
    if (fourthOrder) MarkHighOrderNodes(grid, g, doc.job.TimeStepScale, doc.job.DtScaleThresh, {});
    const int c = 30;
    WaveFields& f = grid.fields;
    for (int j = 0; j <= grid.ny; ++j)
        for (int i = 0; i <= grid.nx; ++i) {
            const double x = i - c, y = j - c;
            const double a = std::exp(-(x * x + y * y) / 8.0);
            f.U[grid.Offset(i, j)] = f.Uold[grid.Offset(i, j)] = static_cast<float>(x * a);
            f.V[grid.Offset(i, j)] = f.Vold[grid.Offset(i, j)] = static_cast<float>(y * a);
        }
    for (int step = 0; step < 250; ++step) {
        AdvanceRows(grid, 0, grid.ny);
        f.Rotate();
    }
    float peak = 0.0f;
    for (float u : f.U) peak = std::max(peak, std::fabs(u));
    ASSERT_GT(peak, 1e-3f);
    ASSERT_TRUE(std::isfinite(peak));
    float worst = 0.0f;
    for (int j = 0; j <= grid.ny; ++j)
        for (int i = 0; i <= grid.nx; ++i) {
            const int mi = 2 * c - i, mj = 2 * c - j;
            worst = std::max({worst, std::fabs(f.U[grid.Offset(i, j)] + f.U[grid.Offset(mi, j)]),
                              std::fabs(f.U[grid.Offset(i, j)] - f.U[grid.Offset(i, mj)]),
                              std::fabs(f.V[grid.Offset(i, j)] - f.V[grid.Offset(mi, j)]),
                              std::fabs(f.V[grid.Offset(i, j)] + f.V[grid.Offset(i, mj)])});
        }
    EXPECT_LE(worst, 1e-6f * peak);
}

TEST(PropagationTest, SecondOrderPulseSpreadsSymmetrically) { ExpectSymmetricSpreading(false); }
TEST(PropagationTest, FourthOrderPulseSpreadsSymmetrically) { ExpectSymmetricSpreading(true); }

// The six level arrays of a grid start 64-byte aligned in six different
// first-level cache sets, stay so through rotation and copies, and keep
// their values like any vector.
TEST(FieldArrayTest, LevelArraysAreStaggeredAcrossCacheSets) {
    CElixDoc doc;
    ASSERT_TRUE(doc.AddItem(Material("Steel", 0, 7850, 5900, 3230)));
    SetImage(doc, 20, 10, 0, 10.0);
    CNodeGrid grid;
    CRunGeometry g;
    std::string error;
    ASSERT_TRUE(Prepare(doc, grid, g, error)) << error;
    auto sets = [](const WaveFields& f) {
        std::set<std::uintptr_t> found;
        for (const FieldArray* a : {&f.U, &f.V, &f.Uold, &f.Vold, &f.Unew, &f.Vnew}) {
            const auto address = reinterpret_cast<std::uintptr_t>(a->data());
            EXPECT_EQ(address % 64, 0u);
            found.insert(address / 64 % 64);
        }
        return found.size();
    };
    EXPECT_EQ(sets(grid.fields), 6u);
    grid.fields.Unew[5] = 2.5f;
    grid.fields.Rotate();
    EXPECT_EQ(sets(grid.fields), 6u);
    const CNodeGrid copy = grid;
    EXPECT_EQ(sets(copy.fields), 6u);
    EXPECT_EQ(copy.fields.U[5], 2.5f);
    EXPECT_TRUE(copy.fields.U == grid.fields.U);
    EXPECT_THROW(AllocateStaggered(static_cast<std::size_t>(-1) - 100), std::bad_alloc);
}

TEST(MemoryCheckTest, EachBranchHasItsMessage) {
    std::string message;
    // 100 x 100 cells: 101 * 101 * 32 = 326432 bytes.
    MemoryStatus plenty{1u << 30, 1u << 30};
    EXPECT_TRUE(CheckMemory(100, 100, true, plenty, message));
    EXPECT_EQ(message, "Check Memory completed.");
    // Short of physical memory but not of address space: a warning, which
    // passes outside a run and inside one when the trial allocation works.
    MemoryStatus tight{300000, 1u << 30};
    EXPECT_TRUE(CheckMemory(100, 100, false, tight, message));
    EXPECT_EQ(message, "Warning: This model needs 25Kb more RAM to avoid using virtual memory.\n");
    EXPECT_TRUE(CheckMemory(100, 100, true, tight, message));
    // Short of address space: an error.
    MemoryStatus none{300000, 200000};
    EXPECT_FALSE(CheckMemory(100, 100, false, none, message));
    EXPECT_EQ(message, "Error: This model needs 123Kb more memory.\n");
    // The real status says something sensible for a small grid.
    EXPECT_TRUE(CheckMemory(10, 10, false, message));
}

}  // namespace
}  // namespace elix

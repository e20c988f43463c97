#include "engine/fast_kernels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

#include "engine/grid_builder.h"
#include "engine/kernels.h"
#include "engine/row_workers.h"
#include "engine_test_support.h"

namespace elix {
namespace {

// Bitwise equality of two field arrays (a NaN would compare equal to
// itself here, as it must for identical bits).
bool SameBits(const FieldArray& a, const FieldArray& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0;
}

void ExpectSameFields(const WaveFields& a, const WaveFields& b) {
    EXPECT_TRUE(SameBits(a.Unew, b.Unew));
    EXPECT_TRUE(SameBits(a.Vnew, b.Vnew));
    EXPECT_TRUE(SameBits(a.U, b.U));
    EXPECT_TRUE(SameBits(a.V, b.V));
}

// A grid with every kind of node, in runs of random length so that pure
// spans of many nodes form: pure sets 0 (plain), 1 (damped), 2
// (piezoelectric), 3 (orthotropic), composite sets 4 (plain), 5 (damped),
// 6 (piezoelectric), 7 (damped piezoelectric), vacuum, held components and
// fourth-order marks. The edge rows and columns are composite, as in a
// built grid. Weights and values spread over many binary orders, so that
// large terms cancel and a sum taken in another order, or rounded to float
// at another point, gives other bits.
CNodeGrid RandomGrid(unsigned seed, int nx, int ny) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> mantissa(-1.0f, 1.0f);
    std::uniform_int_distribution<int> exponent(-12, 12);
    auto value = [&](std::mt19937& r) { return std::ldexp(mantissa(r), exponent(r)); };
    std::uniform_int_distribution<int> pick(0, 99);
    CNodeGrid grid;
    grid.nx = nx;
    grid.ny = ny;
    grid.materialCount = 4;
    const std::size_t sizes[8][2] = {{4, 4}, {8, 8}, {5, 7}, {4, 4}, {14, 14}, {28, 28}, {23, 19}, {37, 33}};
    const std::uint8_t setFlags[8] = {0, FLAG_DAMPED, FLAG_PIEZO, FLAG_ORTHO, 0, FLAG_DAMPED, FLAG_PIEZO,
                                      FLAG_PIEZO | FLAG_DAMPED};
    grid.sets.resize(8);
    for (std::size_t k = 0; k < 8; ++k) {
        grid.sets[k].u.resize(sizes[k][0]);
        grid.sets[k].v.resize(sizes[k][1]);
        for (auto* weights : {&grid.sets[k].u, &grid.sets[k].v})
            for (float& w : *weights) w = value(random);
    }
    grid.flags.assign(grid.NodeCount(), 0);
    grid.index.assign(grid.NodeCount(), 0);
    for (int j = 0; j <= ny; ++j) {
        int runLeft = 0;
        std::uint32_t set = 0;
        for (int i = 0; i <= nx; ++i, --runLeft) {
            if (runLeft <= 0) {
                runLeft = 1 + pick(random) % 24;
                const int kind = pick(random);
                set = kind < 40 ? 0 : kind < 55 ? 1 : kind < 60 ? 2 : kind < 65 ? 3 : kind < 90 ? 4 + kind % 4 : VACUUM_INDEX;
            }
            std::uint32_t index = set;
            const bool edge = i == 0 || j == 0 || i == nx || j == ny;
            if (edge && index < 4) index = 4 + static_cast<std::uint32_t>(pick(random) % 4);
            const std::size_t node = grid.Offset(i, j);
            grid.index[node] = index;
            if (index == VACUUM_INDEX) {
                grid.flags[node] = FLAG_FIX_U | FLAG_FIX_V;
                continue;
            }
            std::uint8_t flags = setFlags[index];
            const int roll = pick(random);
            if (roll < 4) flags |= FLAG_FIX_U;
            if (roll >= 2 && roll < 6) flags |= FLAG_FIX_V;
            const bool interior4 = i >= 2 && j >= 2 && i <= nx - 2 && j <= ny - 2;
            if (interior4 && index < 4 && pick(random) < 70) flags |= FLAG_HIGH_ORDER;
            grid.flags[node] = flags;
        }
    }
    WaveFields& f = grid.fields;
    for (auto* field : {&f.U, &f.V, &f.Uold, &f.Vold, &f.Unew, &f.Vnew, &f.W}) {
        field->resize(grid.NodeCount());
        for (float& v : *field) v = value(random);
    }
    return grid;
}

// Steps a copy of grid by the reference kernels and one by the fast path
// and compares every field bit for bit after each step.
void ExpectFastEqualsReference(const CNodeGrid& start, int steps) {
    CNodeGrid reference = start;
    CNodeGrid fast = start;
    CFastKernels plan;
    plan.Build(fast);
    for (int step = 0; step < steps; ++step) {
        AdvanceRows(reference, 0, reference.ny);
        plan.AdvanceRows(fast, 0, fast.ny);
        ExpectSameFields(reference.fields, fast.fields);
        reference.fields.Rotate();
        fast.fields.Rotate();
    }
}

TEST(FastKernelsTest, BitIdenticalToTheReferenceOnRandomGridsWithEveryNodeKind) {
    for (unsigned seed = 1; seed <= 6; ++seed) {
        SCOPED_TRACE(seed);
        // Odd and even widths, so that vector loops end with remainders.
        CNodeGrid grid = RandomGrid(seed, 37 + static_cast<int>(seed), 23);
        for (bool highOrder : {false, true}) {
            grid.highOrderScheme = highOrder;
            ExpectFastEqualsReference(grid, 3);
        }
    }
}

TEST(FastKernelsTest, PlansSpansOfPureAndCompositeNodesAndLeavesTheRestToTheReference) {
    CNodeGrid grid = RandomGrid(11, 40, 10);
    for (std::uint8_t& flags : grid.flags) flags = 0;
    for (std::uint32_t& index : grid.index) index = 4;  // composite everywhere ...
    for (int i = 1; i <= 39; ++i) grid.index[grid.Offset(i, 5)] = 0;  // ... but one pure row
    grid.index[grid.Offset(20, 5)] = VACUUM_INDEX;
    grid.flags[grid.Offset(30, 5)] = FLAG_FIX_U;
    CFastKernels plan;
    plan.Build(grid);
    const std::vector<NodeSpan>& spans = plan.RowSpans(5);
    // Composite edge node, pure 1..19, (vacuum skipped), pure 21..29, held
    // node 30 on its own, pure 31..39, composite edge node.
    ASSERT_EQ(spans.size(), 6u);
    EXPECT_EQ(spans[0].shape, 7);
    EXPECT_EQ(spans[1].begin, 1);
    EXPECT_EQ(spans[1].End(), 20);
    EXPECT_EQ(spans[1].shape, 1);
    EXPECT_EQ(spans[2].begin, 21);
    EXPECT_EQ(spans[2].End(), 30);
    EXPECT_EQ(spans[3].shape, 0);
    EXPECT_EQ(spans[3].begin, 30);
    EXPECT_EQ(spans[4].begin, 31);
    EXPECT_EQ(spans[5].begin, 40);
    EXPECT_EQ(spans[5].shape, 7);
    // A composite row: its edge nodes spans of their own, the inside one
    // composite span whatever the sets of its nodes.
    grid.index[grid.Offset(7, 3)] = 5;
    grid.flags[grid.Offset(7, 3)] = FLAG_DAMPED;
    plan.RebuildRow(grid, 3);
    const std::vector<NodeSpan>& composite = plan.RowSpans(3);
    ASSERT_EQ(composite.size(), 5u);
    EXPECT_EQ(composite[0].shape, 7);
    EXPECT_EQ(composite[0].length, 1u);
    EXPECT_EQ(composite[1].shape, 7);
    EXPECT_EQ(composite[1].begin, 1);
    EXPECT_EQ(composite[1].End(), 7);
    EXPECT_EQ(composite[2].shape, 9);
    EXPECT_EQ(composite[3].shape, 7);
    EXPECT_EQ(composite[3].begin, 8);
    EXPECT_EQ(composite[3].End(), 40);
    EXPECT_EQ(composite[4].shape, 7);
    EXPECT_EQ(composite[4].begin, 40);
    // The first row: its corners apart, one composite span along the edge.
    const std::vector<NodeSpan>& edge = plan.RowSpans(0);
    ASSERT_EQ(edge.size(), 3u);
    EXPECT_EQ(edge[1].begin, 1);
    EXPECT_EQ(edge[1].End(), 40);
    EXPECT_EQ(edge[1].shape, 7);
    // A composite set without its 14 weights stays with the reference.
    grid.sets[4].u.resize(13);
    plan.RebuildRow(grid, 0);
    ASSERT_EQ(plan.RowSpans(0).size(), 1u);
    EXPECT_EQ(plan.RowSpans(0)[0].shape, 0);
}

TEST(FastKernelsTest, RefreshReplansRowsWhoseWatchedFlagsChanged) {
    CNodeGrid grid = RandomGrid(5, 30, 20);
    CFastKernels plan;
    plan.Build(grid);
    const std::size_t node = grid.Offset(15, 10);
    grid.index[node] = 0;
    grid.flags[node] = 0;
    plan.RebuildRow(grid, 10);
    plan.Watch(grid, {node, grid.Offset(3, 2)});
    // A held component appears at a watched node: the row's plan follows,
    // so the held value survives the pass exactly as with the reference.
    grid.flags[node] = FLAG_FIX_U;
    grid.fields.Unew[node] = 42.0f;
    plan.Refresh(grid);
    plan.AdvanceRows(grid, 0, grid.ny);
    EXPECT_EQ(grid.fields.Unew[node], 42.0f);
    CNodeGrid reference = grid;
    AdvanceRows(reference, 0, reference.ny);
    ExpectSameFields(reference.fields, grid.fields);
}

// Second-order spans of every length from 1 to 41 nodes, starting at
// every column modulo 8, the last of each row ending next to the right
// edge, between the first and last inside rows: the vector loop of kernel
// 1, its remainders and its reads up to the edge column all meet the
// reference bit for bit.
TEST(FastKernelsTest, BitIdenticalOnSecondOrderSpansOfEveryLengthAndStart) {
    CNodeGrid grid = RandomGrid(21, 97, 14);
    for (int j = 1; j < grid.ny; ++j) {
        int i = 1 + j % 8, k = 0;
        for (int c = 1; c < grid.nx; ++c) {
            grid.index[grid.Offset(c, j)] = 0;
            grid.flags[grid.Offset(c, j)] = 0;
        }
        while (true) {
            i += 1 + (7 * k++ + 3 * j) % 41;  // a span of that many nodes, then a composite node
            if (i >= grid.nx) break;
            grid.index[grid.Offset(i, j)] = 4;
            ++i;
        }
        grid.index[grid.Offset(grid.nx - 1, j)] = 0;
    }
    CFastKernels plan;
    plan.Build(grid);
    int longSpans = 0, edgeSpans = 0;
    for (int j = 1; j < grid.ny; ++j)
        for (const NodeSpan& span : plan.RowSpans(j))
            if (span.shape == 1) {
                longSpans += span.length >= 18 ? 1 : 0;
                edgeSpans += span.End() == grid.nx ? 1 : 0;
            }
    EXPECT_GT(longSpans, 20);
    EXPECT_EQ(edgeSpans, grid.ny - 1);
    ExpectFastEqualsReference(grid, 3);
}

// Composite spans (kernels 7 and 9) of every length from 1 to 41 nodes,
// starting at every column modulo 4, each node with a set drawn from four
// of 28 weights, the last span of each row ending next to the right edge:
// the composite spans inside and those of the edge rows and columns (the
// random grid's edges, with their own neighbour steps) all meet the
// reference bit for bit.
TEST(FastKernelsTest, BitIdenticalOnCompositeSpansOfEveryLengthStartAndSetMix) {
    for (bool damped : {false, true}) {
        SCOPED_TRACE(damped);
        CNodeGrid grid = RandomGrid(damped ? 41 : 40, 97, 14);
        std::mt19937 random(7);
        std::uniform_real_distribution<float> weight(-2.0f, 2.0f);
        const auto firstExtra = static_cast<std::uint32_t>(grid.sets.size());
        for (int k = 0; k < 4; ++k) {
            CoefficientSet set;
            set.u.resize(28);
            set.v.resize(28);
            for (float& w : set.u) w = std::ldexp(weight(random), k - 2);
            for (float& w : set.v) w = std::ldexp(weight(random), 2 - k);
            grid.sets.push_back(set);
        }
        const std::uint8_t compositeFlags = damped ? FLAG_DAMPED : 0;
        for (int j = 1; j < grid.ny; ++j) {
            for (int c = 1; c < grid.nx; ++c) {
                grid.index[grid.Offset(c, j)] = 0;
                grid.flags[grid.Offset(c, j)] = 0;
            }
            int i = 1 + j % 4, k = 0;
            while (i < grid.nx - 1) {
                const int length = 1 + (7 * k++ + 3 * j) % 41;
                for (int n = 0; n < length && i < grid.nx; ++n, ++i) {
                    grid.index[grid.Offset(i, j)] = firstExtra + static_cast<std::uint32_t>(random() % 4);
                    grid.flags[grid.Offset(i, j)] = compositeFlags;
                }
                ++i;  // a pure node between spans
            }
        }
        CFastKernels plan;
        plan.Build(grid);
        const unsigned shape = damped ? 9 : 7;
        int longSpans = 0, edgeSpans = 0;
        for (int j = 1; j < grid.ny; ++j)
            for (const NodeSpan& span : plan.RowSpans(j))
                if (span.shape == shape && span.begin > 0) {
                    longSpans += span.length >= 12 ? 1 : 0;
                    edgeSpans += span.End() == grid.nx ? 1 : 0;
                }
        EXPECT_GT(longSpans, 20);
        EXPECT_GT(edgeSpans, 3);
        ExpectFastEqualsReference(grid, 3);
    }
}

// Each row is computed once, whichever thread claims it, also with fewer
// rows than threads: every thread count gives the one-thread fields.
TEST(FastKernelsTest, RowWorkersGiveTheSameFieldsForEveryThreadCount) {
    for (int ny : {1, 2, 5, 31}) {
        SCOPED_TRACE(ny);
        const CNodeGrid start = RandomGrid(30 + static_cast<unsigned>(ny), 45, ny);
        CNodeGrid single = start;
        CFastKernels plan;
        plan.Build(single);
        CRowWorkers(1).Pass(single, &plan);
        for (int threads = 2; threads <= CRowWorkers::kMaxThreads; ++threads) {
            SCOPED_TRACE(threads);
            CNodeGrid grid = start;
            CRowWorkers workers(threads);
            workers.Pass(grid, &plan);
            ExpectSameFields(single.fields, grid.fields);
            CNodeGrid reference = start;
            workers.Pass(reference);
            ExpectSameFields(single.fields, reference.fields);
        }
    }
}

// Built models: steel with vacuum holes and a damped epoxy inclusion,
// second and fourth order.
TEST(FastKernelsTest, BitIdenticalOnABuiltModelWithHolesDampingAndFourthOrder) {
    for (bool fourthOrder : {false, true}) {
        SCOPED_TRACE(fourthOrder);
        CElixDoc doc;
        ASSERT_TRUE(doc.AddItem(test::Material("Steel", 0, 7850, 5900, 3230)));
        CMaterialProperty epoxy = test::Material("Epoxy", 1, 1200, 2600, 1100);
        epoxy.damping = 1;
        epoxy.eta = 2.0f;
        epoxy.chi = 1.0f;
        ASSERT_TRUE(doc.AddItem(epoxy));
        test::SetImage(doc, 64, 48, 0, 10.0);
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 64; ++x) {
                if ((x / 6 + y / 5) % 5 == 0) doc.image.Rows[y][x] = 255;
                if (x > 40 && y > 30) doc.image.Rows[y][x] = 1;
            }
        doc.job.HighOrderScheme = fourthOrder ? 1 : 0;
        doc.job.TimeStepScale = 0.5f;
        CRunGeometry g;
        RegionMap region;
        CNodeGrid grid;
        std::string error;
        ASSERT_TRUE(ComputeRunGeometry(doc, g, error) && BuildRegionMap(doc, g, region, error) &&
                    BuildNodeGrid(doc, g, region, grid, error) && AllocateFields(grid, error))
            << error;
        if (fourthOrder) MarkHighOrderNodes(grid, g, doc.job.TimeStepScale, doc.job.DtScaleThresh, {{20, 0}});
        grid.fields.U[grid.Offset(20, 1)] = 1.0f;
        grid.fields.V[grid.Offset(33, 20)] = -0.5f;
        ExpectFastEqualsReference(grid, 30);
    }
}

}  // namespace
}  // namespace elix

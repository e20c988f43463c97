#include "engine/kernels.h"

#include <gtest/gtest.h>

#include <random>

namespace elix {
namespace {

// A 6 x 6 node grid (nx = ny = 5) with random fields and hand-set weights.
struct KernelGrid {
    CNodeGrid grid;
    std::mt19937 random{7};

    KernelGrid() {
        grid.nx = grid.ny = 5;
        grid.materialCount = 1;
        grid.flags.assign(grid.NodeCount(), 0);
        grid.index.assign(grid.NodeCount(), VACUUM_INDEX);
        std::uniform_real_distribution<float> value(-1.0f, 1.0f);
        WaveFields& f = grid.fields;
        for (auto* field : {&f.U, &f.V, &f.Uold, &f.Vold, &f.Unew, &f.Vnew, &f.W}) {
            field->resize(grid.NodeCount());
            for (float& v : *field) v = value(random);
        }
        std::fill(f.W.begin(), f.W.end(), 0.0f);
        grid.sets.resize(2);
        for (auto* set : {&grid.sets[0].u, &grid.sets[0].v}) set->resize(8);
        for (auto* set : {&grid.sets[1].u, &grid.sets[1].v}) set->resize(28);
        for (auto& set : grid.sets)
            for (auto* weights : {&set.u, &set.v})
                for (float& w : *weights) w = value(random);
    }
    // F[j][i] of a field.
    static float At(const FieldArray& f, int i, int j) { return f[static_cast<std::size_t>(j * 6 + i)]; }
    double C(int set, bool v, int k) const {
        return (v ? grid.sets[static_cast<std::size_t>(set)].v : grid.sets[static_cast<std::size_t>(set)].u)[static_cast<std::size_t>(k)];
    }
};

TEST(KernelTest, SecondOrderAndDampedPureNodesByHand) {
    KernelGrid k;
    auto& f = k.grid.fields;
    const int i = 2, j = 3;
    k.grid.index[k.grid.Offset(i, j)] = 0;
    UpdateNode(k.grid, i, j);
    using K = KernelGrid;
    // U: along = columns, across = rows; X = F(j+1,i+1) + F(j-1,i-1) - F(j+1,i-1) - F(j-1,i+1).
    const double xV = K::At(f.V, i + 1, j + 1) + K::At(f.V, i - 1, j - 1) - K::At(f.V, i - 1, j + 1) - K::At(f.V, i + 1, j - 1);
    const double u = (K::At(f.U, i - 1, j) + K::At(f.U, i + 1, j)) * k.C(0, false, 1) +
                     (k.C(0, false, 0) * K::At(f.U, i, j) - K::At(f.Uold, i, j)) +
                     (K::At(f.U, i, j - 1) + K::At(f.U, i, j + 1)) * k.C(0, false, 2) + xV * k.C(0, false, 3);
    EXPECT_FLOAT_EQ(K::At(f.Unew, i, j), static_cast<float>(u));
    // V: along = rows, across = columns.
    const double xU = K::At(f.U, i + 1, j + 1) + K::At(f.U, i - 1, j - 1) - K::At(f.U, i - 1, j + 1) - K::At(f.U, i + 1, j - 1);
    const double v = (K::At(f.V, i, j - 1) + K::At(f.V, i, j + 1)) * k.C(0, true, 1) +
                     (k.C(0, true, 0) * K::At(f.V, i, j) - K::At(f.Vold, i, j)) +
                     (K::At(f.V, i - 1, j) + K::At(f.V, i + 1, j)) * k.C(0, true, 2) + xU * k.C(0, true, 3);
    EXPECT_FLOAT_EQ(K::At(f.Vnew, i, j), static_cast<float>(v));

    // Kernel 4, the damped form, reads level n-1 neighbours as well.
    k.grid.flags[k.grid.Offset(i, j)] = FLAG_DAMPED;
    UpdateNode(k.grid, i, j);
    const double xVold = K::At(f.Vold, i + 1, j + 1) + K::At(f.Vold, i - 1, j - 1) - K::At(f.Vold, i - 1, j + 1) -
                         K::At(f.Vold, i + 1, j - 1);
    const double ud = (K::At(f.U, i - 1, j) + K::At(f.U, i + 1, j)) * k.C(0, false, 1) + k.C(0, false, 0) * K::At(f.U, i, j) +
                      (K::At(f.U, i, j - 1) + K::At(f.U, i, j + 1)) * k.C(0, false, 2) + xV * k.C(0, false, 3) +
                      (K::At(f.Uold, i - 1, j) + K::At(f.Uold, i + 1, j)) * k.C(0, false, 4) +
                      (K::At(f.Uold, i, j - 1) + K::At(f.Uold, i, j + 1)) * k.C(0, false, 5) + xVold * k.C(0, false, 6) +
                      k.C(0, false, 7) * K::At(f.Uold, i, j);
    EXPECT_FLOAT_EQ(K::At(f.Unew, i, j), static_cast<float>(ud));
    // Held components are never written.
    k.grid.flags[k.grid.Offset(i, j)] = FLAG_FIX_U | FLAG_FIX_V;
    f.Unew[k.grid.Offset(i, j)] = 42.0f;
    f.Vnew[k.grid.Offset(i, j)] = 43.0f;
    UpdateNode(k.grid, i, j);
    EXPECT_EQ(K::At(f.Unew, i, j), 42.0f);
    EXPECT_EQ(K::At(f.Vnew, i, j), 43.0f);
}

TEST(KernelTest, CompositeNodesOnTheEdgeUseThemselvesForMissingNeighbours) {
    KernelGrid k;
    auto& f = k.grid.fields;
    using K = KernelGrid;
    // Node on the first column: column i-1 is replaced by i.
    const int i = 0, j = 2;
    k.grid.index[k.grid.Offset(i, j)] = 1;
    UpdateNode(k.grid, i, j);
    const int ip = 1, im = 0, jp = 3, jm = 1;
    auto composite = [&](const FieldArray& o, const FieldArray& oo, const FieldArray& t, bool v) {
        return (k.C(1, v, 0) * K::At(o, i, j) - K::At(oo, i, j)) + k.C(1, v, 1) * K::At(o, ip, j) +
               k.C(1, v, 2) * K::At(o, i, jp) + k.C(1, v, 3) * K::At(o, im, j) + k.C(1, v, 4) * K::At(o, i, jm) +
               k.C(1, v, 5) * K::At(t, i, j) + k.C(1, v, 6) * K::At(t, ip, jp) + k.C(1, v, 7) * K::At(t, im, jp) +
               k.C(1, v, 8) * K::At(t, im, jm) + k.C(1, v, 9) * K::At(t, ip, jm) + k.C(1, v, 10) * K::At(t, ip, j) +
               k.C(1, v, 11) * K::At(t, i, jp) + k.C(1, v, 12) * K::At(t, im, j) + k.C(1, v, 13) * K::At(t, i, jm);
    };
    EXPECT_FLOAT_EQ(K::At(f.Unew, i, j), static_cast<float>(composite(f.U, f.Uold, f.V, false)));
    EXPECT_FLOAT_EQ(K::At(f.Vnew, i, j), static_cast<float>(composite(f.V, f.Vold, f.U, true)));

    // Kernel 9 adds the level n-1 terms with weights 14..27.
    k.grid.flags[k.grid.Offset(i, j)] = FLAG_DAMPED;
    UpdateNode(k.grid, i, j);
    const auto& o = f.Uold;
    const auto& t = f.Vold;
    const double damped = composite(f.U, f.Uold, f.V, false) + k.C(1, false, 14) * K::At(o, i, j) +
                          k.C(1, false, 15) * K::At(o, ip, j) + k.C(1, false, 16) * K::At(o, i, jp) +
                          k.C(1, false, 17) * K::At(o, im, j) + k.C(1, false, 18) * K::At(o, i, jm) +
                          k.C(1, false, 19) * K::At(t, i, j) + k.C(1, false, 20) * K::At(t, ip, jp) +
                          k.C(1, false, 21) * K::At(t, im, jp) + k.C(1, false, 22) * K::At(t, im, jm) +
                          k.C(1, false, 23) * K::At(t, ip, jm) + k.C(1, false, 24) * K::At(t, ip, j) +
                          k.C(1, false, 25) * K::At(t, i, jp) + k.C(1, false, 26) * K::At(t, im, j) +
                          k.C(1, false, 27) * K::At(t, i, jm);
    EXPECT_FLOAT_EQ(K::At(f.Unew, i, j), static_cast<float>(damped));

    // The last row and column: the corner (5, 5) uses itself for i+1 and j+1.
    k.grid.flags[k.grid.Offset(5, 5)] = 0;
    k.grid.index[k.grid.Offset(5, 5)] = 1;
    UpdateNode(k.grid, 5, 5);
    const double corner = (k.C(1, false, 0) * K::At(f.U, 5, 5) - K::At(f.Uold, 5, 5)) + k.C(1, false, 1) * K::At(f.U, 5, 5) +
                          k.C(1, false, 2) * K::At(f.U, 5, 5) + k.C(1, false, 3) * K::At(f.U, 4, 5) +
                          k.C(1, false, 4) * K::At(f.U, 5, 4) + k.C(1, false, 5) * K::At(f.V, 5, 5) +
                          k.C(1, false, 6) * K::At(f.V, 5, 5) + k.C(1, false, 7) * K::At(f.V, 4, 5) +
                          k.C(1, false, 8) * K::At(f.V, 4, 4) + k.C(1, false, 9) * K::At(f.V, 5, 4) +
                          k.C(1, false, 10) * K::At(f.V, 5, 5) + k.C(1, false, 11) * K::At(f.V, 5, 5) +
                          k.C(1, false, 12) * K::At(f.V, 4, 5) + k.C(1, false, 13) * K::At(f.V, 5, 4);
    EXPECT_FLOAT_EQ(K::At(f.Unew, 5, 5), static_cast<float>(corner));
}

TEST(KernelTest, KernelChoice) {
    KernelGrid k;
    const std::size_t node = k.grid.Offset(2, 2);
    EXPECT_EQ(KernelFor(k.grid, node, false), 0);  // vacuum
    k.grid.index[node] = 0;
    EXPECT_EQ(KernelFor(k.grid, node, false), 1);
    k.grid.flags[node] = FLAG_HIGH_ORDER;
    EXPECT_EQ(KernelFor(k.grid, node, false), 1);  // scheme off
    k.grid.highOrderScheme = true;
    EXPECT_EQ(KernelFor(k.grid, node, false), 3);
    k.grid.flags[node] = FLAG_HIGH_ORDER | FLAG_DAMPED;
    EXPECT_EQ(KernelFor(k.grid, node, true), 6);
    k.grid.flags[node] = FLAG_HIGH_ORDER | FLAG_PIEZO;  // piezo wins over fourth order
    EXPECT_EQ(KernelFor(k.grid, node, false), 2);
    k.grid.flags[node] |= FLAG_DAMPED;
    EXPECT_EQ(KernelFor(k.grid, node, false), 5);
    k.grid.index[node] = 1;
    EXPECT_EQ(KernelFor(k.grid, node, false), 10);
    k.grid.flags[node] = FLAG_PIEZO;
    EXPECT_EQ(KernelFor(k.grid, node, false), 8);
    k.grid.flags[node] = FLAG_DAMPED | FLAG_FIX_U;
    EXPECT_EQ(KernelFor(k.grid, node, false), 0);
    EXPECT_EQ(KernelFor(k.grid, node, true), 9);
    k.grid.flags[node] = 0;
    EXPECT_EQ(KernelFor(k.grid, node, true), 7);
}

}  // namespace
}  // namespace elix

// The twenty node-update kernels (ten shapes, each for U and for V), the
// kernel choice per node, and the row pass that advances level n+1. These
// are the reference implementation: every formula is followed literally,
// accumulated in double from float inputs in the written order and rounded
// to float once when stored.
#pragma once

#include "engine/node_grid.h"

namespace elix {

// Edge flags of node (i, j) (FLAG_FIRST_ROW ...).
unsigned EdgeFlagsOf(const CNodeGrid& grid, int i, int j);

// Updates U and then V of one node by the kernel its flags and index
// choose. Vacuum nodes and held components are left alone.
void UpdateNode(CNodeGrid& grid, int i, int j);

// Advances level n+1 for rows firstRow..lastRow (inclusive), columns in
// increasing order.
void AdvanceRows(CNodeGrid& grid, int firstRow, int lastRow);

// Which of the ten kernel shapes a node's U (or V) update uses, 0 for none:
// 1 second order, 2 + piezo, 3 fourth order, 4 damped, 5 damped + piezo,
// 6 fourth order damped, 7 composite, 8 + piezo, 9 composite damped,
// 10 composite damped + piezo.
int KernelFor(const CNodeGrid& grid, std::size_t node, bool forV);

// Neighbour steps of a composite node: one column (ip, im) and one row (jp,
// jm) away, a missing neighbour on the grid edge replaced by the node
// itself (step 0).
struct CompositeSteps {
    long ip, im, jp, jm;
};

// The steps of a composite node with the given edge flags: none past the
// grid edge.
CompositeSteps CompositeStepsOf(unsigned edges, long stride);

// Kernel 7 for the own field o (level n-1 oo) and the other field t at
// node p, in this order: (c0 O - O_old) + c1 O(i+1) + c2 O(j+1) + c3 O(i-1)
// + c4 O(j-1) + c5 T + c6 T(j+1,i+1) + c7 T(j+1,i-1) + c8 T(j-1,i-1)
// + c9 T(j-1,i+1) + c10 T(i+1) + c11 T(j+1) + c12 T(i-1) + c13 T(j-1).
// Shared by the reference kernels and the fast path, so both sum alike.
// The weights c may be given as floats or as the same values in double.
template <class Weight>
inline double CompositeSum(const float* o, const float* oo, const float* t, const Weight* c, long p,
                           const CompositeSteps& n) {
    using D = double;
    return (D(c[0]) * o[p] - oo[p]) + D(c[1]) * o[p + n.ip] + D(c[2]) * o[p + n.jp] + D(c[3]) * o[p + n.im] +
           D(c[4]) * o[p + n.jm] + D(c[5]) * t[p] + D(c[6]) * t[p + n.jp + n.ip] + D(c[7]) * t[p + n.jp + n.im] +
           D(c[8]) * t[p + n.jm + n.im] + D(c[9]) * t[p + n.jm + n.ip] + D(c[10]) * t[p + n.ip] +
           D(c[11]) * t[p + n.jp] + D(c[12]) * t[p + n.im] + D(c[13]) * t[p + n.jm];
}

// Kernel 9's level n-1 terms (weights c14..c27 on O_old and T_old in
// kernel 7's pattern), added to kernel 7's sum.
template <class Weight>
inline double CompositeDampedSum(const float* oo, const float* to, const Weight* c, long p, const CompositeSteps& n,
                                 double sum) {
    using D = double;
    return sum + D(c[14]) * oo[p] + D(c[15]) * oo[p + n.ip] + D(c[16]) * oo[p + n.jp] + D(c[17]) * oo[p + n.im] +
           D(c[18]) * oo[p + n.jm] + D(c[19]) * to[p] + D(c[20]) * to[p + n.jp + n.ip] +
           D(c[21]) * to[p + n.jp + n.im] + D(c[22]) * to[p + n.jm + n.im] + D(c[23]) * to[p + n.jm + n.ip] +
           D(c[24]) * to[p + n.ip] + D(c[25]) * to[p + n.jp] + D(c[26]) * to[p + n.im] + D(c[27]) * to[p + n.jm];
}

}  // namespace elix

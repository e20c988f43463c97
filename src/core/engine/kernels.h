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

}  // namespace elix

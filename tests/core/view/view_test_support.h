// Node grids at rest for the frame and dump tests.
#pragma once

#include "engine/node_grid.h"

namespace elix::test {

// A grid of (nx + 1) x (ny + 1) material-0 nodes at rest, with one pure
// coefficient set, so index 1 marks an interface node.
inline CNodeGrid RestingGrid(int nx, int ny) {
    CNodeGrid grid;
    grid.nx = nx;
    grid.ny = ny;
    grid.materialCount = 1;
    grid.flags.assign(grid.NodeCount(), 0);
    grid.index.assign(grid.NodeCount(), 0);
    grid.fields.U.assign(grid.NodeCount(), 0.0f);
    grid.fields.V.assign(grid.NodeCount(), 0.0f);
    return grid;
}

}  // namespace elix::test

// Run preparation from the time step on: the memory check, the cell-to-
// material region map, the node grid with its flags, coefficient indices
// and sets, the fields, and the marking of fourth-order nodes.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "engine/node_grid.h"
#include "engine/time_step.h"
#include "platform/memory_status.h"

namespace elix {

class CElixDoc;

// Memory check: the grid needs (ny+1)(nx+1) x 32 bytes. The message is
// always set ("Check Memory completed." or a warning or error). Within a
// run, a shortfall of physical memory is tested by a trial allocation.
bool CheckMemory(int nx, int ny, bool withinRun, std::string& message);
bool CheckMemory(int nx, int ny, bool withinRun, const MemoryStatus& status, std::string& message);

// ny rows of nx material indices (255 for vacuum cells), row 0 at the top.
using RegionMap = std::vector<std::uint8_t>;

// Samples the image at the cell centres; every vacuum pixel then forces
// its cell to vacuum, so a crack thinner than a cell survives.
bool BuildRegionMap(const CElixDoc& doc, const CRunGeometry& geometry, RegionMap& region, std::string& error);

// Node flags, coefficient indices and the pure and composite sets.
bool BuildNodeGrid(const CElixDoc& doc, const CRunGeometry& geometry, const RegionMap& region, CNodeGrid& grid,
                   std::string& error);

// The six displacement arrays, zero-filled, and W (zeros) when a node
// carries FLAG_PIEZO.
bool AllocateFields(CNodeGrid& grid, std::string& error);

// Marks the nodes that may use the fourth-order stencil: interior pure
// nodes whose stability margin q = 1 / (TimeStepScale 0.95 sqrt(cL^2 + cT^2))
// reaches DtScaleThresh, away from composite and vacuum nodes and from the
// given held points (source and boundary-condition points, (column, row)).
void MarkHighOrderNodes(CNodeGrid& grid, const CRunGeometry& geometry, double timeStepScale, double dtScaleThresh,
                        const std::vector<std::pair<int, int>>& heldPoints);

// The offsets of the nodes within radius (Chebyshev distance) of the given
// points ((column, row)), clipped to the grid, sorted and without repeats.
std::vector<std::size_t> NeighbourhoodNodes(const CNodeGrid& grid, const std::vector<std::pair<int, int>>& points,
                                            int radius);

// The fourth-order marks during a run. Only the held flags at source and
// boundary-condition points and the held points themselves change between
// steps, so after one marking of the whole grid the marks are kept up to
// date by visiting the 3 x 3 neighbourhoods of those points alone.
class CHighOrderMarks {
public:
    // Marks the whole grid as MarkHighOrderNodes does with no held point and
    // with the held flags of allPoints ignored (the marks that follow from
    // the model alone), and remembers them around allPoints: every point a
    // source or condition can hold, active or not.
    void Prepare(CNodeGrid& grid, const CRunGeometry& geometry, double timeStepScale, double dtScaleThresh,
                 const std::vector<std::pair<int, int>>& allPoints);

    // Sets the marks to what MarkHighOrderNodes gives with the present held
    // flags and activePoints as the held points, in O(points).
    void Remark(CNodeGrid& grid, const std::vector<std::pair<int, int>>& activePoints) const;

    // The nodes whose marks or held flags may change during the run.
    const std::vector<std::size_t>& Nodes() const { return m_nodes; }

private:
    std::vector<std::size_t> m_nodes;
    std::vector<std::uint8_t> m_modelMarks;  // per node of m_nodes: marked by the model alone
};

}  // namespace elix

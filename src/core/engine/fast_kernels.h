// The fast node update: every row is planned once as spans of consecutive
// nodes that share a kernel shape (and, for pure shapes, a coefficient
// set), and such a span runs as one branch-free loop. Pure spans are
// vectorised in double precision (second-order ones, on AVX2, by one loop
// for U and V together); composite spans (kernels 7 and 9, on the grid
// edge too, with the edge's neighbour steps) take each node's own weights
// without the per-node kernel choice. Piezoelectric, partly held and pure
// edge nodes keep the per-node reference update inside the same pass; vacuum and fully held nodes are
// skipped. Every sum is taken in the written order in double and rounded
// to float once, so the result is bit-identical to the reference kernels
// (kernels.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/node_grid.h"

namespace elix {

// A run of nodes [begin, begin + length) of one row. shape 0: each node by
// the reference UpdateNode; 1, 3, 4, 6: that pure kernel shape for U and
// for V, all nodes with the coefficient set of the first; 7, 9: that
// composite shape, each node with its own set (a node of the first or last
// column is a span of its own). Eight bytes, so that rows
// broken up by holes keep the plan small.
struct NodeSpan {
    static constexpr std::uint32_t kMaxLength = (1u << 24) - 1;
    std::int32_t begin = 0;
    std::uint32_t length : 24 = 0;
    std::uint32_t shape : 8 = 0;
    int End() const { return begin + static_cast<int>(length); }
};

class CFastKernels {
public:
    // Weights per component a composite span reads at most (kernel 9).
    static constexpr std::size_t kCompositeWeights = 28;

    // Plans every row of grid from its flags and coefficient indices (and
    // its HighOrderScheme switch).
    void Build(const CNodeGrid& grid);

    // Re-plans row j after flags of that row changed.
    void RebuildRow(const CNodeGrid& grid, int j);

    // The nodes whose flags may change during the run (held points and
    // their fourth-order neighbourhoods), as node offsets; their present
    // flags are remembered.
    void Watch(const CNodeGrid& grid, std::vector<std::size_t> nodes);

    // Re-plans the rows in which a watched node's flags changed since the
    // last Watch or Refresh. Costs O(watched nodes) when nothing changed.
    void Refresh(const CNodeGrid& grid);

    // Advances level n+1 of rows firstRow..lastRow (inclusive).
    void AdvanceRows(CNodeGrid& grid, int firstRow, int lastRow) const;

    bool Planned(const CNodeGrid& grid) const { return m_rows.size() == static_cast<std::size_t>(grid.ny + 1); }
    const std::vector<NodeSpan>& RowSpans(int j) const { return m_rows[static_cast<std::size_t>(j)]; }
    // Memory held by the plan, in bytes.
    std::size_t PlanBytes() const;

private:
    void AdvanceRow(CNodeGrid& grid, int j) const;

    std::vector<std::vector<NodeSpan>> m_rows;
    std::vector<std::uint32_t> m_compositeOffsets;  // per set, into m_compositeWeights
    std::vector<double> m_compositeWeights;
    std::vector<std::size_t> m_watched;
    std::vector<std::uint8_t> m_watchedFlags;
    bool m_avx2 = false;  // kernel 1 spans by the AVX2 loop
};

// Whether this process runs the AVX2 span loops (x86-64 with AVX2); the
// results are the same either way.
bool FastKernelsUseAvx2();

}  // namespace elix

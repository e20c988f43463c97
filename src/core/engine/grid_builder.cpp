#include "engine/grid_builder.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <new>

#include "engine/coefficients.h"
#include "model/elix_doc.h"
#include "platform/memory_status.h"
#include "platform/text_format.h"

namespace elix {

bool CheckMemory(int nx, int ny, bool withinRun, std::string& message) {
    return CheckMemory(nx, ny, withinRun, QueryMemoryStatus(), message);
}

bool CheckMemory(int nx, int ny, bool withinRun, const MemoryStatus& status, std::string& message) {
    const std::uint64_t nodes = static_cast<std::uint64_t>(std::max(ny, 0) + 1) * static_cast<std::uint64_t>(std::max(nx, 0) + 1);
    const std::uint64_t need = nodes > UINT64_MAX / 32u ? UINT64_MAX : nodes * 32u;
    const std::uint64_t available = std::min(status.availablePhysical, status.availableVirtual);
    message = "Check Memory completed.";
    if (need < available) return true;
    if (need <= status.availableVirtual) {
        message = Format("Warning: This model needs %ldKb more RAM to avoid using virtual memory.\n",
                         (need - available) / 1024);
        if (!withinRun) return true;
        // Try the memory for real: blocks of 1 KB, each touched so that the
        // system has to provide it, all freed again.
        const std::uint64_t blocks = need / 1024;
        std::vector<std::unique_ptr<char[]>> trial;
        try {
            trial.reserve(static_cast<std::size_t>(blocks));
        } catch (const std::exception&) {
            message = Format("This model needs %ldKb more memory.\n", blocks + 1);
            return false;
        }
        for (std::uint64_t k = 0; k < blocks; ++k) {
            std::unique_ptr<char[]> block(new (std::nothrow) char[1024]);
            if (!block) {
                message = Format("This model needs %ldKb more memory.\n", blocks - k + 1);
                return false;
            }
            block[0] = block[1023] = 1;
            trial.push_back(std::move(block));
        }
        return true;
    }
    message = Format("Error: This model needs %ldKb more memory.\n", (need - status.availableVirtual) / 1024);
    return false;
}

bool BuildRegionMap(const CElixDoc& doc, const CRunGeometry& geometry, RegionMap& region, std::string& error) {
    const CGeometryImage& image = doc.image;
    const auto& materials = doc.Materials();
    std::array<std::uint8_t, 256> materialOf{};
    materialOf.fill(VACUUM_CELL);
    std::array<bool, 256> claimed{};
    for (int k = 0; k < materials.Count(); ++k) {
        const std::uint8_t gray = materials[k].grayLevel;
        if (gray < 255 && !claimed[gray]) {
            materialOf[gray] = static_cast<std::uint8_t>(k);
            claimed[gray] = true;
        }
    }
    for (int y = 0; y < image.ImageHeight; ++y)
        for (int x = 0; x < image.ImageWidth; ++x) {
            const std::uint8_t gray = image.Rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
            if (gray < 255 && !claimed[gray]) {
                error = Format("Point (%d,%d) has no material property!", x, y);
                return false;
            }
        }
    const int nx = geometry.nx, ny = geometry.ny;
    try {
        region.assign(static_cast<std::size_t>(nx) * static_cast<std::size_t>(ny), VACUUM_CELL);
    } catch (const std::bad_alloc&) {
        error = "Unable to allocate memory for RegionMap";
        return false;
    }
    const double ppcX = geometry.pixelsPerCellX, ppcY = geometry.pixelsPerCellY;
    auto clampTo = [](double v, int last) { return std::clamp(static_cast<int>(std::min(v, 2e9)), 0, last); };
    for (int r = 0; r < ny; ++r) {
        const int py = clampTo(std::trunc((r + 0.5) * ppcY), image.ImageHeight - 1);
        const auto& row = image.Rows[static_cast<std::size_t>(py)];
        for (int c = 0; c < nx; ++c) {
            const int px = clampTo(std::trunc((c + 0.5) * ppcX), image.ImageWidth - 1);
            region[static_cast<std::size_t>(r) * nx + c] = materialOf[row[static_cast<std::size_t>(px)]];
        }
    }
    // Vacuum preservation: a vacuum pixel always empties the cell it lies in.
    if (nx > 0 && ny > 0)
        for (int p = 0; p < image.ImageHeight; ++p) {
            const auto& row = image.Rows[static_cast<std::size_t>(p)];
            for (int q = 0; q < image.ImageWidth; ++q) {
                if (row[static_cast<std::size_t>(q)] != 255) continue;
                const int r = clampTo(std::trunc((p + 0.5) / ppcY), ny - 1);
                const int c = clampTo(std::trunc((q + 0.5) / ppcX), nx - 1);
                region[static_cast<std::size_t>(r) * nx + c] = VACUUM_CELL;
            }
        }
    return true;
}

bool BuildNodeGrid(const CElixDoc& doc, const CRunGeometry& geometry, const RegionMap& region, CNodeGrid& grid,
                   std::string& error) {
    const auto& materials = doc.Materials();
    const int nx = geometry.nx, ny = geometry.ny;
    grid = CNodeGrid{};
    grid.nx = nx;
    grid.ny = ny;
    grid.materialCount = materials.Count();
    grid.highOrderScheme = doc.job.HighOrderScheme != 0;
    try {
        grid.flags.assign(grid.NodeCount(), 0);
        grid.index.assign(grid.NodeCount(), 0);
    } catch (const std::bad_alloc&) {
        grid = CNodeGrid{};
        error = "Unable to allocate memory for Index";
        return false;
    }
    std::vector<CellModuli> moduli;
    for (int k = 0; k < materials.Count(); ++k) moduli.push_back(ModuliOf(materials[k]));
    auto cellAt = [&](int r, int c) -> std::uint8_t {
        if (nx <= 0 || ny <= 0) return VACUUM_CELL;
        r = std::clamp(r, 0, ny - 1);
        c = std::clamp(c, 0, nx - 1);
        return region[static_cast<std::size_t>(r) * nx + c];
    };
    auto materialFlags = [&](std::uint8_t cell) -> std::uint8_t {
        if (cell == VACUUM_CELL || cell >= moduli.size()) return 0;
        const CellModuli& m = moduli[cell];
        return static_cast<std::uint8_t>((m.piezo ? FLAG_PIEZO : 0) | (m.ortho ? FLAG_ORTHO : 0) |
                                         (m.damped ? FLAG_DAMPED : 0));
    };

    // Pure sets for every material; composite sets follow from index M.
    for (const CellModuli& m : moduli) grid.sets.push_back(BuildPureSet(m, geometry.hx, geometry.hy, geometry.dt));
    CCompositeSets composites(moduli, doc.job.CMax, geometry.hx, geometry.hy, geometry.dt);

    for (int j = 0; j <= ny; ++j) {
        for (int i = 0; i <= nx; ++i) {
            const std::size_t node = grid.Offset(i, j);
            // Cells around the node: 1 = (j, i), 2 = (j, i-1), 3 = (j-1, i-1), 4 = (j-1, i).
            std::array<std::uint8_t, 4> cells{cellAt(j, i), cellAt(j, i - 1), cellAt(j - 1, i - 1), cellAt(j - 1, i)};
            std::uint8_t flags = 0;
            for (std::uint8_t cell : cells) flags |= materialFlags(cell);
            // Cells outside the grid are vacuum: the model's edges are free.
            if (i == 0) cells[1] = cells[2] = VACUUM_CELL;
            if (i == nx) cells[0] = cells[3] = VACUUM_CELL;
            if (j == 0) cells[2] = cells[3] = VACUUM_CELL;
            if (j == ny) cells[0] = cells[1] = VACUUM_CELL;
            grid.flags[node] = flags;
            if (cells[0] == cells[1] && cells[1] == cells[2] && cells[2] == cells[3]) {
                if (cells[0] == VACUUM_CELL) {
                    grid.index[node] = VACUUM_INDEX;
                    grid.flags[node] = FLAG_FIX_U | FLAG_FIX_V;
                } else {
                    grid.index[node] = cells[0];
                }
                continue;
            }
            std::uint32_t index = 0;
            if (!composites.IndexFor(cells, grid.sets, index, error)) {
                error =
                    "Cx or Cy errors. Please use 'Job Parameters' command under Elix menu to increase the value of "
                    "Max. Grid Index, or contact author.";
                grid = CNodeGrid{};
                return false;
            }
            grid.index[node] = index;
        }
    }
    return true;
}

bool AllocateFields(CNodeGrid& grid, std::string& error) {
    WaveFields& f = grid.fields;
    // W is read only by the piezoelectric kernels, that is at nodes that
    // carry FLAG_PIEZO; without such a node it takes no memory.
    const bool piezo =
        std::any_of(grid.flags.begin(), grid.flags.end(), [](std::uint8_t flags) { return (flags & FLAG_PIEZO) != 0; });
    try {
        for (FieldArray* field : {&f.U, &f.V, &f.Uold, &f.Vold, &f.Unew, &f.Vnew})
            field->assign(grid.NodeCount(), 0.0f);
        f.W.assign(piezo ? grid.NodeCount() : 0, 0.0f);
    } catch (const std::bad_alloc&) {
        f = WaveFields{};
        error = "Unable to allocate memory for U and V";
        return false;
    }
    return true;
}

namespace {

// Clears FLAG_HIGH_ORDER on the nodes within radius of (ci, cj).
void ClearMarksAround(CNodeGrid& grid, int ci, int cj, int radius) {
    for (int j = std::max(0, cj - radius); j <= std::min(grid.ny, cj + radius); ++j)
        for (int i = std::max(0, ci - radius); i <= std::min(grid.nx, ci + radius); ++i)
            grid.flags[grid.Offset(i, j)] &= static_cast<std::uint8_t>(~FLAG_HIGH_ORDER);
}

}  // namespace

void MarkHighOrderNodes(CNodeGrid& grid, const CRunGeometry& geometry, double timeStepScale, double dtScaleThresh,
                        const std::vector<std::pair<int, int>>& heldPoints) {
    const int nx = grid.nx, ny = grid.ny;
    std::vector<double> q(static_cast<std::size_t>(grid.materialCount), 0.0);
    for (std::size_t m = 0; m < q.size() && m < geometry.cL.size(); ++m) {
        q[m] = std::sqrt(geometry.cL[m] * geometry.cL[m] + geometry.cT[m] * geometry.cT[m]);
        if (q[m] > 0.0) q[m] = 1.0 / (timeStepScale * 0.95 * q[m]);
    }
    for (std::uint8_t& flags : grid.flags) flags = static_cast<std::uint8_t>(flags & ~FLAG_HIGH_ORDER);
    for (int j = 2; j <= ny - 2; ++j)
        for (int i = 2; i <= nx - 2; ++i) {
            const std::size_t node = grid.Offset(i, j);
            const std::uint32_t index = grid.index[node];
            if (index == VACUUM_INDEX || index >= static_cast<std::uint32_t>(grid.materialCount)) continue;
            if (grid.flags[node] & (FLAG_FIX_U | FLAG_FIX_V)) continue;
            if (q[index] >= dtScaleThresh) grid.flags[node] |= FLAG_HIGH_ORDER;
        }
    for (int j = 1; j <= ny - 1; ++j)
        for (int i = 1; i <= nx - 1; ++i) {
            const std::uint32_t index = grid.index[grid.Offset(i, j)];
            if (index == VACUUM_INDEX) {
                if (i >= 3 && i <= nx - 3 && j >= 3 && j <= ny - 3) ClearMarksAround(grid, i, j, 2);
            } else if (index >= static_cast<std::uint32_t>(grid.materialCount)) {
                ClearMarksAround(grid, i, j, 1);
            }
        }
    for (const auto& [x, y] : heldPoints) ClearMarksAround(grid, x, y, 1);
}

std::vector<std::size_t> NeighbourhoodNodes(const CNodeGrid& grid, const std::vector<std::pair<int, int>>& points,
                                            int radius) {
    std::vector<std::size_t> nodes;
    for (const auto& [x, y] : points)
        for (int j = std::max(0, y - radius); j <= std::min(grid.ny, y + radius); ++j)
            for (int i = std::max(0, x - radius); i <= std::min(grid.nx, x + radius); ++i)
                nodes.push_back(grid.Offset(i, j));
    std::sort(nodes.begin(), nodes.end());
    nodes.erase(std::unique(nodes.begin(), nodes.end()), nodes.end());
    return nodes;
}

void CHighOrderMarks::Prepare(CNodeGrid& grid, const CRunGeometry& geometry, double timeStepScale,
                              double dtScaleThresh, const std::vector<std::pair<int, int>>& allPoints) {
    m_nodes = NeighbourhoodNodes(grid, allPoints, 1);
    // The held flags at the points are set aside while the model's own
    // marks are made, then put back.
    const std::vector<std::size_t> points = NeighbourhoodNodes(grid, allPoints, 0);
    std::vector<std::uint8_t> held(points.size());
    constexpr auto kHeld = static_cast<std::uint8_t>(FLAG_FIX_U | FLAG_FIX_V);
    for (std::size_t k = 0; k < points.size(); ++k) {
        std::uint8_t& flags = grid.flags[points[k]];
        held[k] = static_cast<std::uint8_t>(flags & kHeld);
        if (grid.index[points[k]] != VACUUM_INDEX) flags = static_cast<std::uint8_t>(flags & ~kHeld);
    }
    MarkHighOrderNodes(grid, geometry, timeStepScale, dtScaleThresh, {});
    for (std::size_t k = 0; k < points.size(); ++k) grid.flags[points[k]] |= held[k];
    m_modelMarks.resize(m_nodes.size());
    for (std::size_t k = 0; k < m_nodes.size(); ++k)
        m_modelMarks[k] = (grid.flags[m_nodes[k]] & FLAG_HIGH_ORDER) != 0;
}

void CHighOrderMarks::Remark(CNodeGrid& grid, const std::vector<std::pair<int, int>>& activePoints) const {
    for (std::size_t k = 0; k < m_nodes.size(); ++k) {
        std::uint8_t& flags = grid.flags[m_nodes[k]];
        const bool held = (flags & (FLAG_FIX_U | FLAG_FIX_V)) != 0;
        flags = static_cast<std::uint8_t>(flags & ~FLAG_HIGH_ORDER);
        if (m_modelMarks[k] && !held) flags |= FLAG_HIGH_ORDER;
    }
    for (const auto& [x, y] : activePoints) ClearMarksAround(grid, x, y, 1);
}

}  // namespace elix

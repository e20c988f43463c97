#include "engine/absorbing_sides.h"

#include <algorithm>
#include <new>

namespace elix {

bool InfiniteFactorValid(double factor) { return factor >= 0.0 && factor <= 1.0; }

bool CAbsorbingSides::Build(const CNodeGrid& grid, const RegionMap& region, std::uint8_t sides, std::string& error) {
    m_sides = sides;
    const int nx = grid.nx, ny = grid.ny;
    auto cell = [&](int r, int c) -> std::uint16_t {
        if (nx <= 0 || ny <= 0) return VACUUM_CELL;
        return region[static_cast<std::size_t>(std::clamp(r, 0, ny - 1)) * nx + std::clamp(c, 0, nx - 1)];
    };
    try {
        m_top.clear();
        m_bottom.clear();
        m_left.clear();
        m_right.clear();
        if (sides & kAbsorbTop)
            for (int i = 0; i <= nx; ++i) m_top.push_back(cell(0, std::min(i, nx - 1)));
        if (sides & kAbsorbBottom)
            for (int i = 0; i <= nx; ++i) m_bottom.push_back(cell(ny - 1, std::min(i, nx - 1)));
        if (sides & kAbsorbLeft)
            for (int j = 0; j <= ny; ++j) m_left.push_back(cell(std::min(j, ny - 1), 0));
        if (sides & kAbsorbRight)
            for (int j = 0; j <= ny; ++j) m_right.push_back(cell(std::min(j, ny - 1), nx - 1));
        const auto scratch = static_cast<std::size_t>(std::max(nx, ny) + 1);
        m_tangential.assign(sides ? scratch : 0, 0.0f);
        m_normal.assign(sides ? scratch : 0, 0.0f);
    } catch (const std::bad_alloc&) {
        m_sides = 0;
        error = "Unable to allocate memory for infinitive BC";
        return false;
    }
    return true;
}

void CAbsorbingSides::Apply(CNodeGrid& grid, const std::vector<double>& cL, const std::vector<double>& cT,
                            double factor) {
    for (std::uint8_t side : {kAbsorbBottom, kAbsorbTop, kAbsorbRight, kAbsorbLeft})
        if (m_sides & side) ApplySide(grid, side, cL, cT, factor);
}

void CAbsorbingSides::ApplySide(CNodeGrid& grid, std::uint8_t side, const std::vector<double>& cL,
                                const std::vector<double>& cT, double factor) {
    const bool horizontal = side == kAbsorbTop || side == kAbsorbBottom;
    const std::vector<std::uint16_t>& cells =
        side == kAbsorbTop ? m_top : side == kAbsorbBottom ? m_bottom : side == kAbsorbLeft ? m_left : m_right;
    const int count = static_cast<int>(cells.size());
    if (count == 0) return;
    // Boundary node B and the next node inward I of edge position k.
    auto boundary = [&](int k) {
        if (side == kAbsorbTop) return grid.Offset(k, 0);
        if (side == kAbsorbBottom) return grid.Offset(k, grid.ny);
        if (side == kAbsorbLeft) return grid.Offset(0, k);
        return grid.Offset(grid.nx, k);
    };
    auto inner = [&](int k) {
        if (side == kAbsorbTop) return grid.Offset(k, std::min(1, grid.ny));
        if (side == kAbsorbBottom) return grid.Offset(k, std::max(grid.ny - 1, 0));
        if (side == kAbsorbLeft) return grid.Offset(std::min(1, grid.nx), k);
        return grid.Offset(std::max(grid.nx - 1, 0), k);
    };
    auto courant = [](const std::vector<double>& c, std::uint16_t m) {
        return m < c.size() ? c[m] : 0.0;
    };
    const WaveFields& f = grid.fields;
    for (int k = 0; k < count; ++k) {
        // The two boundary cells beside the node; a vacuum one gives way to
        // the other, two vacuum cells give Courant numbers 0.
        const std::uint16_t a = cells[static_cast<std::size_t>(std::max(k - 1, 0))];
        const std::uint16_t b = cells[static_cast<std::size_t>(k)];
        double nodeL = 0.0, nodeT = 0.0;
        if (a == VACUUM_CELL && b != VACUUM_CELL) {
            nodeL = courant(cL, b);
            nodeT = courant(cT, b);
        } else if (b == VACUUM_CELL && a != VACUUM_CELL) {
            nodeL = courant(cL, a);
            nodeT = courant(cT, a);
        } else if (a != VACUUM_CELL) {
            nodeL = (courant(cL, a) + courant(cL, b)) / 2.0;
            nodeT = (courant(cT, a) + courant(cT, b)) / 2.0;
        }
        const std::size_t B = boundary(k), I = inner(k);
        // U is tangential on Top and Bottom and normal on Left and Right.
        const double cu = horizontal ? nodeT : nodeL;
        const double cv = horizontal ? nodeL : nodeT;
        m_tangential[static_cast<std::size_t>(k)] = static_cast<float>(f.U[B] * (1.0 - cu) + f.U[I] * cu);
        m_normal[static_cast<std::size_t>(k)] = static_cast<float>(f.V[B] * (1.0 - cv) + f.V[I] * cv);
    }
    const double w = (1.0 - factor) / 2.0;
    for (int k = 0; k < count; ++k) {
        const std::size_t B = boundary(k);
        if (grid.index[B] == VACUUM_INDEX) continue;
        int before = std::max(k - 1, 0), after = std::min(k + 1, count - 1);
        if (grid.index[boundary(before)] == VACUUM_INDEX) before = k;
        if (grid.index[boundary(after)] == VACUUM_INDEX) after = k;
        const auto uk = static_cast<std::size_t>(k);
        const auto ub = static_cast<std::size_t>(before), ua = static_cast<std::size_t>(after);
        const float u = static_cast<float>((static_cast<double>(m_tangential[ua]) + m_tangential[ub]) * w +
                                           static_cast<double>(m_tangential[uk]) * factor);
        const float v = static_cast<float>((static_cast<double>(m_normal[ua]) + m_normal[ub]) * w +
                                           static_cast<double>(m_normal[uk]) * factor);
        // At a corner shared with another absorbing side, each component
        // is written by the side for which it is the normal one.
        bool writeU = true, writeV = true;
        if (horizontal) {
            if ((k == 0 && (m_sides & kAbsorbLeft)) || (k == grid.nx && (m_sides & kAbsorbRight))) writeU = false;
        } else {
            if ((k == 0 && (m_sides & kAbsorbTop)) || (k == grid.ny && (m_sides & kAbsorbBottom))) writeV = false;
        }
        if (writeU) grid.fields.Unew[B] = u;
        if (writeV) grid.fields.Vnew[B] = v;
    }
}

}  // namespace elix

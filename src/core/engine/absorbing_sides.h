// Absorbing ("infinite") sides: after the kernels, the edge nodes of each
// chosen side are moved toward their inner neighbour by the local Courant
// number (a first-order one-way wave update), then smoothed along the
// edge, so outgoing waves leave with little reflection.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/grid_builder.h"
#include "engine/node_grid.h"

namespace elix {

// InfiniteBCIndex bits.
inline constexpr std::uint8_t kAbsorbTop = 1;
inline constexpr std::uint8_t kAbsorbBottom = 2;
inline constexpr std::uint8_t kAbsorbLeft = 4;
inline constexpr std::uint8_t kAbsorbRight = 8;

// The Infinite BC dialog: InfiniteFactor must lie in 0..1.
bool InfiniteFactorValid(double factor);

class CAbsorbingSides {
public:
    // Records the material of the boundary cells of every side that is on
    // (one entry per edge node, 255 for vacuum). False with "Unable to
    // allocate memory for infinitive BC" when memory fails.
    bool Build(const CNodeGrid& grid, const RegionMap& region, std::uint8_t sides, std::string& error);

    // Updates level n+1 on the absorbing sides, in the order Bottom, Top,
    // Right, Left, from the level n values; cL and cT are the materials'
    // Courant numbers, factor the InfiniteFactor.
    void Apply(CNodeGrid& grid, const std::vector<double>& cL, const std::vector<double>& cT, double factor);

    std::uint8_t Sides() const { return m_sides; }

private:
    void ApplySide(CNodeGrid& grid, std::uint8_t side, const std::vector<double>& cL, const std::vector<double>& cT,
                   double factor);

    std::uint8_t m_sides = 0;
    std::vector<std::uint16_t> m_top, m_bottom, m_left, m_right;
    std::vector<float> m_tangential, m_normal;  // scratch: tU and tV along the side
};

}  // namespace elix

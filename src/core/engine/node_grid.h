// The simulation grid of one run: (ny+1) x (nx+1) nodes with a flag byte
// and a coefficient index each, the coefficient sets, and the displacement
// fields at three time levels. Node (i, j) is column i, row j; its linear
// offset is j * (nx + 1) + i.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/field_array.h"

namespace elix {

// Node flag bits. Held nodes (sources, boundary conditions, vacuum) carry
// the two high bits, so they show white in wavefield frames.
inline constexpr std::uint8_t FLAG_DAMPED = 0x01;
inline constexpr std::uint8_t FLAG_PIEZO = 0x02;
inline constexpr std::uint8_t FLAG_ORTHO = 0x04;
inline constexpr std::uint8_t FLAG_HIGH_ORDER = 0x08;
inline constexpr std::uint8_t FLAG_FIX_V = 0x40;
inline constexpr std::uint8_t FLAG_FIX_U = 0x80;

// Edge flags: computed from (i, j) while stepping, never stored.
inline constexpr unsigned FLAG_FIRST_ROW = 0x1;
inline constexpr unsigned FLAG_LAST_ROW = 0x2;
inline constexpr unsigned FLAG_FIRST_COL = 0x4;
inline constexpr unsigned FLAG_LAST_COL = 0x8;

inline constexpr std::uint32_t VACUUM_INDEX = 65535;
inline constexpr std::uint8_t VACUUM_CELL = 255;

// One coefficient index owns a U set and a V set of weights.
struct CoefficientSet {
    std::vector<float> u;
    std::vector<float> v;
};

// Displacement arrays of one time level pair; rotated by swapping after
// each step, never copied.
struct WaveFields {
    FieldArray U, V, Uold, Vold, Unew, Vnew;
    // Scalar field read by the piezoelectric kernels. Piezoelectric
    // materials run as elastic ones, so it stays zero.
    FieldArray W;

    // Level n-1 takes level n, level n takes level n+1, and the old n-1
    // arrays become the next write target.
    void Rotate() {
        Uold.swap(U);
        U.swap(Unew);
        Vold.swap(V);
        V.swap(Vnew);
    }
};

struct CNodeGrid {
    int nx = 0;  // cells along x; nodes 0..nx
    int ny = 0;  // cells along y; nodes 0..ny
    int materialCount = 0;  // M: indices 0..M-1 are the pure sets
    bool highOrderScheme = false;
    std::vector<std::uint8_t> flags;
    std::vector<std::uint32_t> index;
    std::vector<CoefficientSet> sets;  // pure sets, then composite sets
    WaveFields fields;

    int Stride() const { return nx + 1; }
    std::size_t NodeCount() const { return static_cast<std::size_t>(nx + 1) * static_cast<std::size_t>(ny + 1); }
    std::size_t Offset(int i, int j) const {
        return static_cast<std::size_t>(j) * static_cast<std::size_t>(nx + 1) + static_cast<std::size_t>(i);
    }
};

}  // namespace elix

// Stencil weights: one pure set per material and one composite set per
// distinct four-cell material neighbourhood, precomputed before a run so
// that every node update is a fixed weighted sum.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/node_grid.h"
#include "model/material_property.h"

namespace elix {

// A material's constants as the stencils see them. Orthotropic materials
// use the 2-3 plane of their stiffness matrix (x = 2, y = 3): C22 plays
// lambda + 2 mu along x, C33 along y, C44 is mu and C23 the cross lambda.
// Viscosities stay isotropic. Vacuum is all zeros.
struct CellModuli {
    float rho = 0.0f;
    float mu = 0.0f;
    float lambdaX = 0.0f;      // lambda with which 2 mu + lambda is the modulus along x
    float lambdaY = 0.0f;      // the same along y
    float lambdaCross = 0.0f;  // lambda of the mixed derivative terms
    float eta = 0.0f;          // shear viscosity, paired with mu
    float chi = 0.0f;          // second viscosity, paired with lambda
    bool damped = false;
    bool piezo = false;
    bool ortho = false;
};

CellModuli ModuliOf(const CMaterialProperty& material);

// Sizes of the weight arrays.
inline constexpr int kPureSize = 4, kPureDampedSize = 8;
inline constexpr int kCompositeSize = 14, kCompositeDampedSize = 28;
inline constexpr int kPiezoExtraU = 9, kPiezoExtraV = 5;

// The pure U and V sets of one material (second-order stencil; the damped
// form discretises a Kelvin-Voigt medium with the velocity taken as the
// backward difference). Piezoelectric materials get their W weights as
// zeros.
CoefficientSet BuildPureSet(const CellModuli& m, double hx, double hy, double dt);

// The composite U and V sets for the four cells around a node (cell 1 =
// (j, i), 2 = (j, i-1), 3 = (j-1, i-1), 4 = (j-1, i)); vacuum cells are
// given as zero moduli.
CoefficientSet BuildCompositeSet(const std::array<CellModuli, 4>& cells, double hx, double hy, double dt);

// The acceptance test of a composite set: own-field weights sum to 2 and
// other-field weights to 0, each within 0.0001, for the U and V set.
bool CompositeSetAccepted(const CoefficientSet& set);

// Composite sets shared by their four-cell key. Indices are handed out in
// the order of first use, from the material count up to CMax - 1.
class CCompositeSets {
public:
    CCompositeSets(std::vector<CellModuli> materials, std::uint32_t cmax, double hx, double hy, double dt);

    // The index of the set for the four cell materials (VACUUM_CELL for
    // vacuum), made on first use. False, with the message in error, when
    // the set fails its acceptance test or CMax is exhausted.
    bool IndexFor(const std::array<std::uint8_t, 4>& cells, std::vector<CoefficientSet>& sets,
                  std::uint32_t& index, std::string& error);

private:
    std::vector<CellModuli> m_materials;
    std::uint32_t m_cmax;
    double m_hx, m_hy, m_dt;
    std::unordered_map<std::uint32_t, std::uint32_t> m_byKey;
};

}  // namespace elix

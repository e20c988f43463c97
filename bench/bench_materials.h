// Materials of the benchmark models.
#pragma once

#include <cstdint>

#include "model/material_property.h"

namespace elix::bench {

// An isotropic material from its density (kg/m^3) and speeds (m/s); damped
// ones get the viscosities eta = 2, chi = 1.
inline CMaterialProperty Material(const char* name, std::uint8_t gray, double rho, double vL, double vT,
                                  bool damped) {
    CMaterialProperty m = IsotropicMaterial(name, gray, rho, vL, vT);
    if (damped) {
        m.damping = 1;
        m.eta = 2.0f;
        m.chi = 1.0f;
    }
    return m;
}

}  // namespace elix::bench

// Materials and the transducer of the benchmark models.
#pragma once

#include <cstdint>

#include "model/elix_doc.h"
#include "model/material_property.h"
#include "model/source.h"

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

// The benchmark models' transducer: a two-cycle 5 MHz sine pulse on the
// middle quarter of the top edge of a model width metres wide; longitudinal
// only unless shear is asked for.
inline void AddTopTransducer(CElixDoc& doc, float width, bool shear = true) {
    CSource source;
    source.name = "Tx";
    source.x1 = 0.375f * width;
    source.x2 = 0.625f * width;
    source.y1 = source.y2 = 0.0f;
    source.longitudinalTimeFunction = "Sine Pulse,2,1,5e+06";
    source.longitudinalDuration = 2e-7f;
    if (!shear) source.shearMode = 0;
    doc.AddItem(source);
}

}  // namespace elix::bench

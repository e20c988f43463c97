// Small models built in memory for the engine tests.
#pragma once

#include <cmath>
#include <string>

#include "model/elix_doc.h"

namespace elix::test {

// An isotropic material from density and wave speeds: mu = rho vT^2,
// lambda = rho vL^2 - 2 mu.
inline CMaterialProperty Material(const std::string& name, std::uint8_t gray, double rho, double vL, double vT) {
    CMaterialProperty m;
    m.name = name;
    m.grayLevel = gray;
    m.density = static_cast<float>(rho);
    m.mu = static_cast<float>(rho * vT * vT);
    m.lambda = static_cast<float>(rho * vL * vL - 2.0 * rho * vT * vT);
    return m;
}

// Replaces the document's image by width x height pixels of one gray level
// at the given pixels per millimetre.
inline void SetImage(CElixDoc& doc, int width, int height, std::uint8_t gray, double pixelsPerMm) {
    doc.image.ImageWidth = width;
    doc.image.ImageHeight = height;
    doc.image.Rows.assign(static_cast<std::size_t>(height), std::vector<std::uint8_t>(static_cast<std::size_t>(width), gray));
    doc.image.ResolutionX = doc.image.ResolutionY = static_cast<float>(pixelsPerMm * 25.4);
}

}  // namespace elix::test

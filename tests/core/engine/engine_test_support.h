// Small models built in memory for the engine tests.
#pragma once

#include <cmath>
#include <string>

#include "model/elix_doc.h"

namespace elix::test {

// An isotropic material from density and wave speeds.
inline CMaterialProperty Material(const std::string& name, std::uint8_t gray, double rho, double vL, double vT) {
    return IsotropicMaterial(name, gray, rho, vL, vT);
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

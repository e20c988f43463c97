// CMaterialProperty: what one gray level of the geometry image is made of.
// Values are SI: Pa for the elastic constants, Pa*s for the viscosities,
// kg/m^3 for the density, C/m^2 for the piezoelectric stress constants and
// F/m for the permittivities.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "model/text_reader.h"
#include "model/text_writer.h"

namespace elix {

struct CMaterialProperty {
    // Item block layouts: form 1 carries the isotropic values only, form 2
    // adds the piezoelectric and orthotropic constants.
    static constexpr std::int16_t kIsotropicForm = 1;
    static constexpr std::int16_t kExtendedForm = 2;
    static constexpr std::uint8_t kNoGrayLevel = 255;  // gray level 255 is vacuum

    std::string name;
    std::int16_t formWritten = kExtendedForm;  // layout used by WriteItem
    std::int16_t formRead = kExtendedForm;     // layout found by the last ReadItem
    float mu = 0.0f;       // Lame constant, Pa
    float lambda = 1.0f;   // Lame constant, Pa
    float eta = 0.0f;      // shear viscosity, Pa*s
    float chi = 0.0f;      // second viscosity, Pa*s (the editor shows phi = chi + 2/3 eta)
    float density = 1.0f;  // kg/m^3
    std::int32_t damping = 0;  // 1: the viscosities take part
    std::uint8_t grayLevel = kNoGrayLevel;
    std::int32_t libraryMark = 0;    // selection mark of the material library; never written
    std::int32_t piezoelectric = 0;  // 1: e and epsilon are used
    std::array<float, 18> e{};       // e11..e16, e21..e26, e31..e36, C/m^2
    std::array<float, 9> epsilon{};  // eps11..eps33 row by row, F/m
    std::int32_t orthotropic = 0;    // 1: c is used
    std::array<float, 9> c{};        // C11, C12, C13, C22, C23, C33, C44, C55, C66, Pa

    void Reset() { *this = CMaterialProperty{}; }

    // Writes the name line and the item block body in the layout of
    // formWritten; "ItemEnd" closes the block from version 2.0 on. The item
    // start marker is written by the caller.
    void WriteItem(CTextWriter& out, float version) const;

    // Reads an item block body. nameLine is the item's first line without
    // its start marker. Values missing from a short block keep what the
    // record held; formWritten is left alone, so a form-1 block read into a
    // fresh record is written back in form 2.
    void ReadItem(CTextReader& in, const std::string& nameLine, float version);
};

// The name shown for a gray level: "Vacuum" for 255, else the name of the
// first of the first count materials with that gray level, or "Undefined".
// Works on any list with Count() and operator[] (an item list, a vector
// wrapped by the caller).
template <class MaterialList>
std::string NameOfGrayLevel(const MaterialList& materials, int grayLevel) {
    if (grayLevel == CMaterialProperty::kNoGrayLevel) return "Vacuum";
    for (int k = 0; k < materials.Count(); ++k)
        if (materials[k].grayLevel == grayLevel) return materials[k].name;
    return "Undefined";
}

// An isotropic elastic material from its density (kg/m^3) and its
// longitudinal and shear speeds (m/s): mu = rho vT^2, lambda = rho vL^2 - 2 mu.
CMaterialProperty IsotropicMaterial(const std::string& name, std::uint8_t grayLevel, double density, double vL,
                                    double vT);

}  // namespace elix

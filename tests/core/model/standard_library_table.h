// The handbook table behind Library/Standard.mpd, and the library built from
// it with the project's own writer. Each entry gives the density and the
// two bulk wave speeds; the Lame constants follow from
//   mu = rho vT^2,  lambda = rho vL^2 - 2 mu.
#pragma once

#include <array>
#include <string>

#include "model/material_library.h"

namespace elix::test {

struct HandbookMaterial {
    const char* name;
    double density;  // kg/m^3
    double vl;       // m/s
    double vt;       // m/s (0: fluid)
};

inline constexpr std::array<HandbookMaterial, 17> kHandbookMaterials{{
    {"Steel", 7850.0, 5900.0, 3230.0},
    {"Stainless_Steel", 7900.0, 5660.0, 3120.0},
    {"Aluminium", 2700.0, 6320.0, 3130.0},
    {"Copper", 8930.0, 4660.0, 2330.0},
    {"Brass", 8420.0, 4430.0, 2120.0},
    {"Titanium", 4500.0, 6070.0, 3110.0},
    {"Nickel", 8880.0, 5630.0, 2960.0},
    {"Tungsten", 19250.0, 5180.0, 2870.0},
    {"Glass", 2500.0, 5660.0, 3420.0},
    {"PMMA", 1180.0, 2730.0, 1430.0},
    {"Polystyrene", 1050.0, 2350.0, 1120.0},
    {"Epoxy", 1210.0, 2540.0, 1100.0},
    {"Water", 998.0, 1483.0, 0.0},
    {"Glycerin", 1260.0, 1920.0, 0.0},
    {"PZT_5A", 7750.0, 4350.0, 1650.0},
    {"Tungsten_Epoxy", 5000.0, 1700.0, 850.0},
    {"Air", 1.204, 343.0, 0.0},
}};

inline constexpr const char* kStandardLibraryComment =
    "Standard materials for ultrasonic work. Damping off; gray levels 0, 10, 20, ... in list order.\n"
    "Lame constants from density rho and bulk wave speeds vL, vT: mu = rho*vT^2, lambda = rho*vL^2 - 2*mu.\n"
    "rho in kg/m^3, vL and vT in m/s, room temperature; sources of each value set:\n"
    "Steel 7850 5900 3230: mild (carbon) steel, ultrasonic velocity tables of NDT handbooks.\n"
    "Stainless_Steel 7900 5660 3120: austenitic stainless steel (AISI 302), NDT handbook velocity tables.\n"
    "Aluminium 2700 6320 3130: wrought aluminium alloy, NDT handbook velocity tables.\n"
    "Copper 8930 4660 2330: annealed copper, NDT handbook velocity tables.\n"
    "Brass 8420 4430 2120: naval brass, NDT handbook velocity tables.\n"
    "Titanium 4500 6070 3110: commercially pure titanium, NDT handbook velocity tables.\n"
    "Nickel 8880 5630 2960: pure nickel, NDT handbook velocity tables.\n"
    "Tungsten 19250 5180 2870: annealed tungsten, NDT handbook velocity tables.\n"
    "Glass 2500 5660 3420: crown glass, NDT handbook velocity tables.\n"
    "PMMA 1180 2730 1430: acrylic resin (Perspex, Plexiglas), NDT handbook velocity tables.\n"
    "Polystyrene 1050 2350 1120: solid polystyrene, physical and chemical handbook tables of elastic waves.\n"
    "Epoxy 1210 2540 1100: cured unfilled epoxy resin, acoustic property tables of polymers.\n"
    "Water 998 1483 0: distilled water at 20 C, physical handbook tables of sound in liquids.\n"
    "Glycerin 1260 1920 0: glycerol at 20 C, physical handbook tables of sound in liquids.\n"
    "PZT_5A 7750 4350 1650: PZT-5A type ceramic taken as an elastic solid, manufacturers' data sheets;\n"
    "  vL is the stiffened thickness velocity sqrt(c33D/rho), vT follows from c44E.\n"
    "Tungsten_Epoxy 5000 1700 850: tungsten powder in epoxy near 20 % by volume, published measurements\n"
    "  of particle-polymer backing composites; real backings vary with the loading.\n"
    "Air 1.204 343 0: dry air at 20 C and 1 atm, physical handbook tables.";

// The record of one table entry: Lame constants from the speeds, computed
// in double and stored once as float.
inline CMaterialProperty HandbookRecord(const HandbookMaterial& entry, int grayLevel) {
    CMaterialProperty m;
    m.name = entry.name;
    m.density = static_cast<float>(entry.density);
    const double mu = entry.density * entry.vt * entry.vt;
    m.mu = static_cast<float>(mu);
    m.lambda = static_cast<float>(entry.density * entry.vl * entry.vl - 2.0 * mu);
    m.grayLevel = static_cast<std::uint8_t>(grayLevel);
    m.damping = 0;
    return m;
}

// The library file text of the table, as the library writes it.
inline std::string StandardLibraryText() {
    CMaterialLibrary library;
    library.SetComment(kStandardLibraryComment);
    int gray = 0;
    for (const HandbookMaterial& entry : kHandbookMaterials) {
        library.AddMaterial(HandbookRecord(entry, gray));
        gray += 10;
    }
    return library.Text();
}

}  // namespace elix::test

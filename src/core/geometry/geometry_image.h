// The geometry image: one byte per pixel, the gray level that selects the
// pixel's material, with its resolution and the 8-bit display block built
// from it. It is a part of the model document (CElixDoc::image).
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace elix {

// Pixel (x, y) is rows[y][x]; row 0 is the top row, x grows to the right.
using ImageRows = std::vector<std::vector<std::uint8_t>>;

// Largest image the program holds, in pixels (1 GiB of gray levels). A
// file header or a command asking for more is refused instead of letting
// the allocation exhaust the machine.
inline constexpr std::int64_t kMaxImagePixels = std::int64_t{1} << 30;

// Metres per inch: a resolution of r dots per inch is r / 0.0254 pixels
// per metre.
inline constexpr double kMetresPerInch = 0.0254;

// Gray level 255 is vacuum: no material, never coloured.
inline constexpr std::uint8_t kVacuumGrayLevel = 255;

struct CGeometryImage {
    std::int32_t ImageWidth = 0;   // pixels along x
    std::int32_t ImageHeight = 0;  // pixels along y
    ImageRows Rows;                // ImageHeight rows of ImageWidth bytes
    ImageRows BackupRows;          // copy taken before an editing command, for undo
    float ResolutionX = 300.0f;    // dots per inch
    float ResolutionY = 300.0f;
    bool ShowsFrame = false;       // Rows hold a wavefield frame, not the geometry

    // The display block: a 40-byte bitmap information header, 256 palette
    // entries (blue, green, red, 0) and the rows bottom-up, each padded to
    // a multiple of 4 bytes. Empty when there is none.
    std::vector<std::uint8_t> displayBitmap;
    // Material colouring tables (allocated on first use) and whether the
    // display block uses them.
    bool tablesAllocated = false;
    std::array<std::uint8_t, 256> red{}, green{}, blue{};
    bool materialPalette = false;

    bool HasRows() const { return !Rows.empty(); }

    // Back to the state of a new document: no rows, 300 x 300 dots per
    // inch, no display block, no colouring tables.
    void Reset() { *this = CGeometryImage{}; }
};

// Gives back rows of the wanted size in rows: an array of the same size is
// kept as it is; any other is freed first and new rows are zero-filled.
// False (rows left empty) when the size is not positive, exceeds
// kMaxImagePixels or the memory cannot be had.
bool AllocateRows(ImageRows& rows, int width, int height);
void FreeRows(ImageRows& rows);

}  // namespace elix

// The transducer designer: a layered piezoelectric transducer pressed
// against a test piece, turned into a model in one step. Seven layers are
// stacked from the top of the image downward (backing, piezo, up to four
// matching layers, the testing medium); each has its own gray level. Create
// Geometry makes a new image from the widths and thicknesses, places the
// "Input" electrode pair on the piezo layer, the "Output" receiver in the
// testing medium and, because the engine does not simulate electrodes, a
// displacement source on the piezo layer's lower face that drives the stack.
//
// Everything here works without a window: the dialog only moves texts in and
// out of DesignerFieldTexts and calls these functions.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "model/item_list.h"
#include "model/job_parameters.h"
#include "model/material_property.h"

namespace elix {

class CElixDoc;

inline constexpr int kDesignerLayerCount = 7;
inline constexpr int kBackingLayer = 0;
inline constexpr int kPiezoLayer = 1;
inline constexpr int kMatching1Layer = 2;
inline constexpr int kTestingLayer = 6;

struct DesignerLayer {
    const char* name;
    std::uint8_t grayLevel;
};

// The layers in stacking order from the top of the image.
inline constexpr std::array<DesignerLayer, kDesignerLayerCount> kDesignerLayers{{
    {"Backing", 0},
    {"Piezo", 32},
    {"Matching 1", 64},
    {"Matching 2", 96},
    {"Matching 3", 128},
    {"Matching 4", 160},
    {"Testing", 192},
}};

// The designer's parameters, one record per model document (never written
// to the model file). Lengths in metres, resolution in pixels per metre,
// frequency in Hz.
struct CTransducerDesigner {
    std::string name;
    float imageWidth = 0.02f;
    float transducerWidth = 0.01f;
    // Backing, piezo, matching 1..4, testing: the layers' thicknesses.
    std::array<float, kDesignerLayerCount> thickness{0.005f, 0.001f, 0.001f, 0.0f, 0.0f, 0.0f, 0.005f};
    float imageResolution = 20000.0f;  // pixels per metre
    float centreFrequency = 1e6f;      // Hz
    // Create Geometry also places a displacement source on the piezo
    // layer's lower face (electrodes do not drive the engine).
    bool driveWithSource = true;

    // Depth of the top face of a layer: the sum of the thicknesses above it.
    double LayerTop(int layer) const;
};

// --- stepping through the layers ------------------------------------------

// The layer after (direction +1) or before (-1) current, wrapping around the
// seven layers; Matching 2, 3 and 4 are skipped while their thickness is 0.
int StepDesignerLayer(const CTransducerDesigner& designer, int current, int direction);

// --- the layer's material data ---------------------------------------------

// The message under the fields for one layer: "%s\n%s" with the layer and
// material name, then "\nVL = %g (m/s)", "\nZL = %g (MRayl)" and
// "\nL. Wave Length = %g (mm)" at the centre frequency; "%s\n'Undefined
// material'" when no material carries the layer's gray level. An
// orthotropic material is taken with mu = C55 and lambda = C33 - 2 C55.
std::string LayerMaterialText(const CItemList<CMaterialProperty>& materials, int layer, double centreFrequency);

// --- the dialog's fields ------------------------------------------------------

// The numeric fields in dialog order: image width, transducer width, the
// seven thicknesses, resolution, centre frequency.
inline constexpr int kDesignerNumberFields = 11;
inline constexpr int kImageWidthField = 0;
inline constexpr int kTransducerWidthField = 1;
inline constexpr int kFirstThicknessField = 2;
inline constexpr int kResolutionField = 9;
inline constexpr int kFrequencyField = 10;

// "Image Width (mm)", ..., "Backing Layer (mm), 0", ..., "Center Frequency (MHz)".
const std::array<const char*, kDesignerNumberFields>& DesignerFieldLabels();

// The absorbing-side boxes in dialog order ("Top Side", "Left Side",
// "Bottom Side", "Right Side") and their bits of InfiniteBCIndex.
inline constexpr std::array<const char*, 4> kDesignerSideLabels{"Top Side", "Left Side", "Bottom Side", "Right Side"};
inline constexpr std::array<std::uint8_t, 4> kDesignerSideBits{1, 4, 2, 8};
inline constexpr std::uint8_t kAllSideBits = 1 | 2 | 4 | 8;

// What the dialog shows: lengths in mm, resolution in pixel/mm, frequency in
// MHz, each with "%g".
struct DesignerFieldTexts {
    std::string name;
    std::array<std::string, kDesignerNumberFields> numbers;
    std::array<bool, 4> sides{};
    bool driveWithSource = true;
};

DesignerFieldTexts ShowDesignerFields(const CTransducerDesigner& designer, const CJobParameters& job);

// Validates every field, then converts back (mm / 1000, pixel/mm x 1000,
// MHz x 1e6), stores the record and rebuilds the four side bits of the
// absorbing sides from the boxes (other bits stay). Widths and the
// resolution must be above 0, thicknesses and the frequency at least 0.
// Returns -1 on success; otherwise the index of the first field that does
// not parse or lies outside its range, with the range message in message,
// and nothing is changed.
int StoreDesignerFields(const DesignerFieldTexts& texts, CTransducerDesigner& designer, CJobParameters& job,
                        std::string& message);

// --- building the model ------------------------------------------------------

// Create Geometry: a new image of r W + 0.5 by r (t0 + ... + t6) + 0.5
// pixels (truncated, at least 1) at r x 0.0254 dots per inch filled with
// gray 255; the layers painted as rectangles of the transducer width
// centred in the image (backing, piezo, matching 1..4), the testing layer
// over the full width; the working file rewritten; the first electrode pair
// ("Input" when there is none) on the piezo layer's top face with the piezo
// thickness as its gap; the first receiver ("Output", pressure, when there
// is none) as a horizontal line half the transducer width long a quarter of
// the way into the testing layer; with driveWithSource the first source
// ("Drive" when there is none) on the piezo layer's lower face. The model
// keeps its geometry file name. A size that gives no usable image is
// reported through the document's ReportMessage before anything changes.
bool CreateTransducerGeometry(CElixDoc& doc, const CTransducerDesigner& designer);

// The drive source's time function at the centre frequency: one cycle of a
// sine, "Sine Pulse,2,1,%g".
std::string DriveTimeFunction(double centreFrequency);

// Plot Gain: the gain plot from the spectrum plot at the centre frequency.
// False, nothing changed, when there are no spectra.
bool PlotTransducerGain(CElixDoc& doc, const CTransducerDesigner& designer);

}  // namespace elix

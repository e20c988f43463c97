// Wavefield frames: the displacement fields of the grid turned into one
// gray level per node, written into the document's image in place of the
// geometry.
//
// Per node (column i, row j), with the document's display parameters:
//
//   flag byte > 31 (FLAG_FIX_U, FLAG_FIX_V: held nodes) or vacuum  -> 255
//   otherwise  d = 200 sqrt(U^2 + V^2)   "U and V"
//                  200 |U|               "U only"
//                  200 |V|               "V only"
//                  0                     any other display type
//              s = d * 255 / previous maximum   DispScale 0 (automatic)
//                  DispScale * d                otherwise
//              g = trunc(s) below 255, else 255; a negative s gives 0
//   contrast on:  g = curve[g], curve[i] = trunc(255 ln(1 + 50 i / 255) / ln 51)
//   interface node (index >= number of pure sets): g = min(g + InterfaceBright, 255)
//
// The previous maximum is the largest d of the frame made before, shared by
// every document of the process (255 before the first frame).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "geometry/geometry_image.h"
#include "model/job_parameters.h"

namespace elix {

class CElixDoc;
struct CNodeGrid;

// What the gray level of a node measures.
enum class DisplayQuantity {
    Magnitude,  // "U and V"
    UOnly,      // "U only"
    VOnly,      // "V only"
    Nothing,    // any other text: every material node is black
};

DisplayQuantity DisplayQuantityOf(std::string_view dispType);

// The display parameters a frame is made with.
struct FrameSettings {
    std::int16_t DispFreq = 1;
    DisplayQuantity quantity = DisplayQuantity::Magnitude;
    float DispScale = 1.0f;
    std::uint8_t InterfaceBright = 63;
    bool contrast = true;  // the Contrast Enhance command's flag

    static FrameSettings FromJob(const CJobParameters& job, bool contrast);
};

// Node flag bytes above this value paint their node white.
inline constexpr std::uint8_t kLastUnmarkedFlagByte = 31;

// Metres per displacement unit: the fields are scaled by this before the
// display scale applies.
inline constexpr double kDisplacementGain = 200.0;

// The process-wide previous maximum before any frame was made.
inline constexpr double kInitialPreviousMaximum = 255.0;

// The contrast curve, computed on first use.
const std::array<std::uint8_t, 256>& ContrastCurve();

// The previous maximum shared by all documents. Setting it is for a fresh
// start (tests, a new process state); frames update it themselves.
double PreviousFrameMaximum();
void SetPreviousFrameMaximum(double value);

// Whether a frame is made at step: DispFreq at least 1 and step a multiple
// of it.
bool IsFrameStep(int step, int dispFreq);

// The conversion itself: writes (nx + 1) x (ny + 1) gray levels into rows,
// which must already have that size, dividing by previousMaximum under
// automatic scaling. Returns this frame's largest displacement value d over
// the nodes that are neither held nor vacuum (0 when there is none).
double ConvertWavefield(const CNodeGrid& grid, const FrameSettings& settings, double previousMaximum, ImageRows& rows);

// Makes the frame of step into image: nothing (false) when step is no frame
// step or the rows cannot be had; otherwise the image becomes
// (nx + 1) x (ny + 1) pixels (a row array of that size is reused), the
// process-wide previous maximum takes this frame's largest value, the
// resolution becomes 0.0254 / hx by 0.0254 / hy dots per inch (each only
// for a spacing above 0, in metres), and ShowsFrame is set.
bool MakeWavefieldFrame(CGeometryImage& image, const CNodeGrid& grid, const FrameSettings& settings, int step,
                        double hx, double hy);

// The same with the document's job parameters. Rebuilding the display
// block and redrawing the views is the caller's (the run loop asks with
// the hint 'r').
bool MakeWavefieldFrame(CElixDoc& doc, const CNodeGrid& grid, int step, double hx, double hy, bool contrast);

// Remakes the frame from the current fields whatever the step (a DispFreq
// below 1 still makes none); on success rebuilds the display block and
// redraws all views with the hint 'a'. Used when Contrast Enhance is
// toggled during a run.
bool RedrawCurrentFrame(CElixDoc& doc, const CNodeGrid& grid, double hx, double hy, bool contrast);

}  // namespace elix

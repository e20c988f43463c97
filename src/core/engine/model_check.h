// The model check: whether the grid can be built from the model, whether
// its excitations are consistent (rigid-body motion, array delays, pressure
// sources, zero-length items) and whether memory suffices. The individual
// checks serve run preparation; CheckModel is the "Check Model" command.
#pragma once

#include <string>

#include "engine/time_step.h"
#include "platform/memory_status.h"

namespace elix {

class CElixDoc;
struct CSource;

// "Warning: There may be rigid body motion in x y direction(s)." (naming
// the free directions), or an empty text when boundary conditions and
// sources hold both x and y for the whole simulation. A component holds
// when it is on and either never released or released only at or after
// the end of the simulation (its duration >= Duration); oblique items hold
// both directions, items normal to x hold x with the longitudinal and y
// with the shear component, items normal to y the other way round.
// Sources count as released once their excitation is over (their
// durations decide); boundary conditions when "Active in Duration Only" is on.
std::string RigidBodyWarning(const CElixDoc& doc);

// Run preparation: every active boundary condition, every active source
// and every receiver, clipped to the image, must keep a length above zero.
// Coordinates within 1e-6 of the image size (relative) count as on the
// edge. False with "BC '%s' has zero length. ...", "Source '%s' ..." or
// "Receiver '%s' ..." for the first item that fails.
bool CheckZeroLengths(const CElixDoc& doc, std::string& message);

// The "Front" and "Back" array delays (s) of an array source on the run
// grid: the largest positive and the largest negative (as a positive
// number) per-point delay over the components that are on, over the
// segment's grid samples outside element gaps. False with the "No
// material is defined for gray level ..." message when the region gray
// level has no material.
bool SourceArrayTimeDelays(const CElixDoc& doc, const CRunGeometry& geometry, const CSource& source, double& front,
                           double& back, std::string& error);

// "Array Time Delay:\nFront = %f(us), Back = %f(us)." for delays in seconds.
std::string ArrayTimeDelayText(double front, double back);

// The source and receiver array check of run preparation. text receives
// what was gathered: truncation warnings of array sources whose front or
// back delay setting is below the computed one (with their trailing note),
// and on failure the errors of pressure sources (shear mode, not facing x
// or y, point source) or of array items simulating both modes, each with
// its notes. True when only warnings (or nothing) were found.
bool CheckSourceReceiverArrays(const CElixDoc& doc, const CRunGeometry& geometry, std::string& text);

// The "Model Data" dialog's values, formatted as shown.
struct ModelData {
    std::string hx;            // "%.4fmm"
    std::string hy;            // "%.4fmm"
    std::string dt;            // "%.4fus"
    std::string width;         // "%d (%.2fmm)": image pixels and physical width
    std::string height;        // "%d (%.2fmm)"
    std::string totalStep;     // "%d (%.2fus)": total steps and Duration
    std::string gridPerPixel;  // "%.4f": 0.0254 / (dpiX hx), grid cells per image pixel
    std::string imageFile;
    std::string memoryText;    // the memory check's text
    // The gathered warnings: the rigid-body warning and the array check's
    // notes, each opening with "Warning: "; empty when there are none.
    std::string warnings;

    // The dialog's text box: the memory result, then the warnings.
    std::string TextBox() const;
};

struct CheckModelResult {
    bool performed = false;  // false: a run is in progress and nothing was done
    bool ok = false;         // the grid figures are valid and shown
    std::string message;     // the failure message (shown in a message box)
    ModelData data;
};

// The "Check Model" command: rigid-body check, materials and time step
// with the array checks, memory check (warnings only). Leaves the failure
// message, or the memory check's text, in the document's message text. A
// geometry showing a wavefield frame is reloaded from the working file
// first. The second form takes the memory status instead of asking the
// system.
CheckModelResult CheckModel(CElixDoc& doc);
CheckModelResult CheckModel(CElixDoc& doc, const MemoryStatus& memory);

}  // namespace elix

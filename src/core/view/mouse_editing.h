// Mouse editing in the model view: the left button grabs the nearest end
// point of an item of the display category (within 1 mm), mouse moves drag
// it while the button is held, and the release ends the drag. Every drag
// step edits the record in the document directly, updates the size text
// and marks the document modified; there is no undo.
//
// Mouse positions are the view's scrolled coordinates in screen pixels.
#pragma once

#include <cstdint>
#include <string>

#include "view/model_view_geometry.h"

namespace elix {

class CElixDoc;

// The item kinds of the "All" category.
inline constexpr const char* kKindBoundaryCondition = "BC";
inline constexpr const char* kKindSource = "Source";
inline constexpr const char* kKindReceiver = "Receiver";

// A click must come closer than this to an end point to grab it, metres.
inline constexpr double kGrabDistance = 0.001;

// One view's editing state.
struct MouseEditState {
    bool dragging = false;
    std::int16_t selectedIndex = 0;  // the grabbed item's index in its list
    std::int16_t selectedEnd = -1;   // 0 first end point, 1 second, -1 none
    std::string selectedKind;        // "BC", "Source" or "Receiver" in "All", else empty
};

// The kind of item a drag in this category edits: the category's own list,
// or in "All" the grabbed kind. Empty when the category has no items to
// drag.
std::string DraggedKind(const std::string& category, const MouseEditState& state);

// Left button down: the hit test over the items of the document's display
// category ("All": boundary conditions, then sources, then receivers). The
// first end point, then the second, of each item in list order is measured;
// one strictly nearer than the best so far wins. A best distance below 1 mm
// grabs that end point and returns true; otherwise dragging stays clear.
bool PressLeftButton(const CElixDoc& doc, MouseEditState& state, double mouseX, double mouseY, double zoom);

// What a mouse move did: the readout for the status bar (the document's
// SizeText holds the size pane's text) and whether an item was moved.
struct MouseMoveResult {
    MouseReadout readout;
    bool moved = false;
};

// Mouse move. Without the left button the drag ends. The readout's
// material name goes into SizeText; while dragging, the grabbed end point
// takes the mouse position (each coordinate only where valid, clamped to
// the image), pulse-echo sources take their echo receivers along, SizeText
// becomes "BC Size = %.2fmm", "Source Size = %.2fmm" or "Receiver Size =
// %.2fmm", the document is marked modified and every view is redrawn (hint
// 'a' in "All", 0 otherwise).
MouseMoveResult MoveMouse(CElixDoc& doc, MouseEditState& state, double mouseX, double mouseY, double zoom,
                          bool leftButtonHeld);

// Left button up: ends a drag and redraws every view with hint 'a'. True
// when a drag was ended.
bool ReleaseLeftButton(CElixDoc& doc, MouseEditState& state);

// The grabbed end point in metres; false when nothing valid is grabbed
// (no drag, or the index lies past its list's count).
bool GrabbedEndPoint(const CElixDoc& doc, const MouseEditState& state, double& x, double& y);

}  // namespace elix

// Paints the model view's overlay (legend, items, absorbing sides, markers,
// drag cross) with a QPainter, over the model image or a wavefield frame.
#pragma once

#include <QPoint>

class QPainter;

namespace elix {

struct Overlay;

// Draws every primitive in order, shifted by origin (the painter's device
// position of the scrollable area's top-left corner). Legend texts use the
// overlay's font family at its size in points on a 96-dpi screen, given as
// pixels, so that on paper they scale with the legend's distances.
void PaintOverlay(QPainter& painter, const Overlay& overlay, QPoint origin);

}  // namespace elix

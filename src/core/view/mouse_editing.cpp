#include "view/mouse_editing.h"

#include <cmath>

#include "geometry/geometry_image.h"
#include "model/elix_doc.h"
#include "model/location_rules.h"
#include "model/source_editor.h"
#include "platform/text_format.h"
#include "view/overlay.h"

namespace elix {

namespace {

// Calls act with the list of the kind ("BC", "Source", "Receiver"); false
// for any other kind.
template <class Doc, class Act>
bool WithList(Doc& doc, const std::string& kind, Act&& act) {
    if (kind == kKindBoundaryCondition)
        act(doc.BoundaryConditions());
    else if (kind == kKindSource)
        act(doc.Sources());
    else if (kind == kKindReceiver)
        act(doc.Receivers());
    else
        return false;
    return true;
}

// The unclamped mouse position in metres from the image's top-left corner.
void MouseMetres(const CElixDoc& doc, double mouseX, double mouseY, double zoom, double& x, double& y) {
    x = (mouseX - kViewLeftMargin) / zoom * kMetresPerInch / doc.image.ResolutionX;
    y = (mouseY - kViewTopMargin) / zoom * kMetresPerInch / doc.image.ResolutionY;
}

struct BestHit {
    double distance = 1e10;
    std::int16_t index = 0;
    std::int16_t end = -1;
    std::string kind;
};

template <class List>
void MeasureList(const List& list, const std::string& kind, double x, double y, BestHit& best) {
    for (int k = 0; k < list.Count(); ++k) {
        const auto& item = list[k];
        const double ends[2][2] = {{item.x1, item.y1}, {item.x2, item.y2}};
        for (std::int16_t end = 0; end < 2; ++end) {
            const double d = std::hypot(x - ends[end][0], y - ends[end][1]);
            if (d < best.distance) {
                best.distance = d;
                best.index = static_cast<std::int16_t>(k);
                best.end = end;
                best.kind = kind;
            }
        }
    }
}

const char* SizeFormat(const std::string& kind) {
    if (kind == kKindBoundaryCondition) return "BC Size = %.2fmm";
    if (kind == kKindSource) return "Source Size = %.2fmm";
    return "Receiver Size = %.2fmm";
}

// Every pulse-echo source's echo receiver takes the source's end points.
void MoveEchoReceivers(CElixDoc& doc) {
    const CItemList<CSource>& sources = doc.Sources();
    CItemList<CReceiver>& receivers = doc.Receivers();
    for (int k = 0; k < sources.Count(); ++k) {
        const CSource& source = sources[k];
        if (!source.pulseEcho) continue;
        const int echo = receivers.Find(EchoReceiverName(source.name));
        if (echo < 0) continue;
        SetSegment(receivers[echo], SegmentOf(source));
    }
}

}  // namespace

std::string DraggedKind(const std::string& category, const MouseEditState& state) {
    if (category == kCategoryBoundaryConditions) return kKindBoundaryCondition;
    if (category == kCategorySources) return kKindSource;
    if (category == kCategoryReceivers) return kKindReceiver;
    if (category == kCategoryAll) return state.selectedKind;
    return {};
}

bool PressLeftButton(const CElixDoc& doc, MouseEditState& state, double mouseX, double mouseY, double zoom) {
    state.dragging = false;
    state.selectedEnd = -1;
    state.selectedKind.clear();
    if (!doc.image.HasRows() || !(zoom > 0.0)) return false;
    double x = 0.0, y = 0.0;
    MouseMetres(doc, mouseX, mouseY, zoom, x, y);

    const std::string& category = doc.DisplayCategory;
    const bool all = category == kCategoryAll;
    BestHit best;
    if (all || category == kCategoryBoundaryConditions)
        MeasureList(doc.BoundaryConditions(), kKindBoundaryCondition, x, y, best);
    if (all || category == kCategorySources) MeasureList(doc.Sources(), kKindSource, x, y, best);
    if (all || category == kCategoryReceivers) MeasureList(doc.Receivers(), kKindReceiver, x, y, best);
    if (best.end < 0 || !(best.distance < kGrabDistance)) return false;

    state.selectedIndex = best.index;
    state.selectedEnd = best.end;
    if (all) state.selectedKind = best.kind;
    state.dragging = true;
    return true;
}

MouseMoveResult MoveMouse(CElixDoc& doc, MouseEditState& state, double mouseX, double mouseY, double zoom,
                          bool leftButtonHeld) {
    MouseMoveResult result;
    if (!leftButtonHeld) state.dragging = false;
    result.readout = ReadMouse(doc, mouseX, mouseY, zoom);
    if (result.readout.sizeText) doc.SizeText = *result.readout.sizeText;
    if (!state.dragging || state.selectedEnd < 0) return result;

    const std::string kind = DraggedKind(doc.DisplayCategory, state);
    const MouseReadout& at = result.readout;
    bool moved = false;
    WithList(doc, kind, [&](auto& list) {
        if (state.selectedIndex < 0 || state.selectedIndex >= list.Count()) return;
        auto& item = list[state.selectedIndex];
        float& x = state.selectedEnd == 0 ? item.x1 : item.x2;
        float& y = state.selectedEnd == 0 ? item.y1 : item.y2;
        if (at.xValid) x = static_cast<float>(at.x);
        if (at.yValid) y = static_cast<float>(at.y);
        // The records hold no direction: the engine and the overlay derive
        // it from the end points each time, so the new segment is all there
        // is to update.
        doc.SizeText = Format(SizeFormat(kind), SegmentOf(item).Length() * 1000.0);
        moved = true;
    });
    if (!moved) return result;
    if (kind == kKindSource) MoveEchoReceivers(doc);
    doc.SetModifiedFlag();
    doc.UpdateAllViews(doc.DisplayCategory == kCategoryAll ? 'a' : '\0');
    result.moved = true;
    return result;
}

bool ReleaseLeftButton(CElixDoc& doc, MouseEditState& state) {
    if (!state.dragging) return false;
    state.dragging = false;
    doc.UpdateAllViews('a');
    return true;
}

bool GrabbedEndPoint(const CElixDoc& doc, const MouseEditState& state, double& x, double& y) {
    if (!state.dragging || state.selectedEnd < 0) return false;
    bool found = false;
    WithList(doc, DraggedKind(doc.DisplayCategory, state), [&](const auto& list) {
        if (state.selectedIndex < 0 || state.selectedIndex >= list.Count()) return;
        const auto& item = list[state.selectedIndex];
        x = state.selectedEnd == 0 ? item.x1 : item.x2;
        y = state.selectedEnd == 0 ? item.y1 : item.y2;
        found = true;
    });
    return found;
}

}  // namespace elix

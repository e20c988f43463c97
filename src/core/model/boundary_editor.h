// The boundary condition editor ("Boundary Condition") without its window:
// location by side with the offer to cover the whole side, and the
// Advanced editor ("Advanced Boundary Conditions") with its times in
// microseconds.
#pragma once

#include "model/boundary_condition.h"
#include "model/elix_doc.h"
#include "model/field_range.h"
#include "model/item_editor.h"
#include "model/location_rules.h"

namespace elix {

inline constexpr const char* kCoverSideQuestion = "Do you want to cover the entire side with this BC?";

// The Advanced editor's fields, in the units shown.
struct BoundaryAdvancedFields {
    EndPointFields endPoints;
    double longitudinalDurationUs = 0.0;  // "Longtudinal Mode Time Duration (us)"
    double shearDurationUs = 0.0;         // "Shear Mode Time Duration (us)"
    double timeDelayUs = 0.0;             // "Time Delay (us)"
    bool activeInDurationOnly = false;    // "Active in Duration Only"
};

inline constexpr FieldRange kDurationRange{0.0, 1e20};  // microseconds
inline constexpr FieldRange kDelayRange{-1e20, 1e20};   // microseconds

BoundaryAdvancedFields ShowBoundaryAdvanced(const CBoundaryCondition& bc);
// A field out of its range is shown through report and nothing changes.
bool TakeBoundaryAdvanced(const BoundaryAdvancedFields& fields, CBoundaryCondition& bc, const FieldReport& report);

class CBoundaryEditor {
public:
    // model: the width and height the side table uses.
    CBoundaryEditor(CElixDoc& doc, const ModelExtent& model);

    CItemEditor<CBoundaryCondition>& Items() { return m_items; }
    CBoundaryCondition& Buffer() { return m_items.buffer; }

    void Load();
    LocationFields Location() const { return m_location; }

    // The Location box changed to fields.location. For a side the editor
    // asks "Do you want to cover the entire side with this BC?": Yes makes
    // the segment the whole side (size = the side's length, offset 0); No
    // applies the side conversion with the size and offset on display.
    // "Advanced" keeps the segment. Returns false when a field is refused.
    bool ChangeLocation(const LocationFields& fields);
    bool TakeLocation(const LocationFields& fields);

    // The Advanced editor: refused with "Please add boundary contition
    // before checking this option." on an empty list.
    bool OpenAdvanced();
    bool TakeAdvanced(const BoundaryAdvancedFields& fields);

    bool Apply(const LocationFields& fields);

private:
    void Show();
    FieldReport Reporter();

    CElixDoc& m_doc;
    ModelExtent m_model;
    CItemEditor<CBoundaryCondition> m_items;
    LocationFields m_location;
};

}  // namespace elix

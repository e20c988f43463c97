// The source editor ("Source Configuration") without its window: location
// by side, the array editor's conversions, the point-source warning and the
// receivers a source owns.
//
// A source can own two receivers, found by name: its echo receiver
// (source name + " Echo"), lying on the source's own segment, and its
// through receiver (source name + " Through"), lying on the mirror image of
// the source's segment on the opposite side. Both follow the source's
// segment, apodizations, array flags and blocks and its longitudinal and
// shear mode flags; everything else is the receiver default.
#pragma once

#include <string>

#include "model/elix_doc.h"
#include "model/field_range.h"
#include "model/item_editor.h"
#include "model/location_rules.h"
#include "model/receiver.h"
#include "model/source.h"

namespace elix {

inline constexpr const char* kPointSourceWarning = "Warning:\nPoint source only works with Signal Type = displacement.";
inline constexpr const char* kNoEchoReceiverText = "No Echo Receiver can be deleted";
inline constexpr const char* kNoThroughReceiverText = "No Through Receiver can be deleted";
inline constexpr const char* kSourceNotOnEdgeText = "Source must be on one of the four edges";

std::string EchoReceiverName(const std::string& sourceName);
std::string ThroughReceiverName(const std::string& sourceName);

// A default receiver with the given name on the given segment, with the
// source's apodizations, array flags, element and focusing blocks and mode
// flags. A receiver with array data is written in form 2, where its array
// blocks have a place.
CReceiver ReceiverFollowingSource(const CSource& source, const std::string& name, const Segment& segment);

// A point source drives a displacement; with signal type pressure the
// editor warns when the source is applied.
bool PointSourceNeedsWarning(const CSource& source);

// --- array editor ("Source Array Configuration", "Receiver Array
// Configuration") -------------------------------------------------------

// The array editor's fields, in the units shown. With "Automatic" focusing
// the focal length is a0 times the array length and the deflection angle is
// atan(a1) in degrees; with "Manual" a0..a4 are edited as they are.
struct ArrayFields {
    bool elementGrouping = false;
    double elementSizeMm = 0.0;     // "Element size (mm)"
    double elementSpacingMm = 0.0;  // "Element Spacing (mm)" = size + gap
    bool delayLaw = false;
    bool automatic = true;          // law selector: "Automatic" or "Manual"
    int regionGrayLevel = 0;        // "Region Gray Level", 0 to 254
    double focalLengthMm = 0.0;     // "Focal Length (mm)\n( 0 means unfocussed)"
    double deflectionDeg = 0.0;     // "Deflection Angle (Deg.)"
    double a[5] = {0.0, 0.0, 0.0, 0.0, 0.0};  // Manual coefficients
};

inline constexpr FieldRange kRegionGrayRange{0.0, 254.0};
// A deflection of 90 degrees has no tangent; the editor stays short of it.
inline constexpr FieldRange kDeflectionRange{-89.999, 89.999};

// The curve and array flags after the editor's array box ("Source Array",
// "Receiver Array") is set or cleared: set, both blocks are present (the
// excitation-direction bit kept); cleared, the item is no array (the blocks
// keep their values, they are only not written).
std::uint8_t ArrayFlagsWithArray(std::uint8_t flags, bool on);

// arrayLength is the item's segment length, m.
ArrayFields ShowArrayFields(const ArrayElementBlock& element, const ArrayFocusingBlock& focusing, double arrayLength);
// On OK: a0 = focal length / array length (kept when the array has no
// length), a1 = tan(deflection angle); gap = spacing - size. A field out of
// its range is shown through report and nothing changes.
bool TakeArrayFields(const ArrayFields& fields, double arrayLength, ArrayElementBlock& element,
                     ArrayFocusingBlock& focusing, const FieldReport& report);

// The wedge editor's "Theta (Deg)": a wedge of 90 degrees would have no end.
inline constexpr FieldRange kWedgeAngleRange{0.0, 89.999};

// --- the editor -----------------------------------------------------------

class CSourceEditor {
public:
    // model: the width and height the side table uses (the document's
    // physical size); the receivers a source owns are placed in the image's
    // pixel extent (PixelExtent(doc.image)).
    CSourceEditor(CElixDoc& doc, const ModelExtent& model);

    CItemEditor<CSource>& Items() { return m_items; }
    CSource& Buffer() { return m_items.buffer; }

    // The model's size changed (a wedge grew the image): the location is
    // shown against the new size.
    void SetModel(const ModelExtent& model) {
        m_model = model;
        Show();
    }

    // Loads the current source and shows its location; the "Through
    // Transmisson" box is on when its through receiver exists.
    void Load();
    LocationFields Location() const { return m_location; }
    bool ThroughTransmission() const { return m_through; }

    // Takes the location fields into the buffer's segment; false when a
    // field is refused.
    bool TakeLocation(const LocationFields& fields);

    // "Pulse Echo" set: adds the echo receiver on the source's segment
    // unless a receiver of that name exists. Cleared: asks "Receiver '%s'
    // will be deleted, continue?" and deletes it (No keeps the box set), or
    // reports "No Echo Receiver can be deleted". Returns the new state of
    // the box.
    bool SetPulseEcho(const LocationFields& fields, bool on);
    // "Through Transmisson" set: adds the through receiver on the mirrored
    // segment; refused with "Source must be on one of the four edges" for
    // "Advanced". Cleared as for the echo receiver. Returns the new state.
    bool SetThroughTransmission(const LocationFields& fields, bool on);

    // Apply: the point-source warning, then the list's apply.
    bool Apply(const LocationFields& fields);
    // Delete: the list's delete; a deleted source with pulse echo or
    // through transmission set offers to delete each of its receivers with
    // "Do you want to delete receiver \"%s\"?", or reports the missing one.
    bool Delete(const LocationFields& fields);
    // The other list actions, each after taking the location fields.
    bool Add(const LocationFields& fields);
    bool Copy(const LocationFields& fields);
    bool Previous(const LocationFields& fields);
    bool Next(const LocationFields& fields);

private:
    bool AddOwnedReceiver(const std::string& name, const Segment& segment);
    bool RemoveOwnedReceiver(const std::string& name, const char* noneText);
    void Show();

    CElixDoc& m_doc;
    ModelExtent m_model;
    CItemEditor<CSource> m_items;
    LocationFields m_location;
    bool m_through = false;
};

}  // namespace elix

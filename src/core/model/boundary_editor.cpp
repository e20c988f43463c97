#include "model/boundary_editor.h"

#include "model/receiver_editor.h"

namespace elix {

BoundaryAdvancedFields ShowBoundaryAdvanced(const CBoundaryCondition& bc) {
    BoundaryAdvancedFields f;
    f.endPoints = ShowEndPoints(SegmentOf(bc));
    f.longitudinalDurationUs = MicrosecondsFromSeconds(bc.longitudinalDuration);
    f.shearDurationUs = MicrosecondsFromSeconds(bc.shearDuration);
    f.timeDelayUs = MicrosecondsFromSeconds(bc.timeDelay);
    f.activeInDurationOnly = bc.activeInDurationOnly != 0;
    return f;
}

bool TakeBoundaryAdvanced(const BoundaryAdvancedFields& f, CBoundaryCondition& bc, const FieldReport& report) {
    Segment segment;
    if (!TakeEndPoints(f.endPoints, segment, report)) return false;
    if (!CheckFieldRange(f.longitudinalDurationUs, kDurationRange, report)) return false;
    if (!CheckFieldRange(f.shearDurationUs, kDurationRange, report)) return false;
    if (!CheckFieldRange(f.timeDelayUs, kDelayRange, report)) return false;
    SetSegment(bc, segment);
    bc.longitudinalDuration = SecondsFromMicroseconds(f.longitudinalDurationUs);
    bc.shearDuration = SecondsFromMicroseconds(f.shearDurationUs);
    bc.timeDelay = SecondsFromMicroseconds(f.timeDelayUs);
    bc.activeInDurationOnly = f.activeInDurationOnly ? 1 : 0;
    return true;
}

CBoundaryEditor::CBoundaryEditor(CElixDoc& doc, const ModelExtent& model)
    : m_doc(doc), m_model(model), m_items(CItemEditor<CBoundaryCondition>::ForDocument(doc)) {
    Show();
}

FieldReport CBoundaryEditor::Reporter() {
    return [this](const std::string& text, MessageStyle style) { return m_doc.ReportMessage(text, style); };
}

void CBoundaryEditor::Load() {
    m_items.Load();
    Show();
}

void CBoundaryEditor::Show() { m_location = ShowLocation(SegmentOf(m_items.buffer), m_model); }

bool CBoundaryEditor::TakeLocation(const LocationFields& fields) {
    Segment segment = SegmentOf(m_items.buffer);
    if (!elix::TakeLocation(fields, segment, m_model, Reporter())) return false;
    SetSegment(m_items.buffer, segment);
    m_location = fields;
    return true;
}

bool CBoundaryEditor::ChangeLocation(const LocationFields& fields) {
    // The values on display are checked before the question is asked.
    Segment segment = SegmentOf(m_items.buffer);
    if (!elix::TakeLocation(fields, segment, m_model, Reporter())) return false;
    if (fields.location != SideLocation::Advanced &&
        m_doc.ReportMessage(kCoverSideQuestion, MessageStyle::Question) == MessageAnswer::Yes) {
        segment = CoverSide(fields.location, m_model);
        SetSegment(m_items.buffer, segment);
        m_location = {fields.location, SideLength(fields.location, m_model) * 1000.0, 0.0};
        return true;
    }
    SetSegment(m_items.buffer, segment);
    m_location = fields;
    return true;
}

bool CBoundaryEditor::OpenAdvanced() { return m_items.RequireItemForOption(); }

bool CBoundaryEditor::TakeAdvanced(const BoundaryAdvancedFields& fields) {
    if (!TakeBoundaryAdvanced(fields, m_items.buffer, Reporter())) return false;
    Show();
    return true;
}

bool CBoundaryEditor::Apply(const LocationFields& fields) { return TakeLocation(fields) && m_items.Apply(); }

}  // namespace elix

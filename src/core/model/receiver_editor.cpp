#include "model/receiver_editor.h"

#include <cmath>

#include "model/source_editor.h"
#include "platform/files.h"

namespace elix {

float GainFactorFromDb(double gainDb) { return static_cast<float>(std::pow(10.0, gainDb / 20.0)); }

double GainDbFromFactor(double factor) { return factor > 0.0 ? 20.0 * std::log10(factor) : 0.0; }

std::string NameRelativeToModel(const std::string& modelPath, const std::string& chosenPath) {
    const std::string folder = NormalizeSeparators(DirectoryOf(modelPath));
    const std::string chosen = NormalizeSeparators(chosenPath);
    if (folder.empty() || DirectoryOf(chosen) != folder) return chosen;
    return FileNameOf(chosen);
}

float SecondsFromMicroseconds(double microseconds) { return static_cast<float>(microseconds * 1e-6); }

double MicrosecondsFromSeconds(double seconds) { return seconds * 1e6; }

ReceiverAdvancedFields ShowReceiverAdvanced(const CReceiver& r) {
    ReceiverAdvancedFields f;
    f.endPoints = ShowEndPoints(SegmentOf(r));
    f.gainDb = GainDbFromFactor(r.gainFactor);
    f.blankingUs = MicrosecondsFromSeconds(r.blanking);
    f.durationUs = MicrosecondsFromSeconds(r.duration);
    f.damping = r.damping;
    f.receiverArray = (r.curveArrayFlags & (kArrayElementBlock | kArrayFocusingBlock)) != 0;
    f.averagedOnly = r.averagedOnly != 0;
    f.longitudinalApodization = r.longitudinalApodization;
    f.shearApodization = r.shearApodization;
    return f;
}

std::int16_t ReceiverAdvancedForm(const CReceiver& r, bool receiverArray) {
    // The damping has a place only in form 2, so it selects form 2 too.
    const bool plain = !receiverArray && r.gainFactor == 1.0f && !(r.blanking > 0.0f) && !(r.duration > 0.0f) &&
                       r.damping == 0.0f;
    return plain ? CReceiver::kPlainForm : CReceiver::kAdvancedForm;
}

bool TakeReceiverAdvanced(const ReceiverAdvancedFields& f, CReceiver& receiver, const FieldReport& report) {
    Segment segment;
    if (!TakeEndPoints(f.endPoints, segment, report)) return false;
    if (!CheckFieldRange(f.gainDb, kGainRange, report)) return false;
    if (!CheckFieldRange(f.blankingUs, kTimeRange, report)) return false;
    if (!CheckFieldRange(f.durationUs, kTimeRange, report)) return false;
    if (!CheckFieldRange(f.damping, kDampingRange, report)) return false;
    SetSegment(receiver, segment);
    receiver.gainFactor = GainFactorFromDb(f.gainDb);  // 0 dB gives exactly 1
    receiver.blanking = SecondsFromMicroseconds(f.blankingUs);
    receiver.duration = SecondsFromMicroseconds(f.durationUs);
    receiver.damping = static_cast<float>(f.damping);
    receiver.averagedOnly = f.averagedOnly ? 1 : 0;
    receiver.longitudinalApodization = f.longitudinalApodization;
    receiver.shearApodization = f.shearApodization;
    // A receiver made an array gets both blocks, so its array fields are
    // written and used; cleared, the blocks keep their values unwritten.
    if (!f.receiverArray || (receiver.curveArrayFlags & (kArrayElementBlock | kArrayFocusingBlock)) == 0)
        receiver.curveArrayFlags = ArrayFlagsWithArray(receiver.curveArrayFlags, f.receiverArray);
    receiver.form = ReceiverAdvancedForm(receiver, f.receiverArray);
    return true;
}

CReceiverEditor::CReceiverEditor(CElixDoc& doc, const ModelExtent& model)
    : m_doc(doc), m_model(model), m_items(CItemEditor<CReceiver>::ForDocument(doc)) {
    Show();
}

FieldReport CReceiverEditor::Reporter() {
    return [this](const std::string& text, MessageStyle style) { return m_doc.ReportMessage(text, style); };
}

void CReceiverEditor::Load() {
    m_items.Load();
    Show();
}

void CReceiverEditor::Show() { m_location = ShowLocation(SegmentOf(m_items.buffer), m_model); }

bool CReceiverEditor::TakeLocation(const LocationFields& fields) {
    Segment segment = SegmentOf(m_items.buffer);
    if (!elix::TakeLocation(fields, segment, m_model, Reporter())) return false;
    SetSegment(m_items.buffer, segment);
    m_location = fields;
    return true;
}

bool CReceiverEditor::OpenAdvanced() { return m_items.RequireItemForOption(); }

bool CReceiverEditor::TakeAdvanced(const ReceiverAdvancedFields& fields) {
    if (!TakeReceiverAdvanced(fields, m_items.buffer, Reporter())) return false;
    Show();
    return true;
}

bool CReceiverEditor::Apply(const LocationFields& fields) { return TakeLocation(fields) && m_items.Apply(); }

}  // namespace elix

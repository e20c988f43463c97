#include "model/source_editor.h"

#include <cmath>
#include <numbers>

#include "platform/text_format.h"

namespace elix {
namespace {

constexpr double kMetresPerMm = 0.001;
constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;

}  // namespace

std::string EchoReceiverName(const std::string& sourceName) { return sourceName + " Echo"; }
std::string ThroughReceiverName(const std::string& sourceName) { return sourceName + " Through"; }

CReceiver ReceiverFollowingSource(const CSource& source, const std::string& name, const Segment& segment) {
    CReceiver receiver;
    receiver.name = name;
    SetSegment(receiver, segment);
    receiver.longitudinalApodization = source.longitudinalApodization;
    receiver.shearApodization = source.shearApodization;
    receiver.curveArrayFlags = source.curveArrayFlags;
    receiver.element = source.element;
    receiver.focusing = source.focusing;
    receiver.longitudinalMode = source.longitudinalMode;
    receiver.shearMode = source.shearMode;
    if (receiver.curveArrayFlags != 0) receiver.form = CReceiver::kAdvancedForm;
    return receiver;
}

bool PointSourceNeedsWarning(const CSource& source) { return source.pointSource != 0 && source.signalType == 1; }

// ------------------------------------------------------------ array editor

std::uint8_t ArrayFlagsWithArray(std::uint8_t flags, bool on) {
    return on ? static_cast<std::uint8_t>(flags | kArrayElementBlock | kArrayFocusingBlock) : std::uint8_t{0};
}

ArrayFields ShowArrayFields(const ArrayElementBlock& element, const ArrayFocusingBlock& focusing, double arrayLength) {
    ArrayFields f;
    f.elementGrouping = element.grouping != 0;
    f.elementSizeMm = element.size / kMetresPerMm;
    f.elementSpacingMm = (static_cast<double>(element.size) + element.gap) / kMetresPerMm;
    f.delayLaw = focusing.delayLaw != 0;
    f.automatic = focusing.lawSelector != 0;
    f.regionGrayLevel = focusing.regionGrayLevel;
    for (int k = 0; k < 5; ++k) f.a[k] = focusing.a[static_cast<std::size_t>(k)];
    // a0 is the focal length in array lengths, a1 the steering tangent.
    f.focalLengthMm = focusing.a[0] * arrayLength / kMetresPerMm;
    f.deflectionDeg = std::atan(static_cast<double>(focusing.a[1])) * kDegreesPerRadian;
    return f;
}

bool TakeArrayFields(const ArrayFields& f, double arrayLength, ArrayElementBlock& element,
                     ArrayFocusingBlock& focusing, const FieldReport& report) {
    if (!CheckFieldRange(f.elementSizeMm, kNonNegativeRange, report)) return false;
    if (!CheckFieldRange(f.elementSpacingMm, kNonNegativeRange, report)) return false;
    if (!CheckFieldRange(f.regionGrayLevel, kRegionGrayRange, report)) return false;
    if (f.automatic) {
        if (!CheckFieldRange(f.focalLengthMm, kAnyRange, report)) return false;
        if (!CheckFieldRange(f.deflectionDeg, kDeflectionRange, report)) return false;
    } else {
        for (double a : f.a)
            if (!CheckFieldRange(a, kAnyRange, report)) return false;
    }
    element.grouping = f.elementGrouping ? 1 : 0;
    element.size = static_cast<float>(f.elementSizeMm * kMetresPerMm);
    element.gap = static_cast<float>((f.elementSpacingMm - f.elementSizeMm) * kMetresPerMm);
    focusing.delayLaw = f.delayLaw ? 1 : 0;
    focusing.lawSelector = f.automatic ? 1 : 0;
    focusing.regionGrayLevel = static_cast<std::uint8_t>(f.regionGrayLevel);
    if (f.automatic) {
        // An array without length keeps its focal value: there is nothing
        // to measure the focal length in.
        if (arrayLength > 0.0) focusing.a[0] = static_cast<float>(f.focalLengthMm * kMetresPerMm / arrayLength);
        focusing.a[1] = static_cast<float>(std::tan(f.deflectionDeg / kDegreesPerRadian));
    } else {
        for (int k = 0; k < 5; ++k) focusing.a[static_cast<std::size_t>(k)] = static_cast<float>(f.a[k]);
    }
    return true;
}

// ------------------------------------------------------------------ editor

CSourceEditor::CSourceEditor(CElixDoc& doc, const ModelExtent& model)
    : m_doc(doc), m_model(model), m_items(CItemEditor<CSource>::ForDocument(doc)) {
    Show();
}

void CSourceEditor::Load() {
    m_items.Load();
    Show();
}

void CSourceEditor::Show() {
    m_location = ShowLocation(SegmentOf(m_items.buffer), m_model);
    m_through = m_doc.Receivers().Find(ThroughReceiverName(m_items.buffer.name)) >= 0;
}

bool CSourceEditor::TakeLocation(const LocationFields& fields) {
    Segment segment = SegmentOf(m_items.buffer);
    const FieldReport report = [this](const std::string& text, MessageStyle style) {
        return m_doc.ReportMessage(text, style);
    };
    if (!elix::TakeLocation(fields, segment, m_model, report)) return false;
    SetSegment(m_items.buffer, segment);
    m_location = fields;
    return true;
}

bool CSourceEditor::AddOwnedReceiver(const std::string& name, const Segment& segment) {
    if (m_doc.Receivers().Find(name) >= 0) return true;  // it exists already
    if (!m_doc.AddItem(ReceiverFollowingSource(m_items.buffer, name, segment))) {
        m_doc.ReportMessage(m_doc.MessageText(), MessageStyle::Information);
        return false;
    }
    m_doc.UpdateAllViews('m');
    return true;
}

// False when the user keeps the receiver.
bool CSourceEditor::RemoveOwnedReceiver(const std::string& name, const char* noneText) {
    if (m_doc.Receivers().Find(name) < 0) {
        m_doc.ReportMessage(noneText, MessageStyle::Information);
        return true;
    }
    if (m_doc.ReportMessage(Format("Receiver '%s' will be deleted, continue?", name), MessageStyle::Question) !=
        MessageAnswer::Yes)
        return false;
    m_doc.DeleteItem<CReceiver>(name);
    m_doc.UpdateAllViews('m');
    return true;
}

bool CSourceEditor::SetPulseEcho(const LocationFields& fields, bool on) {
    CSource& source = m_items.buffer;
    if (!TakeLocation(fields)) return source.pulseEcho != 0;
    const std::string name = EchoReceiverName(source.name);
    if (on) {
        if (AddOwnedReceiver(name, SegmentOf(source))) source.pulseEcho = 1;
    } else {
        if (RemoveOwnedReceiver(name, kNoEchoReceiverText)) source.pulseEcho = 0;
    }
    return source.pulseEcho != 0;
}

bool CSourceEditor::SetThroughTransmission(const LocationFields& fields, bool on) {
    if (!TakeLocation(fields)) return m_through;
    const std::string name = ThroughReceiverName(m_items.buffer.name);
    if (on) {
        const std::optional<Segment> mirror =
            MirrorSegment(SegmentOf(m_items.buffer), fields.location, PixelExtent(m_doc.image));
        if (!mirror) {
            m_doc.ReportMessage(kSourceNotOnEdgeText, MessageStyle::Information);
            return m_through;
        }
        if (AddOwnedReceiver(name, *mirror)) m_through = true;
    } else {
        if (RemoveOwnedReceiver(name, kNoThroughReceiverText)) m_through = false;
    }
    return m_through;
}

bool CSourceEditor::Apply(const LocationFields& fields) {
    if (!TakeLocation(fields)) return false;
    if (PointSourceNeedsWarning(m_items.buffer)) m_doc.ReportMessage(kPointSourceWarning, MessageStyle::Exclamation);
    return m_items.Apply();
}

bool CSourceEditor::Delete(const LocationFields& fields) {
    if (!TakeLocation(fields)) return false;
    // The name on display decides, as for the delete itself.
    const std::string sourceName = m_items.buffer.name;
    const bool pulseEcho = m_items.buffer.pulseEcho != 0;
    const bool through = m_through;
    if (!m_items.Delete()) return false;
    const auto offer = [this](const std::string& name, const char* noneText) {
        if (m_doc.Receivers().Find(name) < 0) {
            m_doc.ReportMessage(noneText, MessageStyle::Information);
            return;
        }
        if (m_doc.ReportMessage(Format("Do you want to delete receiver \"%s\"?", name), MessageStyle::Question) ==
            MessageAnswer::Yes) {
            m_doc.DeleteItem<CReceiver>(name);
            m_doc.UpdateAllViews('m');
        }
    };
    if (pulseEcho) offer(EchoReceiverName(sourceName), kNoEchoReceiverText);
    if (through) offer(ThroughReceiverName(sourceName), kNoThroughReceiverText);
    Show();
    return true;
}

bool CSourceEditor::Add(const LocationFields& fields) {
    if (!TakeLocation(fields) || !m_items.Add()) return false;
    Show();
    return true;
}

bool CSourceEditor::Copy(const LocationFields& fields) {
    if (!TakeLocation(fields) || !m_items.Copy()) return false;
    Show();
    return true;
}

bool CSourceEditor::Previous(const LocationFields& fields) {
    if (!TakeLocation(fields) || !m_items.Previous()) return false;
    Show();
    return true;
}

bool CSourceEditor::Next(const LocationFields& fields) {
    if (!TakeLocation(fields) || !m_items.Next()) return false;
    Show();
    return true;
}

}  // namespace elix

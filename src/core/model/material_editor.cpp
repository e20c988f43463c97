#include "model/material_editor.h"

#include <cmath>
#include <utility>

#include "model/material_derived.h"
#include "platform/text_format.h"

namespace elix {
namespace {

// The editor frequency of the program run, Hz.
double g_editorFrequency = 1e6;

// The dialog shows Pa as MPa and Hz as MHz.
constexpr double kToMega = 1e-6;

// Whether the fields that belong to the record differ (the frequency does
// not belong to it).
bool SameRecordFields(const MaterialEditorFields& a, const MaterialEditorFields& b) {
    return a.name == b.name && a.density == b.density && a.lambdaMPa == b.lambdaMPa && a.muMPa == b.muMPa &&
           a.grayLevel == b.grayLevel && a.damping == b.damping && a.eta == b.eta && a.phi == b.phi &&
           a.orthotropic == b.orthotropic && a.piezoelectric == b.piezoelectric;
}

}  // namespace

double MaterialEditorFrequency() { return g_editorFrequency; }
void SetMaterialEditorFrequency(double hertz) { g_editorFrequency = hertz; }

double RoundShownPhi(double phi) {
    // Zero, infinities and NaN have nothing to round (and zero would never
    // exceed 1000).
    if (phi == 0.0 || !std::isfinite(phi)) return phi;
    double magnitude = std::fabs(phi);
    int scale = 0;
    do {
        magnitude *= 10.0;
        ++scale;
    } while (magnitude <= 1000.0);
    magnitude = std::floor(magnitude + 0.5);
    for (int k = 0; k < scale; ++k) magnitude /= 10.0;
    return phi < 0.0 ? -magnitude : magnitude;
}

MaterialEditorFields ShowMaterialFields(const CMaterialProperty& material, double frequency) {
    MaterialEditorFields fields;
    fields.name = material.name;
    fields.density = material.density;
    fields.lambdaMPa = static_cast<double>(material.lambda) * kToMega;
    fields.muMPa = static_cast<double>(material.mu) * kToMega;
    fields.grayLevel = material.grayLevel;
    fields.damping = material.damping != 0;
    fields.eta = material.eta;
    fields.phi = RoundShownPhi(static_cast<double>(material.chi) + 2.0 * static_cast<double>(material.eta) / 3.0);
    fields.frequencyMHz = frequency * kToMega;
    fields.orthotropic = material.orthotropic != 0;
    fields.piezoelectric = material.piezoelectric != 0;
    return fields;
}

bool TakeMaterialFields(const MaterialEditorFields& fields, CMaterialProperty& material, double& frequency,
                        const FieldReport& report) {
    // Every field is checked before anything is stored, in dialog order.
    if (!CheckFieldRange(fields.density, kDensityRange, report)) return false;
    if (!CheckFieldRange(fields.lambdaMPa, kLameRange, report)) return false;
    if (!CheckFieldRange(fields.muMPa, kLameRange, report)) return false;
    if (!CheckFieldRange(fields.grayLevel, kGrayLevelRange, report)) return false;
    if (!CheckFieldRange(fields.eta, kViscosityRange, report)) return false;
    if (!CheckFieldRange(fields.phi, kViscosityRange, report)) return false;
    if (!CheckFieldRange(fields.frequencyMHz, kFrequencyRange, report)) return false;

    material.name = fields.name;
    material.density = static_cast<float>(fields.density);
    material.lambda = static_cast<float>(fields.lambdaMPa / kToMega);
    material.mu = static_cast<float>(fields.muMPa / kToMega);
    material.grayLevel = static_cast<std::uint8_t>(fields.grayLevel);
    material.damping = fields.damping ? 1 : 0;
    material.eta = static_cast<float>(fields.eta);
    // The dialog shows phi = chi + 2/3 eta; the record keeps chi.
    material.chi = static_cast<float>(fields.phi - 2.0 * fields.eta / 3.0);
    material.orthotropic = fields.orthotropic ? 1 : 0;
    material.piezoelectric = fields.piezoelectric ? 1 : 0;
    material.formWritten = (fields.orthotropic || fields.piezoelectric) ? CMaterialProperty::kExtendedForm
                                                                        : CMaterialProperty::kIsotropicForm;
    frequency = fields.frequencyMHz / kToMega;
    return true;
}

std::array<double, 9> ShowOrthoFields(const CMaterialProperty& material) {
    std::array<double, 9> mpa{};
    for (std::size_t k = 0; k < mpa.size(); ++k) mpa[k] = static_cast<double>(material.c[k]) * kToMega;
    return mpa;
}

void TakeOrthoFields(const std::array<double, 9>& mpa, CMaterialProperty& material) {
    for (std::size_t k = 0; k < mpa.size(); ++k) material.c[k] = static_cast<float>(mpa[k] / kToMega);
}

// Permittivities are shown in uF/m: F/m x 1e6.
constexpr double kToMicro = 1e6;

PiezoFields ShowPiezoFields(const CMaterialProperty& material) {
    PiezoFields f;
    for (std::size_t k = 0; k < f.e.size(); ++k) f.e[k] = static_cast<double>(material.e[k]);
    for (std::size_t k = 0; k < f.epsilonUF.size(); ++k)
        f.epsilonUF[k] = static_cast<double>(material.epsilon[k]) * kToMicro;
    return f;
}

void TakePiezoFields(const PiezoFields& f, CMaterialProperty& material) {
    for (std::size_t k = 0; k < f.e.size(); ++k) material.e[k] = static_cast<float>(f.e[k]);
    for (std::size_t k = 0; k < f.epsilonUF.size(); ++k)
        material.epsilon[k] = static_cast<float>(f.epsilonUF[k] / kToMicro);
}

// C22 C23 C33 C44 are entries 3..6 of C11 C12 C13 C22 C23 C33 C44 C55 C66.
bool OrthoEntryUsed(int index) { return index >= 3 && index <= 6; }
// e24 = row 2 column 4 (index 9), e32 (13), e33 (14).
bool PiezoEEntryUsed(int index) { return index == 9 || index == 13 || index == 14; }
// eps22 (index 4) and eps33 (index 8).
bool PiezoEpsilonEntryUsed(int index) { return index == 4 || index == 8; }

std::string MaterialNumberText(int currentIndex) { return Format("Material No.: %d", currentIndex + 1); }

std::vector<std::string> MaterialPrintLines(const std::string& modelTitle, const CMaterialProperty& material,
                                            double frequency) {
    const MaterialEditorFields f = ShowMaterialFields(material, frequency);
    std::vector<std::string> lines{
        Format("Model: %s", modelTitle),
        Format("Material: %s", material.name),
        Format("Density (kg/m^3) = %g", f.density),
        Format("lambda (MPa) = %g", f.lambdaMPa),
        Format("mu (MPa) = %g", f.muMPa),
        Format("Gray Level = %d", f.grayLevel),
        f.damping ? std::string("Damping: Yes") : std::string("Damping: No"),
        Format("eta (Pa*s) = %g", f.eta),
        Format("phi Pa*s) = %g", f.phi),
        Format("Frequency (MHz) = %g", f.frequencyMHz),
    };
    for (std::string& line : MaterialDerivedTexts(DeriveMaterialValues(material, frequency)))
        lines.push_back(std::move(line));
    return lines;
}

CMaterialEditor::CMaterialEditor(CItemList<CMaterialProperty>& list, ItemEditorHost host)
    : m_list(list), m_items(list, host), m_report(host.report) {
    m_items.Open();
}

CMaterialEditor CMaterialEditor::ForDocument(CElixDoc& doc) {
    ItemEditorHost host;
    host.report = [&doc](const std::string& text, MessageStyle style) { return doc.ReportMessage(text, style); };
    // The material list is handed back to the document after each change.
    host.changed = [&doc] {
        doc.MaterialListTakenBack();
        RefreshDocumentDisplay(doc);
    };
    host.displayCategory = &doc.DisplayCategory;
    host.redraw = [&doc] { RefreshDocumentDisplay(doc); };
    return CMaterialEditor(doc.Materials(), std::move(host));
}

MaterialEditorFields CMaterialEditor::Fields() const { return ShowMaterialFields(m_items.buffer, g_editorFrequency); }

std::vector<std::string> CMaterialEditor::DerivedTexts() const {
    return MaterialDerivedTexts(DeriveMaterialValues(m_items.buffer, g_editorFrequency));
}

std::string CMaterialEditor::NumberText() const {
    return MaterialNumberText(m_list.Current());
}

bool CMaterialEditor::Take(const MaterialEditorFields& fields) {
    CMaterialProperty taken = m_items.buffer;
    double frequency = g_editorFrequency;
    if (!TakeMaterialFields(fields, taken, frequency, m_report)) return false;
    // An edit is a field that differs from what the buffer shows; taking
    // the shown values back unchanged is not one, although the rounded phi
    // may give a slightly different chi.
    if (!SameRecordFields(fields, Fields())) m_items.FieldChanged();
    m_items.buffer = std::move(taken);
    g_editorFrequency = frequency;
    return true;
}

bool CMaterialEditor::Ok(const MaterialEditorFields& fields) {
    if (!Take(fields)) return false;
    m_items.Ok();
    return true;
}

}  // namespace elix

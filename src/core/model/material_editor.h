// The material editor ("Material Properties") without its window: the
// conversions between a CMaterialProperty and the values the dialog shows,
// the field ranges, the editor frequency shared by every material editor of
// the program run, and the printed page. The list actions (Add, Copy,
// Delete, Previous, Next, Apply, OK, Show) are those of CItemEditor; the
// editor's owner is the model document or the material library.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "model/elix_doc.h"
#include "model/field_range.h"
#include "model/item_editor.h"
#include "model/material_property.h"

namespace elix {

// The frequency at which every material editor shows the derived values,
// Hz. One value for the whole program run, initially 1 MHz; it is not part
// of any record.
double MaterialEditorFrequency();
void SetMaterialEditorFrequency(double hertz);

// The dialog's fields, in the units shown.
struct MaterialEditorFields {
    std::string name;
    double density = 1.0;  // "Density (kg/m^3)"
    double lambdaMPa = 0.0;  // "lambda (MPa)"
    double muMPa = 0.0;      // "mu (MPa)"
    int grayLevel = 255;     // "Gray Level"
    bool damping = false;    // "Damping"
    double eta = 0.0;        // "eta (Pa*s)"
    double phi = 0.0;        // "phi(Pa*s)" = chi + 2/3 eta, shown rounded
    double frequencyMHz = 1.0;  // "Frequency (MHz)"
    // The Orthotropic and Piezoelectric boxes (hidden in the editor as
    // shipped: they show what the record holds).
    bool orthotropic = false;
    bool piezoelectric = false;
};

// The ranges each field is checked against when it is taken.
inline constexpr FieldRange kDensityRange{1e-20, 1e20};
inline constexpr FieldRange kLameRange{0.0, 1e20};       // lambda and mu, MPa
inline constexpr FieldRange kViscosityRange{0.0, 1e20};  // eta and phi, Pa*s
inline constexpr FieldRange kFrequencyRange{1e-20, 1e20};  // MHz

// phi as the editor shows it: its magnitude is multiplied by ten at least
// once and then until it exceeds 1000, rounded to the nearest integer
// (halves up) and divided by ten as many times; the sign is kept. This
// keeps four significant digits and hides the float noise of chi + 2/3 eta.
double RoundShownPhi(double phi);

// The fields for a record at a frequency (Hz): lambda and mu in MPa,
// phi = chi + 2/3 eta rounded as above, the frequency in MHz.
MaterialEditorFields ShowMaterialFields(const CMaterialProperty& material, double frequency);

// Takes the fields back into record and frequency (Hz). Each field is
// checked in dialog order; the first one out of range shows its message
// through report and nothing is changed. Otherwise lambda and mu go back to
// Pa, chi = phi - 2/3 eta, and the record is written in form 1 unless the
// orthotropic or the piezoelectric box is set.
bool TakeMaterialFields(const MaterialEditorFields& fields, CMaterialProperty& material, double& frequency,
                        const FieldReport& report);

// The orthotropic editor (COrthoPropertyDlg): C11, C12, C13, C22, C23, C33,
// C44, C55, C66 in MPa (stored in Pa).
std::array<double, 9> ShowOrthoFields(const CMaterialProperty& material);
void TakeOrthoFields(const std::array<double, 9>& mpa, CMaterialProperty& material);

// The piezoelectric editor (CPiezoPropertyDlg): the e matrix in C/m^2 as
// stored, the permittivities in uF/m (stored in F/m).
struct PiezoFields {
    std::array<double, 18> e{};        // e11..e16, e21..e26, e31..e36
    std::array<double, 9> epsilonUF{};  // eps11..eps33 row by row, uF/m
};
PiezoFields ShowPiezoFields(const CMaterialProperty& material);
void TakePiezoFields(const PiezoFields& fields, CMaterialProperty& material);

// The entries the engine uses, which the detail editors mark with "*" and
// the note "* Used in this program": C22, C23, C33, C44; e24, e32, e33;
// eps22, eps33. Indices into the arrays above.
bool OrthoEntryUsed(int index);
bool PiezoEEntryUsed(int index);
bool PiezoEpsilonEntryUsed(int index);
inline constexpr const char* kUsedEntryNote = "* Used in this program";

// "Material No.: %d" with the current index + 1.
std::string MaterialNumberText(int currentIndex);

// The lines of the printed page of one material: "Model:", "Material:",
// the fields with their values and the derived values at the frequency.
std::vector<std::string> MaterialPrintLines(const std::string& modelTitle, const CMaterialProperty& material,
                                            double frequency);

// The editor: a CItemEditor over a material list plus the field
// conversions. A dialog calls an action with the fields on display; the
// fields are taken first and a refused field stops the action.
class CMaterialEditor {
public:
    CMaterialEditor(CItemList<CMaterialProperty>& list, ItemEditorHost host);

    // An editor over the document's materials; messages go through the
    // document's ReportMessage.
    static CMaterialEditor ForDocument(CElixDoc& doc);

    CItemEditor<CMaterialProperty>& Items() { return m_items; }
    const CMaterialProperty& Buffer() const { return m_items.buffer; }

    // The buffer's fields at the editor frequency, its derived value lines
    // and its number label.
    MaterialEditorFields Fields() const;
    std::vector<std::string> DerivedTexts() const;
    std::string NumberText() const;

    // Takes the fields into the buffer and the editor frequency; a field
    // that differs from what the buffer shows counts as an edit for OK.
    // False when a field is refused.
    bool Take(const MaterialEditorFields& fields);

    bool Add(const MaterialEditorFields& fields) { return Take(fields) && m_items.Add(); }
    bool Copy(const MaterialEditorFields& fields) { return Take(fields) && m_items.Copy(); }
    bool Delete(const MaterialEditorFields& fields) { return Take(fields) && m_items.Delete(); }
    bool Previous(const MaterialEditorFields& fields) { return Take(fields) && m_items.Previous(); }
    bool Next(const MaterialEditorFields& fields) { return Take(fields) && m_items.Next(); }
    bool Apply(const MaterialEditorFields& fields) { return Take(fields) && m_items.Apply(); }
    // OK: false when a field is refused (the editor stays open); otherwise
    // it applies after a change and the editor closes.
    bool Ok(const MaterialEditorFields& fields);

private:
    CItemList<CMaterialProperty>& m_list;
    CItemEditor<CMaterialProperty> m_items;
    FieldReport m_report;
};

}  // namespace elix

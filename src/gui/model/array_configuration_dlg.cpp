#include "model/array_configuration_dlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "model/source_editor.h"
#include "model/source_receiver_fields.h"

namespace elix {

CArrayConfigurationDlg::CArrayConfigurationDlg(const QString& title, const ArrayElementBlock& element,
                                               const ArrayFocusingBlock& focusing, std::uint8_t curveArrayFlags,
                                               double arrayLength, bool forSource, FieldReport report,
                                               QWidget* parent)
    : QDialog(parent),
      m_element(element),
      m_focusing(focusing),
      m_flags(curveArrayFlags),
      m_length(arrayLength),
      m_report(std::move(report)) {
    setWindowTitle(title);
    const ArrayFields f = ShowArrayFields(element, focusing, arrayLength);
    auto* layout = new QVBoxLayout(this);

    auto* elements = new QGroupBox(QStringLiteral("Elements"), this);
    auto* eg = new QGridLayout(elements);
    grouping = new QCheckBox(QStringLiteral("Element Grouping"), elements);
    grouping->setChecked(f.elementGrouping);
    elementSize = NewNumberEdit(elements, f.elementSizeMm);
    elementSpacing = NewNumberEdit(elements, f.elementSpacingMm);
    eg->addWidget(grouping, 0, 0, 1, 2);
    eg->addWidget(new QLabel(QStringLiteral("Element size (mm)"), elements), 1, 0);
    eg->addWidget(elementSize, 1, 1);
    eg->addWidget(new QLabel(QStringLiteral("Element Spacing (mm)"), elements), 2, 0);
    eg->addWidget(elementSpacing, 2, 1);
    eg->addWidget(new QLabel(QStringLiteral("Array length: %1 mm").arg(NumberText(arrayLength * 1000.0)), elements),
                  3, 0, 1, 2);
    layout->addWidget(elements);

    auto* law = new QGroupBox(QStringLiteral("Delay Law"), this);
    auto* lg = new QGridLayout(law);
    delayLaw = new QCheckBox(QStringLiteral("Apply Delay Law"), law);
    delayLaw->setChecked(f.delayLaw);
    automatic = new QRadioButton(QStringLiteral("Automatic"), law);
    manual = new QRadioButton(QStringLiteral("Manual"), law);
    (f.automatic ? automatic : manual)->setChecked(true);
    auto* choice = new QHBoxLayout;
    choice->addWidget(automatic);
    choice->addWidget(manual);
    choice->addStretch(1);
    lg->addWidget(delayLaw, 0, 0, 1, 4);
    lg->addLayout(choice, 1, 0, 1, 4);
    focalLength = NewNumberEdit(law, f.focalLengthMm);
    deflection = NewNumberEdit(law, f.deflectionDeg);
    lg->addWidget(new QLabel(QStringLiteral("Focal Length (mm)\n( 0 means unfocussed)"), law), 2, 0);
    lg->addWidget(focalLength, 2, 1);
    lg->addWidget(new QLabel(QStringLiteral("Deflection Angle (Deg.)"), law), 3, 0);
    lg->addWidget(deflection, 3, 1);
    // Manual: the shape coefficients beside the automatic fields.
    for (int k = 0; k < 5; ++k) {
        a[static_cast<std::size_t>(k)] = NewNumberEdit(law, f.a[k]);
        lg->addWidget(new QLabel(QStringLiteral("a%1").arg(k), law), 2 + k, 2, Qt::AlignRight);
        lg->addWidget(a[static_cast<std::size_t>(k)], 2 + k, 3);
    }
    lg->setColumnMinimumWidth(2, 40);
    regionGray = NewNumberEdit(law, f.regionGrayLevel);
    lg->addWidget(new QLabel(QStringLiteral("Region Gray Level"), law), 7, 0);
    lg->addWidget(regionGray, 7, 1);
    if (forSource) {
        pointDirection = new QCheckBox(QStringLiteral("Excitation direction follows the delay law"), law);
        pointDirection->setChecked((curveArrayFlags & kArrayPointDirection) != 0);
        lg->addWidget(pointDirection, 8, 0, 1, 4);
    }
    layout->addWidget(law);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CArrayConfigurationDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    for (QRadioButton* r : {automatic, manual}) connect(r, &QRadioButton::toggled, this, [this] { UpdateEnabled(); });
    connect(delayLaw, &QCheckBox::toggled, this, [this] { UpdateEnabled(); });
    connect(grouping, &QCheckBox::toggled, this, [this] { UpdateEnabled(); });
    UpdateEnabled();
}

void CArrayConfigurationDlg::UpdateEnabled() {
    const bool on = delayLaw->isChecked();
    const bool isAutomatic = automatic->isChecked();
    elementSize->setEnabled(grouping->isChecked());
    elementSpacing->setEnabled(grouping->isChecked());
    automatic->setEnabled(on);
    manual->setEnabled(on);
    focalLength->setEnabled(on && isAutomatic);
    deflection->setEnabled(on && isAutomatic);
    for (QLineEdit* edit : a) edit->setEnabled(on && !isAutomatic);
    regionGray->setEnabled(on);
}

void CArrayConfigurationDlg::accept() {
    ArrayFields f;
    f.elementGrouping = grouping->isChecked();
    f.delayLaw = delayLaw->isChecked();
    f.automatic = automatic->isChecked();
    if (!TakeNumber(elementSize, kNonNegativeRange, m_report, f.elementSizeMm)) return;
    if (!TakeNumber(elementSpacing, kNonNegativeRange, m_report, f.elementSpacingMm)) return;
    // Only the fields of the chosen law are read: the others are disabled
    // and keep their values (Automatic keeps a2..a4, Manual edits all five).
    const ArrayFields shown = ShowArrayFields(m_element, m_focusing, m_length);
    for (int k = 0; k < 5; ++k) f.a[k] = shown.a[k];
    if (f.automatic) {
        if (!TakeNumber(focalLength, kAnyRange, m_report, f.focalLengthMm)) return;
        if (!TakeNumber(deflection, kDeflectionRange, m_report, f.deflectionDeg)) return;
    } else {
        for (int k = 0; k < 5; ++k)
            if (!TakeNumber(a[static_cast<std::size_t>(k)], kAnyRange, m_report, f.a[k])) return;
    }
    if (!TakeInteger(regionGray, kRegionGrayRange, m_report, f.regionGrayLevel)) return;
    ArrayElementBlock element = m_element;
    ArrayFocusingBlock focusing = m_focusing;
    if (!TakeArrayFields(f, m_length, element, focusing, m_report)) return;
    m_element = element;
    m_focusing = focusing;
    if (pointDirection)
        m_flags = static_cast<std::uint8_t>(pointDirection->isChecked() ? (m_flags | kArrayPointDirection)
                                                                        : (m_flags & ~kArrayPointDirection));
    QDialog::accept();
}

}  // namespace elix

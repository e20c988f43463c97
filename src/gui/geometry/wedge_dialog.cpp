#include "geometry/wedge_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

namespace elix {

CWedgeDlg::CWedgeDlg(const WedgeValues& values, Action action, FieldReport report, QWidget* parent)
    : QDialog(parent), m_fields(std::move(report)), m_action(std::move(action)), m_values(values) {
    setWindowTitle(QStringLiteral("Wedge Dialog"));
    auto* form = new QFormLayout(this);
    location = new QComboBox(this);
    location->addItems({QStringLiteral("Left"), QStringLiteral("Right"), QStringLiteral("Top"),
                        QStringLiteral("Bottom")});
    const int index = location->findText(QString::fromStdString(values.location));
    location->setCurrentIndex(index < 0 ? 0 : index);
    form->addRow(QStringLiteral("Location"), location);
    size = m_fields.Add(form, QStringLiteral("Size (mm)"), values.size * 1000.0, kNonNegativeRange);
    centerOffset = m_fields.Add(form, QStringLiteral("Center Offset (mm)"), values.centerOffset * 1000.0, kAnyRange);
    theta = m_fields.Add(form, QStringLiteral("Theta (Deg)"), values.thetaDegrees, kWedgeThetaRange);
    grayLevel = m_fields.Add(form, QStringLiteral("Gray Level"), values.gray, kGrayLevelRange, true);
    for (QLineEdit* edit : {size, centerOffset, theta, grayLevel}) edit->setMinimumWidth(140);
    flip = new QCheckBox(QStringLiteral("Flip Wedge"), this);
    flip->setChecked(values.flip);
    form->addRow(QString(), flip);

    auto* buttons = new QDialogButtonBox(this);
    addButton = buttons->addButton(QStringLiteral("&Add"), QDialogButtonBox::ActionRole);
    deleteButton = buttons->addButton(QStringLiteral("&Delete"), QDialogButtonBox::ActionRole);
    cancelButton = buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole);
    addButton->setDefault(true);
    connect(addButton, &QPushButton::clicked, this, [this] { Act(WedgeAction::Add); });
    connect(deleteButton, &QPushButton::clicked, this, [this] { Act(WedgeAction::Delete); });
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    form->addRow(buttons);
}

void CWedgeDlg::Act(WedgeAction action) {
    if (!m_fields.Check()) return;
    m_values.location = location->currentText().toStdString();
    m_values.size = CNumberFields::Value(size) / 1000.0;
    m_values.centerOffset = CNumberFields::Value(centerOffset) / 1000.0;
    m_values.thetaDegrees = CNumberFields::Value(theta);
    m_values.gray = static_cast<std::uint8_t>(CNumberFields::Value(grayLevel));
    m_values.flip = flip->isChecked();
    if (!m_action || m_action(action, m_values)) accept();
}

}  // namespace elix

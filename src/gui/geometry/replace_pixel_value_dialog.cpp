#include "geometry/replace_pixel_value_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

namespace elix {

CReplacePixelValueDlg::CReplacePixelValueDlg(const ReplacePixelValues& values, FieldReport report, QWidget* parent)
    : QDialog(parent), m_fields(std::move(report)), m_values(values) {
    setWindowTitle(QStringLiteral("Replace Pixel Value"));
    auto* form = new QFormLayout(this);
    from = m_fields.Add(form, QStringLiteral("Old value from"), values.from, kGrayLevelRange, true);
    to = m_fields.Add(form, QStringLiteral("To"), values.to, kGrayLevelRange, true);
    newValue = m_fields.Add(form, QStringLiteral("New value"), values.newValue, kGrayLevelRange, true);
    for (QLineEdit* edit : {from, to, newValue}) edit->setMinimumWidth(120);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

void CReplacePixelValueDlg::accept() {
    if (!m_fields.Check()) return;
    m_values.from = static_cast<std::uint8_t>(CNumberFields::Value(from));
    m_values.to = static_cast<std::uint8_t>(CNumberFields::Value(to));
    m_values.newValue = static_cast<std::uint8_t>(CNumberFields::Value(newValue));
    QDialog::accept();
}

}  // namespace elix

#include "geometry/rect_array_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

namespace elix {

CRectArrayDlg::CRectArrayDlg(const RepeatValues& values, FieldReport report, QWidget* parent)
    : QDialog(parent), m_fields(std::move(report)), m_values(values) {
    setWindowTitle(QStringLiteral("Repeat"));
    auto* form = new QFormLayout(this);
    rows = m_fields.Add(form, QStringLiteral("Rows"), values.rows, kRepeatCountRange, true);
    columns = m_fields.Add(form, QStringLiteral("Columns"), values.columns, kRepeatCountRange, true);
    spaceInRow = m_fields.Add(form, QStringLiteral("Space in Row (mm)"), values.spaceInRow * 1000.0,
                              kNonNegativeRange);
    spaceInColumn = m_fields.Add(form, QStringLiteral("Space in Column (mm)"), values.spaceInColumn * 1000.0,
                                 kNonNegativeRange);
    angle = m_fields.Add(form, QStringLiteral("Angle (Deg.)"), values.angleDegrees, kThetaRange);
    auto* note = new QLabel(QStringLiteral("Copies go along x (columns) and y (rows), the grid turned by the angle."),
                            this);
    note->setWordWrap(true);
    note->setEnabled(false);
    form->addRow(note);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    for (QLineEdit* edit : {rows, columns, spaceInRow, spaceInColumn, angle}) edit->setMinimumWidth(140);
}

void CRectArrayDlg::accept() {
    if (!m_fields.Check()) return;
    m_values.rows = static_cast<int>(CNumberFields::Value(rows));
    m_values.columns = static_cast<int>(CNumberFields::Value(columns));
    m_values.spaceInRow = CNumberFields::Value(spaceInRow) / 1000.0;
    m_values.spaceInColumn = CNumberFields::Value(spaceInColumn) / 1000.0;
    m_values.angleDegrees = CNumberFields::Value(angle);
    QDialog::accept();
}

}  // namespace elix

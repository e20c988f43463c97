#include "model/bc_advanced_dlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "model/number_field.h"

namespace elix {

CBCAdvancedDlg::CBCAdvancedDlg(const BoundaryAdvancedFields& fields, FieldReport report, QWidget* parent)
    : QDialog(parent), m_fields(fields), m_report(std::move(report)) {
    setWindowTitle(QStringLiteral("Advanced Boundary Conditions"));
    x1 = NewNumberEdit(this);
    y1 = NewNumberEdit(this);
    x2 = NewNumberEdit(this);
    y2 = NewNumberEdit(this);
    longitudinalDuration = NewNumberEdit(this);
    shearDuration = NewNumberEdit(this);
    activeInDurationOnly = new QCheckBox(QStringLiteral("Active in Duration Only"), this);
    timeDelay = NewNumberEdit(this);
    SetNumber(x1, fields.endPoints.x1Mm);
    SetNumber(y1, fields.endPoints.y1Mm);
    SetNumber(x2, fields.endPoints.x2Mm);
    SetNumber(y2, fields.endPoints.y2Mm);
    SetNumber(longitudinalDuration, fields.longitudinalDurationUs);
    SetNumber(shearDuration, fields.shearDurationUs);
    activeInDurationOnly->setChecked(fields.activeInDurationOnly);
    SetNumber(timeDelay, fields.timeDelayUs);

    auto* points = new QGroupBox(QStringLiteral("Position"), this);
    auto* grid = new QGridLayout(points);
    grid->addWidget(new QLabel(QStringLiteral("X Start (mm)"), points), 0, 0, Qt::AlignRight);
    grid->addWidget(x1, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Y Start (mm)"), points), 0, 2, Qt::AlignRight);
    grid->addWidget(y1, 0, 3);
    grid->addWidget(new QLabel(QStringLiteral("X End (mm)"), points), 1, 0, Qt::AlignRight);
    grid->addWidget(x2, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Y End (mm)"), points), 1, 2, Qt::AlignRight);
    grid->addWidget(y2, 1, 3);

    auto* times = new QGroupBox(QStringLiteral("Time"), this);
    auto* form = new QFormLayout(times);
    form->setLabelAlignment(Qt::AlignRight);
    form->addRow(QStringLiteral("Longtudinal Mode Time Duration (us)"), longitudinalDuration);
    form->addRow(QStringLiteral("Shear Mode Time Duration (us)"), shearDuration);
    form->addRow(QString(), activeInDurationOnly);
    form->addRow(QStringLiteral("Time Delay (us)"), timeDelay);

    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(box, &QDialogButtonBox::accepted, this, &CBCAdvancedDlg::accept);
    connect(box, &QDialogButtonBox::rejected, this, &CBCAdvancedDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(points);
    layout->addWidget(times);
    layout->addWidget(box);
}

void CBCAdvancedDlg::accept() {
    if (!CheckFields({{x1, kCoordinateRange},
                      {y1, kCoordinateRange},
                      {x2, kCoordinateRange},
                      {y2, kCoordinateRange},
                      {longitudinalDuration, kDurationRange},
                      {shearDuration, kDurationRange},
                      {timeDelay, kDelayRange}},
                     m_report))
        return;
    m_fields.endPoints = {NumberOf(x1), NumberOf(y1), NumberOf(x2), NumberOf(y2)};
    m_fields.longitudinalDurationUs = NumberOf(longitudinalDuration);
    m_fields.shearDurationUs = NumberOf(shearDuration);
    m_fields.activeInDurationOnly = activeInDurationOnly->isChecked();
    m_fields.timeDelayUs = NumberOf(timeDelay);
    QDialog::accept();
}

}  // namespace elix

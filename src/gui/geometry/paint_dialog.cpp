#include "geometry/paint_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "geometry/rect_array_dialog.h"

namespace elix {

CPaintDialog::CPaintDialog(const QString& title, const PaintTarget& paintTarget, const RepeatValues& repeat,
                           FieldReport report, QWidget* parent)
    : QDialog(parent), m_fields(report), m_report(report), m_target(paintTarget), m_repeat(repeat) {
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    auto* shape = new QWidget(this);
    m_shapeForm = new QFormLayout(shape);
    m_shapeForm->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(shape);
}

void CPaintDialog::FinishLayout() {
    grayLevel = m_fields.Add(m_shapeForm, QStringLiteral("Gray Level"), m_target.gray, kGrayLevelRange, true);
    for (int row = 0; row < m_shapeForm->rowCount(); ++row)
        if (auto* item = m_shapeForm->itemAt(row, QFormLayout::FieldRole))
            if (auto* edit = qobject_cast<QLineEdit*>(item->widget())) edit->setMinimumWidth(140);
    auto* layout = static_cast<QVBoxLayout*>(this->layout());
    target = AddTargetRange(this, m_fields, m_target);
    layout->addWidget(target.group);

    auto* repeatRow = new QHBoxLayout;
    repeatButton = new QPushButton(QStringLiteral("&Repeat"), this);
    repeatButton->setAutoDefault(false);
    repeatSummary = new QLabel(RepeatSummary(m_repeat), this);
    repeatSummary->setWordWrap(true);
    repeatRow->addWidget(repeatButton);
    repeatRow->addWidget(repeatSummary, 1);
    layout->addLayout(repeatRow);
    connect(repeatButton, &QPushButton::clicked, this, [this] {
        CRectArrayDlg dialog(m_repeat, m_report, this);
        if (dialog.exec() != QDialog::Accepted) return;
        m_repeat = dialog.Values();
        repeatSummary->setText(RepeatSummary(m_repeat));
    });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

PaintTarget CPaintDialog::TakenTarget() const {
    return {static_cast<std::uint8_t>(CNumberFields::Value(grayLevel)),
            static_cast<std::uint8_t>(CNumberFields::Value(target.lower)),
            static_cast<std::uint8_t>(CNumberFields::Value(target.upper))};
}

void CPaintDialog::accept() {
    if (!m_fields.Check()) return;
    TakeShape();
    QDialog::accept();
}

}  // namespace elix

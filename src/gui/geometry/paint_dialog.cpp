#include "geometry/paint_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "geometry/rect_array_dialog.h"

namespace elix {

CPaintDialog::CPaintDialog(const QString& title, const PaintTarget& paintTarget, const RepeatValues& repeat,
                           FieldReport report, QWidget* parent)
    : QDialog(parent), m_fields(report), m_report(report), m_target(paintTarget), m_repeat(repeat) {
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    auto* shape = new QGroupBox(QStringLiteral("Shape"), this);
    m_shapeForm = new QFormLayout(shape);
    layout->addWidget(shape);
}

void CPaintDialog::FinishLayout() {
    auto* layout = static_cast<QVBoxLayout*>(this->layout());
    auto* paint = new QGroupBox(QStringLiteral("Paint"), this);
    auto* paintForm = new QFormLayout(paint);
    grayLevel = m_fields.Add(paintForm, QStringLiteral("Gray Level"), m_target.gray, kGrayLevelRange, true);
    target = AddTargetRange(paintForm, m_fields, m_target);
    layout->addWidget(paint);
    // The same label and field widths in both groups, so the columns line up.
    int labelWidth = 0;
    for (QFormLayout* form : {m_shapeForm, paintForm})
        for (int row = 0; row < form->rowCount(); ++row)
            if (auto* item = form->itemAt(row, QFormLayout::LabelRole))
                if (item->widget()) labelWidth = std::max(labelWidth, item->widget()->sizeHint().width());
    for (QFormLayout* form : {m_shapeForm, paintForm})
        for (int row = 0; row < form->rowCount(); ++row) {
            if (auto* item = form->itemAt(row, QFormLayout::LabelRole))
                if (item->widget()) item->widget()->setMinimumWidth(labelWidth);
            if (auto* item = form->itemAt(row, QFormLayout::FieldRole))
                if (auto* edit = qobject_cast<QLineEdit*>(item->widget())) edit->setFixedWidth(130);
        }

    auto* repeatGroup = new QGroupBox(QStringLiteral("Repeat"), this);
    auto* repeatRow = new QHBoxLayout(repeatGroup);
    repeatButton = new QPushButton(QStringLiteral("&Repeat"), this);
    repeatButton->setAutoDefault(false);
    repeatSummary = new QLabel(RepeatSummary(m_repeat), this);
    repeatSummary->setWordWrap(true);
    repeatRow->addWidget(repeatSummary, 1);
    repeatRow->addWidget(repeatButton, 0, Qt::AlignTop);
    layout->addWidget(repeatGroup);
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
    setMinimumWidth(360);
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

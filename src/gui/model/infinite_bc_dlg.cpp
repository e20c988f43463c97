#include "model/infinite_bc_dlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

#include "engine/absorbing_sides.h"
#include "engine/job_parameters_form.h"
#include "model/elix_doc.h"
#include "model/item_editor.h"
#include "model/number_field.h"

namespace elix {

CInfiniteBCDlg::CInfiniteBCDlg(CElixDoc& doc, QWidget* parent) : QDialog(parent), m_doc(doc) {
    setWindowTitle(QStringLiteral("Infinite BC"));
    const std::uint8_t sides = doc.job.InfiniteBCIndex;
    auto* box = new QGroupBox(QStringLiteral("Absorbing Sides"), this);
    top = new QCheckBox(QStringLiteral("Top Side"), box);
    bottom = new QCheckBox(QStringLiteral("Bottom Side"), box);
    left = new QCheckBox(QStringLiteral("Left Side"), box);
    right = new QCheckBox(QStringLiteral("Right Side"), box);
    top->setChecked((sides & kAbsorbTop) != 0);
    bottom->setChecked((sides & kAbsorbBottom) != 0);
    left->setChecked((sides & kAbsorbLeft) != 0);
    right->setChecked((sides & kAbsorbRight) != 0);
    // Laid out as the sides lie round the model.
    auto* grid = new QGridLayout(box);
    grid->addWidget(top, 0, 1, Qt::AlignHCenter);
    grid->addWidget(left, 1, 0);
    grid->addWidget(right, 1, 2);
    grid->addWidget(bottom, 2, 1, Qt::AlignHCenter);

    factor = NewNumberEdit(this);
    SetNumber(factor, doc.job.InfiniteFactor);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Infinite Factor (0 - 1)"), factor);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CInfiniteBCDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CInfiniteBCDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(box);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void CInfiniteBCDlg::accept() {
    const FieldReport report = [this](const std::string& text, MessageStyle style) {
        return m_doc.ReportMessage(text, style);
    };
    if (!CheckFields({{factor, kInfiniteFactorRange}}, report)) return;
    std::uint8_t sides = 0;
    if (top->isChecked()) sides |= kAbsorbTop;
    if (bottom->isChecked()) sides |= kAbsorbBottom;
    if (left->isChecked()) sides |= kAbsorbLeft;
    if (right->isChecked()) sides |= kAbsorbRight;
    const auto weight = static_cast<float>(NumberOf(factor));
    if (sides != m_doc.job.InfiniteBCIndex || weight != m_doc.job.InfiniteFactor) {
        m_doc.job.InfiniteBCIndex = sides;
        m_doc.job.InfiniteFactor = weight;
        m_doc.SetModifiedFlag();
        RefreshDocumentDisplay(m_doc);
    }
    QDialog::accept();
}

}  // namespace elix

#include "engine/run_to_step_dlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>
#include <algorithm>

namespace elix {

CRunToStepDlg::CRunToStepDlg(int step, int lastStep, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Run to Step"));
    auto* form = new QFormLayout(this);
    m_step = new QSpinBox(this);
    m_step->setRange(0, std::max(0, lastStep));
    m_step->setValue(std::clamp(step, 0, std::max(0, lastStep)));
    m_step->setMinimumWidth(120);
    m_step->setAccelerated(true);
    form->addRow(QStringLiteral("&Step:"), m_step);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    m_step->selectAll();
}

int CRunToStepDlg::Step() const { return m_step->value(); }

}  // namespace elix

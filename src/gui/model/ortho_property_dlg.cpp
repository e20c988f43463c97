#include "model/ortho_property_dlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "model/material_editor.h"
#include "model/number_field.h"

namespace elix {

COrthoPropertyDlg::COrthoPropertyDlg(const std::array<double, 9>& mpa, FieldReport report, QWidget* parent)
    : QDialog(parent), m_values(mpa), m_report(std::move(report)) {
    setWindowTitle(QStringLiteral("Orthotropic Properties"));
    static constexpr const char* kNames[9] = {"C11", "C12", "C13", "C22", "C23", "C33", "C44", "C55", "C66"};
    auto* grid = new QGridLayout;
    // Three columns of three constants.
    for (int k = 0; k < 9; ++k) {
        const QString label = QStringLiteral("%1%2 (MPa)").arg(QLatin1String(kNames[k]),
                                                                OrthoEntryUsed(k) ? QStringLiteral("*") : QString());
        edits[static_cast<std::size_t>(k)] = NewNumberEdit(this);
        SetNumber(edits[static_cast<std::size_t>(k)], mpa[static_cast<std::size_t>(k)]);
        const int row = k % 3, column = (k / 3) * 2;
        grid->addWidget(new QLabel(label, this), row, column, Qt::AlignRight);
        grid->addWidget(edits[static_cast<std::size_t>(k)], row, column + 1);
    }
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(box, &QDialogButtonBox::accepted, this, &COrthoPropertyDlg::accept);
    connect(box, &QDialogButtonBox::rejected, this, &COrthoPropertyDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(new QLabel(QString::fromUtf8(kUsedEntryNote), this));
    layout->addWidget(box);
}

void COrthoPropertyDlg::accept() {
    for (QLineEdit* edit : edits)
        if (!CheckFields({{edit, kAnyRange}}, m_report)) return;
    for (std::size_t k = 0; k < edits.size(); ++k) m_values[k] = NumberOf(edits[k]);
    QDialog::accept();
}

}  // namespace elix

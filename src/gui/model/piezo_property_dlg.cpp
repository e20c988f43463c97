#include "model/piezo_property_dlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "model/number_field.h"

namespace elix {

namespace {

// "e24*" style labels: the matrix name, row and column (1-based), the mark.
QString EntryLabel(const char* symbol, int row, int column, bool used) {
    return QStringLiteral("%1%2%3%4").arg(QLatin1String(symbol)).arg(row).arg(column).arg(used ? "*" : "");
}

}  // namespace

CPiezoPropertyDlg::CPiezoPropertyDlg(const PiezoFields& values, FieldReport report, QWidget* parent)
    : QDialog(parent), m_values(values), m_report(std::move(report)) {
    setWindowTitle(QStringLiteral("Piezoelectric Properties"));
    auto* eBox = new QGroupBox(QStringLiteral("Piezoelectric Constants (C/m^2)"), this);
    auto* eGrid = new QGridLayout(eBox);
    for (int k = 0; k < 18; ++k) {
        const int row = k / 6, column = k % 6;
        QLineEdit*& edit = eEdits[static_cast<std::size_t>(k)];
        edit = NewNumberEdit(eBox);
        SetNumber(edit, values.e[static_cast<std::size_t>(k)]);
        eGrid->addWidget(new QLabel(EntryLabel("e", row + 1, column + 1, PiezoEEntryUsed(k)), eBox), row, column * 2,
                         Qt::AlignRight);
        eGrid->addWidget(edit, row, column * 2 + 1);
    }
    auto* epsBox = new QGroupBox(QStringLiteral("Permittivities (uF/m)"), this);
    auto* epsGrid = new QGridLayout(epsBox);
    for (int k = 0; k < 9; ++k) {
        const int row = k / 3, column = k % 3;
        QLineEdit*& edit = epsilonEdits[static_cast<std::size_t>(k)];
        edit = NewNumberEdit(epsBox);
        SetNumber(edit, values.epsilonUF[static_cast<std::size_t>(k)]);
        epsGrid->addWidget(new QLabel(EntryLabel("eps", row + 1, column + 1, PiezoEpsilonEntryUsed(k)), epsBox), row,
                           column * 2, Qt::AlignRight);
        epsGrid->addWidget(edit, row, column * 2 + 1);
    }
    // The permittivities keep the width of the constants' fields.
    epsGrid->setColumnStretch(6, 1);
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(box, &QDialogButtonBox::accepted, this, &CPiezoPropertyDlg::accept);
    connect(box, &QDialogButtonBox::rejected, this, &CPiezoPropertyDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(eBox);
    layout->addWidget(epsBox);
    layout->addWidget(new QLabel(QString::fromUtf8(kUsedEntryNote), this));
    layout->addWidget(box);
}

void CPiezoPropertyDlg::accept() {
    for (QLineEdit* edit : eEdits)
        if (!CheckFields({{edit, kAnyRange}}, m_report)) return;
    for (QLineEdit* edit : epsilonEdits)
        if (!CheckFields({{edit, kAnyRange}}, m_report)) return;
    for (std::size_t k = 0; k < eEdits.size(); ++k) m_values.e[k] = NumberOf(eEdits[k]);
    for (std::size_t k = 0; k < epsilonEdits.size(); ++k) m_values.epsilonUF[k] = NumberOf(epsilonEdits[k]);
    QDialog::accept();
}

}  // namespace elix

// The piezoelectric detail editor: the stress constants e11..e36 in C/m^2
// and the permittivities eps11..eps33 in uF/m; the ones the engine uses are
// marked with "*".
#pragma once

#include <QDialog>
#include <array>

#include "model/field_range.h"
#include "model/material_editor.h"

class QLineEdit;

namespace elix {

class CPiezoPropertyDlg : public QDialog {
    Q_OBJECT
public:
    CPiezoPropertyDlg(const PiezoFields& values, FieldReport report, QWidget* parent = nullptr);

    const PiezoFields& Values() const { return m_values; }

    std::array<QLineEdit*, 18> eEdits{};
    std::array<QLineEdit*, 9> epsilonEdits{};

    void accept() override;

private:
    PiezoFields m_values;
    FieldReport m_report;
};

}  // namespace elix

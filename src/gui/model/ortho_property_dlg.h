// The orthotropic detail editor: the nine elastic constants C11, C12, C13,
// C22, C23, C33, C44, C55, C66 in MPa; the ones the engine uses are marked
// with "*".
#pragma once

#include <QDialog>
#include <array>

#include "model/field_range.h"

class QLineEdit;

namespace elix {

class COrthoPropertyDlg : public QDialog {
    Q_OBJECT
public:
    COrthoPropertyDlg(const std::array<double, 9>& mpa, FieldReport report, QWidget* parent = nullptr);

    // The values after OK, MPa.
    const std::array<double, 9>& Values() const { return m_values; }

    std::array<QLineEdit*, 9> edits{};

    void accept() override;

private:
    std::array<double, 9> m_values;
    FieldReport m_report;
};

}  // namespace elix

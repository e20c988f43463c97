// "Advanced Boundary Conditions": the end points of a boundary condition,
// its two mode durations, "Active in Duration Only" and its time delay.
#pragma once

#include <QDialog>

#include "model/boundary_editor.h"
#include "model/field_range.h"

class QCheckBox;
class QLineEdit;

namespace elix {

class CBCAdvancedDlg : public QDialog {
    Q_OBJECT
public:
    CBCAdvancedDlg(const BoundaryAdvancedFields& fields, FieldReport report, QWidget* parent = nullptr);

    // The values after OK, in the units shown.
    const BoundaryAdvancedFields& Fields() const { return m_fields; }

    QLineEdit* x1;
    QLineEdit* y1;
    QLineEdit* x2;
    QLineEdit* y2;
    QLineEdit* longitudinalDuration;
    QLineEdit* shearDuration;
    QCheckBox* activeInDurationOnly;
    QLineEdit* timeDelay;

    void accept() override;

private:
    BoundaryAdvancedFields m_fields;
    FieldReport m_report;
};

}  // namespace elix

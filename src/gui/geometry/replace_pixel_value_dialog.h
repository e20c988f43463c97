// "Replace Pixel Value" (Tools > Replace Pixel Value): every pixel whose
// gray level lies from "Old value from" to "To" gets "New value".
#pragma once

#include <QDialog>

#include "geometry/geometry_fields.h"

class QLineEdit;

namespace elix {

class CReplacePixelValueDlg : public QDialog {
    Q_OBJECT
public:
    CReplacePixelValueDlg(const ReplacePixelValues& values, FieldReport report, QWidget* parent = nullptr);

    ReplacePixelValues Values() const { return m_values; }

    QLineEdit* from;
    QLineEdit* to;
    QLineEdit* newValue;

    void accept() override;

private:
    CNumberFields m_fields;
    ReplacePixelValues m_values;
};

}  // namespace elix

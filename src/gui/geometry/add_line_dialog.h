// "Add Layer" (Geometry > Add Layer): a straight band of the given
// thickness from the start point to the end point.
#pragma once

#include "geometry/paint_dialog.h"

namespace elix {

class CAddLineDlg : public CPaintDialog {
    Q_OBJECT
public:
    CAddLineDlg(const AddLayerValues& values, FieldReport report, QWidget* parent = nullptr);

    // After OK: metres and degrees.
    AddLayerValues Values() const { return m_values; }

    QLineEdit* x1;
    QLineEdit* y1;
    QLineEdit* x2;
    QLineEdit* y2;
    QLineEdit* thickness;

protected:
    void TakeShape() override;

private:
    AddLayerValues m_values;
};

}  // namespace elix

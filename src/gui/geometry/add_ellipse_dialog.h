// "Add Ellipse" (Geometry > Add Ellipse): Major and Minor are the half
// axes along the directions Theta turns x and y to.
#pragma once

#include "geometry/paint_dialog.h"

namespace elix {

class CAddEllipseDlg : public CPaintDialog {
    Q_OBJECT
public:
    CAddEllipseDlg(const AddEllipseValues& values, FieldReport report, QWidget* parent = nullptr);

    // After OK: metres and degrees.
    AddEllipseValues Values() const { return m_values; }

    QLineEdit* xc;
    QLineEdit* yc;
    QLineEdit* major;
    QLineEdit* minor;
    QLineEdit* thetaDegrees;

protected:
    void TakeShape() override;

private:
    AddEllipseValues m_values;
};

}  // namespace elix

// "Add Rectangle" (Geometry > Add Rectangle): the start point is the
// rectangle's top-left corner before Theta turns it about that corner.
#pragma once

#include "geometry/paint_dialog.h"

namespace elix {

class CAddRectDlg : public CPaintDialog {
    Q_OBJECT
public:
    CAddRectDlg(const AddRectangleValues& values, FieldReport report, QWidget* parent = nullptr);

    // After OK: metres and degrees.
    AddRectangleValues Values() const { return m_values; }

    QLineEdit* startX;
    QLineEdit* startY;
    QLineEdit* rectWidth;
    QLineEdit* rectHeight;
    QLineEdit* thetaDegrees;

protected:
    void TakeShape() override;

private:
    AddRectangleValues m_values;
};

}  // namespace elix

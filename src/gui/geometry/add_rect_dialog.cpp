#include "geometry/add_rect_dialog.h"

#include <QFormLayout>
#include <QLineEdit>

namespace elix {

CAddRectDlg::CAddRectDlg(const AddRectangleValues& values, FieldReport report, QWidget* parent)
    : CPaintDialog(QStringLiteral("Add Rectangle"), values.target, values.repeat, std::move(report), parent),
      m_values(values) {
    startX = Fields().Add(ShapeForm(), QStringLiteral("Start Point x (mm)"), values.x * 1000.0, kAnyRange);
    startY = Fields().Add(ShapeForm(), QStringLiteral("Start Point y (mm)"), values.y * 1000.0, kAnyRange);
    rectWidth = Fields().Add(ShapeForm(), QStringLiteral("Width (mm)"), values.width * 1000.0, kNonNegativeRange);
    rectHeight = Fields().Add(ShapeForm(), QStringLiteral("Height (mm)"), values.height * 1000.0, kNonNegativeRange);
    thetaDegrees = Fields().Add(ShapeForm(), QStringLiteral("Theta (Deg.)"), values.thetaDegrees, kThetaRange);
    FinishLayout();
}

void CAddRectDlg::TakeShape() {
    m_values.x = CNumberFields::Value(startX) / 1000.0;
    m_values.y = CNumberFields::Value(startY) / 1000.0;
    m_values.width = CNumberFields::Value(rectWidth) / 1000.0;
    m_values.height = CNumberFields::Value(rectHeight) / 1000.0;
    m_values.thetaDegrees = CNumberFields::Value(thetaDegrees);
    m_values.target = TakenTarget();
    m_values.repeat = Repeat();
}

}  // namespace elix

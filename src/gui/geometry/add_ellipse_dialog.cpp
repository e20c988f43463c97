#include "geometry/add_ellipse_dialog.h"

#include <QFormLayout>
#include <QLineEdit>

namespace elix {

CAddEllipseDlg::CAddEllipseDlg(const AddEllipseValues& values, FieldReport report, QWidget* parent)
    : CPaintDialog(QStringLiteral("Add Ellipse"), values.target, values.repeat, std::move(report), parent),
      m_values(values) {
    xc = Fields().Add(ShapeForm(), QStringLiteral("Center Point x (mm)"), values.xc * 1000.0, kAnyRange);
    yc = Fields().Add(ShapeForm(), QStringLiteral("Center Point y (mm)"), values.yc * 1000.0, kAnyRange);
    major = Fields().Add(ShapeForm(), QStringLiteral("Major (mm)"), values.major * 1000.0, kNonNegativeRange);
    minor = Fields().Add(ShapeForm(), QStringLiteral("Minor (mm)"), values.minor * 1000.0, kNonNegativeRange);
    thetaDegrees = Fields().Add(ShapeForm(), QStringLiteral("Theta (Deg.)"), values.thetaDegrees, kThetaRange);
    FinishLayout();
}

void CAddEllipseDlg::TakeShape() {
    m_values.xc = CNumberFields::Value(xc) / 1000.0;
    m_values.yc = CNumberFields::Value(yc) / 1000.0;
    m_values.major = CNumberFields::Value(major) / 1000.0;
    m_values.minor = CNumberFields::Value(minor) / 1000.0;
    m_values.thetaDegrees = CNumberFields::Value(thetaDegrees);
    m_values.target = TakenTarget();
    m_values.repeat = Repeat();
}

}  // namespace elix

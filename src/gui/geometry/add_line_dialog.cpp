#include "geometry/add_line_dialog.h"

#include <QFormLayout>
#include <QLineEdit>

namespace elix {

CAddLineDlg::CAddLineDlg(const AddLayerValues& values, FieldReport report, QWidget* parent)
    : CPaintDialog(QStringLiteral("Add Layer"), values.target, values.repeat, std::move(report), parent),
      m_values(values) {
    x1 = Fields().Add(ShapeForm(), QStringLiteral("Start Point x (mm)"), values.x1 * 1000.0, kAnyRange);
    y1 = Fields().Add(ShapeForm(), QStringLiteral("Start Point y (mm)"), values.y1 * 1000.0, kAnyRange);
    x2 = Fields().Add(ShapeForm(), QStringLiteral("End Point x (mm)"), values.x2 * 1000.0, kAnyRange);
    y2 = Fields().Add(ShapeForm(), QStringLiteral("End Point y (mm)"), values.y2 * 1000.0, kAnyRange);
    thickness = Fields().Add(ShapeForm(), QStringLiteral("Thickness (mm)"), values.thickness * 1000.0, kNonNegativeRange);
    FinishLayout();
}

void CAddLineDlg::TakeShape() {
    m_values.x1 = CNumberFields::Value(x1) / 1000.0;
    m_values.y1 = CNumberFields::Value(y1) / 1000.0;
    m_values.x2 = CNumberFields::Value(x2) / 1000.0;
    m_values.y2 = CNumberFields::Value(y2) / 1000.0;
    m_values.thickness = CNumberFields::Value(thickness) / 1000.0;
    m_values.target = TakenTarget();
    m_values.repeat = Repeat();
}

}  // namespace elix

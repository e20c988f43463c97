#include "geometry/geometry_fields.h"

#include <QFormLayout>
#include <cmath>

namespace elix {

QLineEdit* NumberEdit(QWidget* parent, double value) {
    QLineEdit* edit = NewNumberEdit(parent);
    SetNumber(edit, value);
    return edit;
}

QLineEdit* CNumberFields::Add(QFormLayout* form, const QString& label, double value, FieldRange range,
                              bool integer) {
    QLineEdit* edit = NumberEdit(form->parentWidget(), value);
    form->addRow(label, edit);
    return Track(edit, range, integer);
}

QLineEdit* CNumberFields::Track(QLineEdit* edit, FieldRange range, bool integer) {
    m_fields.push_back({edit, range, integer});
    return edit;
}

bool CNumberFields::Check() const {
    for (const Field& field : m_fields) {
        if (!field.edit->isEnabled()) continue;
        const double value = NumberOf(field.edit);
        // A count or gray level takes whole numbers only.
        const bool whole = !field.integer || std::floor(value) == value;
        if (whole && CheckFieldRange(value, field.range, {})) continue;
        if (m_report) m_report(FieldRangeMessage(field.range), MessageStyle::Exclamation);
        field.edit->setFocus();
        field.edit->selectAll();
        return false;
    }
    return true;
}

double CNumberFields::Value(const QLineEdit* edit) { return NumberOf(edit); }

TargetRangeFields AddTargetRange(QFormLayout* form, CNumberFields& fields, const PaintTarget& target) {
    TargetRangeFields range{};
    range.lower = fields.Add(form, QStringLiteral("Over gray levels from"), target.lower, kGrayLevelRange, true);
    range.upper = fields.Add(form, QStringLiteral("to"), target.upper, kGrayLevelRange, true);
    const QString tip = QStringLiteral("Only pixels whose gray level lies in this range are painted");
    range.lower->setToolTip(tip);
    range.upper->setToolTip(tip);
    return range;
}

QString RepeatSummary(const RepeatValues& repeat) {
    if (repeat.rows == 1 && repeat.columns == 1) return QStringLiteral("Once (no repeat)");
    return QStringLiteral("%1 row(s) x %2 column(s), %3 mm / %4 mm apart, at %5 deg.")
        .arg(repeat.rows)
        .arg(repeat.columns)
        .arg(repeat.spaceInRow * 1000.0, 0, 'g', 6)
        .arg(repeat.spaceInColumn * 1000.0, 0, 'g', 6)
        .arg(repeat.angleDegrees, 0, 'g', 6);
}

}  // namespace elix

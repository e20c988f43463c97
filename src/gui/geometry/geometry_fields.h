// The pieces every geometry dialog shares: number fields with their ranges
// (millimetres, degrees, gray levels), the check that takes them in order
// with the range message and the focus back on a refused field, and the
// target gray-level range group of the Add dialogs.
#pragma once

#include <QLineEdit>
#include <QString>
#include <vector>

#include "geometry/editing_commands.h"
#include "model/field_range.h"
#include "model/number_field.h"

class QFormLayout;
class QWidget;

namespace elix {

// Ranges of the geometry dialogs' fields, in the units they show.
inline constexpr FieldRange kThetaRange{-360.0, 360.0};
inline constexpr FieldRange kWedgeThetaRange{0.0, 89.999};
inline constexpr FieldRange kRepeatCountRange{1.0, 99999.0};

// A number field (model/number_field.h) showing value.
QLineEdit* NumberEdit(QWidget* parent, double value);

// The fields of one dialog, taken in the order they were added.
class CNumberFields {
public:
    explicit CNumberFields(FieldReport report) : m_report(std::move(report)) {}

    // Adds a field to the form and remembers its range.
    QLineEdit* Add(QFormLayout* form, const QString& label, double value, FieldRange range, bool integer = false);
    // Remembers the range of a field laid out elsewhere.
    QLineEdit* Track(QLineEdit* edit, FieldRange range, bool integer = false);

    // Every field parses and lies in its range; otherwise the first one
    // that does not gets the range message, the focus and its text
    // selected, and false comes back.
    bool Check() const;
    // The value of a field that passed Check.
    static double Value(const QLineEdit* edit);

private:
    struct Field {
        QLineEdit* edit;
        FieldRange range;
        bool integer;
    };
    FieldReport m_report;
    std::vector<Field> m_fields;
};

// The target gray-level range rows: the shape paints only over pixels
// whose gray level lies from lower to upper.
struct TargetRangeFields {
    QLineEdit* lower;
    QLineEdit* upper;
};
TargetRangeFields AddTargetRange(QFormLayout* form, CNumberFields& fields, const PaintTarget& target);

// The repeat grid in words for the Add dialogs: "Once" or
// "3 x 2 copies, 1.5 mm x 2 mm apart, at 30 deg.".
QString RepeatSummary(const RepeatValues& repeat);

}  // namespace elix

// Number fields of the editors: a QLineEdit that shows a value in the
// shortest text that reads back as the same 32-bit float, and gives back
// exactly the value it showed while its text is unchanged (so taking an
// untouched field never changes a record). Checking a list of fields shows
// the core's range message for the first one out of range (a text that is
// not a number is outside every range), puts the focus back there and
// reports failure.
#pragma once

#include <QLineEdit>
#include <QString>
#include <initializer_list>

#include "model/field_range.h"

namespace elix {

// The text a value is shown with: "%g" with 6 significant digits, or 7
// when 6 would not read back as the same float.
QString NumberText(double value);

// Shows a value; an integer field takes whole numbers only.
void SetNumber(QLineEdit* edit, double value);
void SetInteger(QLineEdit* edit, long long value);

// The field's value: the one shown while the text is unchanged, otherwise
// the text read as a number (blanks around it allowed); NaN when the text
// is no number, or for an integer field no whole number.
double NumberOf(const QLineEdit* edit);

struct CheckedField {
    QLineEdit* edit;
    FieldRange range;
};

// Checks the fields in order; the first one out of range shows
// FieldRangeMessage through report, gets the focus with its text selected,
// and the check fails.
bool CheckFields(std::initializer_list<CheckedField> fields, const FieldReport& report);

// A line edit for a number, sized for about twelve characters.
QLineEdit* NewNumberEdit(QWidget* parent);

}  // namespace elix

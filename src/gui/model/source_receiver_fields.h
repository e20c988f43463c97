// Field helpers shared by the source, receiver, array and time-function
// dialogs: number fields in display units, the range check with the focus
// returned to a refused field, the apodization and location choices.
#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QString>
#include <string>

#include "model/field_range.h"
#include "model/number_field.h"
#include "model/location_rules.h"

class QGridLayout;
class QHBoxLayout;
class QLabel;
class QWidget;

namespace elix {

// The aperture windows the editors offer.
QComboBox* NewApodizationBox(QWidget* parent);
// "Left", "Right", "Top", "Bottom" and, with advanced, "Advanced".
QComboBox* NewLocationBox(QWidget* parent, bool advanced);

// A number field (model/number_field.h) showing value.
QLineEdit* NewNumberEdit(QWidget* parent, double value);
inline void ShowNumber(QLineEdit* edit, double value) { SetNumber(edit, value); }

// Reads a number field. Text that is not a number, or a number outside
// range, gets the range message through report; the focus goes back to the
// field (its text selected) and false is returned.
bool TakeNumber(QLineEdit* edit, FieldRange range, const FieldReport& report, double& value);
bool TakeInteger(QLineEdit* edit, FieldRange range, const FieldReport& report, int& value);

// Selects the entry whose text is text; an entry is added when none is.
void SelectText(QComboBox* box, const std::string& text);
std::string SelectedText(const QComboBox* box);

// The top row of the source and receiver editors: "Name", the name field
// (at least minimumWidth pixels) and the item count label after it.
QHBoxLayout* NewNameRow(QWidget* parent, int minimumWidth, QLineEdit*& name, QLabel*& itemCount);

// The location row of an item editor: "Location", "Size (mm)" and
// "Center Offset (mm)".
struct LocationWidgets {
    QComboBox* location = nullptr;
    QLineEdit* size = nullptr;
    QLineEdit* offset = nullptr;

    // Adds the three rows to grid from row on.
    void Create(QWidget* parent, QGridLayout* grid, int row, bool advanced);
    void Show(const LocationFields& fields);
    bool Take(const FieldReport& report, LocationFields& fields) const;
};

// The Advanced editors' end points: "X Start (mm)", "Y Start (mm)",
// "X End (mm)", "Y End (mm)".
struct EndPointWidgets {
    QLineEdit* x1 = nullptr;
    QLineEdit* y1 = nullptr;
    QLineEdit* x2 = nullptr;
    QLineEdit* y2 = nullptr;

    // Adds two rows (start, end) to grid from row on.
    void Create(QWidget* parent, QGridLayout* grid, int row);
    void Show(const EndPointFields& fields);
    bool Take(const FieldReport& report, EndPointFields& fields) const;
};

}  // namespace elix

// "Wedge Dialog" (Tools > Wedge Edit): "&Add" grows the image by a wedge on
// the chosen edge, "&Delete" trims such a strip off again. Each button runs
// its action at once; the dialog closes when the action succeeded and stays
// open (the message shown) when it failed.
#pragma once

#include <QDialog>
#include <functional>

#include "geometry/geometry_fields.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace elix {

class CWedgeDlg : public QDialog {
    Q_OBJECT
public:
    using Action = std::function<bool(WedgeAction action, const WedgeValues& values)>;
    CWedgeDlg(const WedgeValues& values, Action action, FieldReport report, QWidget* parent = nullptr);

    // The values of the last button pressed: metres and degrees.
    WedgeValues Values() const { return m_values; }

    QComboBox* location;
    QLineEdit* size;
    QLineEdit* centerOffset;
    QLineEdit* theta;
    QLineEdit* grayLevel;
    QCheckBox* flip;
    QPushButton* addButton;
    QPushButton* deleteButton;
    QPushButton* cancelButton;

private:
    void Act(WedgeAction action);

    CNumberFields m_fields;
    Action m_action;
    WedgeValues m_values;
};

}  // namespace elix

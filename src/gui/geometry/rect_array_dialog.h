// "Repeat" (the "&Repeat" button of every Add dialog): the shape is painted
// Rows x Columns times on a grid Space in Row / Space in Column apart,
// turned by Angle.
#pragma once

#include <QDialog>

#include "geometry/geometry_fields.h"

class QLineEdit;

namespace elix {

class CRectArrayDlg : public QDialog {
    Q_OBJECT
public:
    CRectArrayDlg(const RepeatValues& values, FieldReport report, QWidget* parent = nullptr);

    // After OK: spaces in metres, the angle in degrees.
    RepeatValues Values() const { return m_values; }

    QLineEdit* rows;
    QLineEdit* columns;
    QLineEdit* spaceInRow;
    QLineEdit* spaceInColumn;
    QLineEdit* angle;

    void accept() override;

private:
    CNumberFields m_fields;
    RepeatValues m_values;
};

}  // namespace elix

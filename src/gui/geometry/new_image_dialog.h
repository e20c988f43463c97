// "New Image Parameters" (Geometry > Create Image): the size of the new
// image in millimetres, its pixels per millimetre and the gray level that
// fills it; a line below tells the size in pixels the values give.
#pragma once

#include <QDialog>

#include "geometry/geometry_commands.h"
#include "geometry/geometry_fields.h"

class QLabel;
class QLineEdit;

namespace elix {

class CNewImageDlg : public QDialog {
    Q_OBJECT
public:
    CNewImageDlg(const NewImageValues& values, FieldReport report, QWidget* parent = nullptr);

    // The values after OK: metres and pixels per metre.
    NewImageValues Values() const { return m_values; }

    QLineEdit* widthMm;
    QLineEdit* heightMm;
    QLineEdit* pixelsPerMm;
    QLineEdit* grayLevel;
    QLabel* pixelSize;

    void accept() override;

private:
    void UpdatePixelSize();

    CNumberFields m_fields;
    NewImageValues m_values;
};

}  // namespace elix

// "Image Resolution" (Tools > Set Resolution): the one field "Pixel/mm".
// The pixels stay; a line below tells the size in millimetres the image
// will have.
#pragma once

#include <QDialog>

#include "geometry/geometry_fields.h"

class QLabel;
class QLineEdit;

namespace elix {

class CImageResolutionDlg : public QDialog {
    Q_OBJECT
public:
    CImageResolutionDlg(double pixelsPerMillimetre, int imageWidth, int imageHeight, FieldReport report,
                        QWidget* parent = nullptr);

    double PixelsPerMillimetre() const { return m_value; }

    QLineEdit* pixelsPerMm;
    QLabel* objectSize;

    void accept() override;

private:
    void UpdateObjectSize();

    CNumberFields m_fields;
    double m_value;
    int m_width;
    int m_height;
};

}  // namespace elix

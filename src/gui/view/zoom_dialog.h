// "Zoom Dialog": one field "Zoom %" with a spin control from 1 to 1000.
#pragma once

#include <QDialog>

class QSpinBox;

namespace elix {

class CZoomDlg : public QDialog {
    Q_OBJECT
public:
    CZoomDlg(double zoom, QWidget* parent = nullptr);
    // The zoom the user asked for (percent x 0.01).
    double Zoom() const;
    QSpinBox* Field() const { return m_percent; }

private:
    QSpinBox* m_percent;
};

}  // namespace elix

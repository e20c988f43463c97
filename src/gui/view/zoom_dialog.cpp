#include "view/zoom_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>

#include "view/model_view_geometry.h"

namespace elix {

CZoomDlg::CZoomDlg(double zoom, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Zoom Dialog"));
    m_percent = new QSpinBox(this);
    // The spin box's own range check refuses values outside 1..1000.
    m_percent->setRange(kZoomPercentMin, kZoomPercentMax);
    m_percent->setValue(ZoomPercent(zoom));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("Zoom %"), m_percent);
    layout->addRow(buttons);
}

double CZoomDlg::Zoom() const { return ZoomFromPercent(m_percent->value()).value_or(1.0); }

}  // namespace elix

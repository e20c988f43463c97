#include "geometry/image_resolution_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

#include "geometry/geometry_commands.h"

namespace elix {

CImageResolutionDlg::CImageResolutionDlg(double pixelsPerMillimetre, int imageWidth, int imageHeight,
                                         FieldReport report, QWidget* parent)
    : QDialog(parent), m_fields(std::move(report)), m_value(pixelsPerMillimetre), m_width(imageWidth),
      m_height(imageHeight) {
    setWindowTitle(QStringLiteral("Image Resolution"));
    auto* form = new QFormLayout(this);
    pixelsPerMm = m_fields.Add(form, QStringLiteral("Pixel/mm"), pixelsPerMillimetre,
                               {kImageDialogMinimum, kImageDialogMaximum});
    pixelsPerMm->setMinimumWidth(140);
    objectSize = new QLabel(this);
    form->addRow(QStringLiteral("Object size"), objectSize);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    connect(pixelsPerMm, &QLineEdit::textChanged, this, [this] { UpdateObjectSize(); });
    UpdateObjectSize();
}

void CImageResolutionDlg::UpdateObjectSize() {
    bool ok = false;
    const double p = pixelsPerMm->text().trimmed().toDouble(&ok);
    if (!ok || !(p > 0.0)) {
        objectSize->setText(QStringLiteral("-"));
        return;
    }
    objectSize->setText(QStringLiteral("%1 x %2 pixels: %3 mm x %4 mm")
                            .arg(m_width)
                            .arg(m_height)
                            .arg(m_width / p, 0, 'f', 2)
                            .arg(m_height / p, 0, 'f', 2));
}

void CImageResolutionDlg::accept() {
    if (!m_fields.Check()) return;
    m_value = CNumberFields::Value(pixelsPerMm);
    QDialog::accept();
}

}  // namespace elix

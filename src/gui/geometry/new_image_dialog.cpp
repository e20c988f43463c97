#include "geometry/new_image_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

#include "geometry/geometry_image.h"

namespace elix {

namespace {
constexpr FieldRange kImageRange{kImageDialogMinimum, kImageDialogMaximum};
}

CNewImageDlg::CNewImageDlg(const NewImageValues& values, FieldReport report, QWidget* parent)
    : QDialog(parent), m_fields(std::move(report)), m_values(values) {
    setWindowTitle(QStringLiteral("New Image Parameters"));
    auto* form = new QFormLayout(this);
    widthMm = m_fields.Add(form, QStringLiteral("Width (mm)"), values.widthMetres * 1000.0, kImageRange);
    heightMm = m_fields.Add(form, QStringLiteral("Height (mm)"), values.heightMetres * 1000.0, kImageRange);
    pixelsPerMm = m_fields.Add(form, QStringLiteral("Pixel/mm"), values.pixelsPerMetre / 1000.0, kImageRange);
    grayLevel = m_fields.Add(form, QStringLiteral("Gray Level"), values.grayLevel, kGrayLevelRange, true);
    pixelSize = new QLabel(this);
    pixelSize->setObjectName(QStringLiteral("pixelSize"));
    form->addRow(QStringLiteral("Image"), pixelSize);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    for (QLineEdit* edit : {widthMm, heightMm, pixelsPerMm})
        connect(edit, &QLineEdit::textChanged, this, [this] { UpdatePixelSize(); });
    for (QLineEdit* edit : {widthMm, heightMm, pixelsPerMm, grayLevel}) edit->setMinimumWidth(140);
    UpdatePixelSize();
}

void CNewImageDlg::UpdatePixelSize() {
    bool okW = false, okH = false, okP = false;
    const double w = widthMm->text().trimmed().toDouble(&okW) / 1000.0;
    const double h = heightMm->text().trimmed().toDouble(&okH) / 1000.0;
    const double p = pixelsPerMm->text().trimmed().toDouble(&okP) * 1000.0;
    int columns = 0, rows = 0;
    if (okW && okH && okP && p > 0.0 && PixelsForLength(w, p, columns) && PixelsForLength(h, p, rows))
        pixelSize->setText(QStringLiteral("%1 x %2 pixels, %3 dpi")
                               .arg(columns)
                               .arg(rows)
                               .arg(p * kMetresPerInch, 0, 'f', 2));
    else
        pixelSize->setText(QStringLiteral("-"));
}

void CNewImageDlg::accept() {
    if (!m_fields.Check()) return;
    m_values.widthMetres = CNumberFields::Value(widthMm) / 1000.0;
    m_values.heightMetres = CNumberFields::Value(heightMm) / 1000.0;
    m_values.pixelsPerMetre = CNumberFields::Value(pixelsPerMm) * 1000.0;
    m_values.grayLevel = static_cast<int>(CNumberFields::Value(grayLevel));
    QDialog::accept();
}

}  // namespace elix

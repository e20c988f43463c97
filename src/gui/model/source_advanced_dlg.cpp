#include "model/source_advanced_dlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QVBoxLayout>

namespace elix {

CSourceAdvancedDlg::CSourceAdvancedDlg(const Segment& segment, FieldReport report, QWidget* parent)
    : QDialog(parent), m_segment(segment), m_report(std::move(report)) {
    setWindowTitle(QStringLiteral("Advanced Source"));
    auto* layout = new QVBoxLayout(this);
    auto* box = new QGroupBox(QStringLiteral("End Points"), this);
    auto* grid = new QGridLayout(box);
    endPoints.Create(box, grid, 0);
    endPoints.Show(ShowEndPoints(segment));
    layout->addWidget(box);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSourceAdvancedDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void CSourceAdvancedDlg::accept() {
    EndPointFields fields;
    if (!endPoints.Take(m_report, fields)) return;
    Segment segment;
    if (!TakeEndPoints(fields, segment, m_report)) return;
    m_segment = segment;
    QDialog::accept();
}

}  // namespace elix

#include "analysis/ref_curve_dlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "analysis/plot_data.h"

namespace elix {

CRefCurveDlg::CRefCurveDlg(const CPlotData& plot, int index, std::function<void()> help, QWidget* parent)
    : QDialog(parent), m_plot(plot), m_index(index) {
    setWindowTitle(QStringLiteral("Reference Curve"));
    m_name = new QLabel(this);
    m_name->setMinimumWidth(300);
    m_previous = new QPushButton(QStringLiteral("&Previous"), this);
    m_next = new QPushButton(QStringLiteral("&Next"), this);
    for (QPushButton* b : {m_previous, m_next}) b->setAutoDefault(false);
    connect(m_previous, &QPushButton::clicked, this, [this] { Step(-1); });
    connect(m_next, &QPushButton::clicked, this, [this] { Step(+1); });

    auto* steps = new QHBoxLayout;
    steps->addStretch();
    steps->addWidget(m_previous);
    steps->addWidget(m_next);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole);
    QPushButton* helpButton = buttons->addButton(QStringLiteral("&Help"), QDialogButtonBox::HelpRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(helpButton, &QPushButton::clicked, this, [help] {
        if (help) help();
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_name);
    layout->addLayout(steps);
    layout->addWidget(buttons);
    Show();
}

void CRefCurveDlg::Step(int delta) {
    if (m_plot.CurveAt(m_index + delta)) m_index += delta;
    Show();
}

void CRefCurveDlg::Show() {
    const PlotCurve* curve = m_plot.CurveAt(m_index);
    m_name->setText(QStringLiteral("Reference Curve Name: '%1'")
                        .arg(curve ? QString::fromStdString(curve->legend) : QString()));
}

}  // namespace elix

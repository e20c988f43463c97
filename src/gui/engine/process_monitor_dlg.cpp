#include "engine/process_monitor_dlg.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>

#include "engine/run.h"
#include "engine/run_to_step_dlg.h"

namespace elix {

CProcessMonitorDlg::CProcessMonitorDlg(IRunMonitor& monitor, QWidget* parent)
    : QDialog(parent), m_monitor(monitor) {
    setWindowTitle(QStringLiteral("Process Monitor"));
    setModal(false);
    auto* grid = new QGridLayout(this);
    m_state = new QLabel(QStringLiteral("Running:"), this);
    m_text = new QLabel(this);
    m_text->setMinimumWidth(320);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_bar = new QProgressBar(this);
    m_bar->setRange(0, 1);
    m_bar->setValue(0);
    m_bar->setTextVisible(true);
    grid->addWidget(m_state, 0, 0);
    grid->addWidget(m_text, 0, 1);
    grid->addWidget(m_bar, 1, 0, 1, 2);

    auto* buttons = new QHBoxLayout;
    m_pause = new QPushButton(QString::fromLatin1(m_monitor.ButtonLabel()), this);
    m_runToStep = new QPushButton(QStringLiteral("Run &to Step..."), this);
    m_stop = new QPushButton(QStringLiteral("&Stop"), this);
    // Enter must not press a button by accident while the run goes on.
    for (QPushButton* button : {m_pause, m_runToStep, m_stop}) button->setAutoDefault(false);
    buttons->addStretch(1);
    buttons->addWidget(m_pause);
    buttons->addWidget(m_runToStep);
    buttons->addWidget(m_stop);
    grid->addLayout(buttons, 2, 0, 1, 2);
    grid->setColumnStretch(1, 1);

    connect(m_pause, &QPushButton::clicked, this, &CProcessMonitorDlg::TogglePause);
    connect(m_runToStep, &QPushButton::clicked, this, &CProcessMonitorDlg::RunToStep);
    connect(m_stop, &QPushButton::clicked, this, [this] {
        m_monitor.Stop();
        Refresh();
    });
}

void CProcessMonitorDlg::SetTotalSteps(int totalSteps) {
    m_totalSteps = totalSteps;
    m_bar->setRange(0, std::max(1, totalSteps - 1));
    m_bar->setValue(0);
    Refresh();
}

void CProcessMonitorDlg::ShowProgress(int step, const std::string& text) {
    m_step = step;
    m_text->setText(QString::fromStdString(text));
    m_bar->setValue(std::clamp(step, m_bar->minimum(), m_bar->maximum()));
    Refresh();
}

QString CProcessMonitorDlg::ProgressText() const { return m_text->text(); }

void CProcessMonitorDlg::Refresh() {
    const bool stopped = m_monitor.StopRequested();
    m_pause->setText(QString::fromLatin1(m_monitor.ButtonLabel()));
    m_state->setText(stopped ? QStringLiteral("Stopping:")
                             : m_monitor.Paused() ? QStringLiteral("Paused:") : QStringLiteral("Running:"));
    m_pause->setEnabled(!stopped);
    m_runToStep->setEnabled(!stopped && m_step >= 0);
    m_stop->setEnabled(!stopped);
}

void CProcessMonitorDlg::TogglePause() {
    if (m_monitor.Paused())
        m_monitor.Resume();
    else
        m_monitor.Pause();
    Refresh();
}

void CProcessMonitorDlg::RunToStep() {
    const int lastStep = std::max(0, m_totalSteps - 1);
    const int proposed = m_monitor.TargetStep() > m_step && m_monitor.TargetStep() < lastStep
                             ? m_monitor.TargetStep()
                             : std::min(m_step + 1, lastStep);
    CRunToStepDlg dialog(proposed, lastStep, this);
    if (dialog.exec() != QDialog::Accepted) return;
    m_monitor.RunToStep(dialog.Step(), m_step);
    Refresh();
}

void CProcessMonitorDlg::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (!m_monitor.StopRequested()) m_stop->click();
}

}  // namespace elix

// The progress monitor of a run in the window: the progress text, a bar,
// the "&Pause"/"&Run" button, "Run &to Step..." and "&Stop". It is
// modeless; the run loop pumps the window's events between steps, so its
// buttons act on the monitor while the run goes on.
#pragma once

#include <QDialog>
#include <string>

class QLabel;
class QProgressBar;
class QPushButton;

namespace elix {

class IRunMonitor;

class CProcessMonitorDlg : public QDialog {
    Q_OBJECT
public:
    // monitor receives the button presses; it must outlive the dialog.
    CProcessMonitorDlg(IRunMonitor& monitor, QWidget* parent = nullptr);

    // The run's step count; the target step becomes the last step.
    void SetTotalSteps(int totalSteps);
    // The text above the progress ("Running:", "Paused:") and the progress
    // text of the step just done.
    void ShowProgress(int step, const std::string& text);
    // Brings the buttons in line with the monitor (after a pause at the
    // target step, for instance).
    void Refresh();

    int CurrentStep() const { return m_step; }
    int TotalSteps() const { return m_totalSteps; }
    QString ProgressText() const;
    QPushButton* PauseButton() const { return m_pause; }
    QPushButton* RunToStepButton() const { return m_runToStep; }
    QPushButton* StopButton() const { return m_stop; }

protected:
    // The window's close box stops the run (the restart offer follows);
    // Escape does nothing, so a long run is not ended by a stray key.
    void closeEvent(QCloseEvent* event) override;
    void reject() override {}

private:
    void TogglePause();
    void RunToStep();

    IRunMonitor& m_monitor;
    QLabel* m_state;
    QLabel* m_text;
    QProgressBar* m_bar;
    QPushButton* m_pause;
    QPushButton* m_runToStep;
    QPushButton* m_stop;
    int m_totalSteps = 0;
    int m_step = -1;
};

}  // namespace elix

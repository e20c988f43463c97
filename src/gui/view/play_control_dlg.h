// "Play Control": shows the frame pictures a run saved, one step at a time
// or as an animation on a 500 ms timer, in the model view. The stepping
// rules are the core's CPlayControl; the dialog shows its step, time and
// last step and hands typed values to it before every button acts.
#pragma once

#include <QDialog>
#include <QTimer>

#include "view/frame_dump.h"

class QLineEdit;
class QPushButton;

namespace elix {

class CElixDoc;

class CPlayControlDlg : public QDialog {
    Q_OBJECT
public:
    // Frames are read from folder; setup gives the time increment, the
    // spacing and the number of steps (the last step).
    CPlayControlDlg(CElixDoc& doc, const std::string& folder, const PlaybackSetup& setup, QWidget* parent = nullptr);

    const CPlayControl& Control() const { return m_control; }
    // One tick of the playback timer (the timer calls it every 500 ms).
    void Tick();
    bool TimerRunning() const { return m_timer.isActive(); }

    QLineEdit* StepField() const { return m_stepField; }
    QLineEdit* TimeField() const { return m_timeField; }
    QLineEdit* LastStepField() const { return m_lastStepField; }
    // The buttons by their text: "|<", "<", "||", ">", ">|", "-", "+", "E&xit".
    QPushButton* Button(const QString& text) const;

    static constexpr int kTimerInterval = 500;  // ms

private:
    // Takes over the typed step and last step; false after the range
    // message (focus on the field, nothing changed).
    bool ReadFields();
    void ShowFields();
    void SetMode(PlayMode mode);

    CElixDoc& m_doc;
    CPlayControl m_control;
    QTimer m_timer;
    QLineEdit* m_stepField;
    QLineEdit* m_timeField;
    QLineEdit* m_lastStepField;
    QList<QPushButton*> m_buttons;
};

}  // namespace elix

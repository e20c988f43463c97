// The Receiver Timer dialog (CReceiverTimerDlg): a signal and a reference
// curve of the receiver plot, each stepped with its own Previous/Next, the
// threshold in per cent of the first peak, and the measured distance,
// delays, velocities and notes. The measuring is the core's CReceiverTimer;
// "&Print" prints the results.
#pragma once

#include <QDialog>
#include <functional>

#include "analysis/receiver_timer.h"

class QLabel;
class QLineEdit;
class QPainter;
class QPrinter;
class QPushButton;

namespace elix {

class CElixDoc;

class CReceiverTimerDlg : public QDialog {
    Q_OBJECT
public:
    CReceiverTimerDlg(CElixDoc& doc, QWidget* parent = nullptr);

    const CReceiverTimer& Timer() const { return m_timer; }
    // The texts on display, as the core gave them.
    const ReceiverTimerTexts& Texts() const { return m_texts; }
    QLineEdit* Threshold() const { return m_threshold; }
    QLabel* Label(const char* which) const;  // "signal", "reference", "distance", "message", ...
    QPushButton* Button(const QString& text) const;

    // Paints the results on a printed page (names, distance, delays,
    // velocities, notes) in Arial near the top left corner.
    void PaintResults(QPainter& painter) const;

private:
    // Stores the threshold (false after the range message, nothing moved).
    bool TakeThreshold();
    // Store, move, measure: the pattern of every button.
    void Move(const std::function<void()>& move);
    void Measure();
    void Print();

    CElixDoc& m_doc;
    CReceiverTimer m_timer;
    ReceiverTimerTexts m_texts;
    QLineEdit* m_threshold;
    QLabel* m_signal;
    QLabel* m_reference;
    QLabel* m_distance;
    QLabel* m_delays[3];
    QLabel* m_velocities[3];
    QLabel* m_message;
};

}  // namespace elix

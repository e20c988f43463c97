// "Source Array Time Delay": the front and back delays of an array source
// ("Pre. Zero Time (us)", "Post Zero Time (us)") beside the delays its law
// gives on the grid the model would run on.
#pragma once

#include <QDialog>

#include "model/source.h"

class QLabel;
class QLineEdit;

namespace elix {

class CElixDoc;

class CArrayTimeDelayDlg : public QDialog {
    Q_OBJECT
public:
    CArrayTimeDelayDlg(CElixDoc& doc, const CSource& source, QWidget* parent = nullptr);

    // The front and back delays in seconds, after OK.
    float FrontDelay() const { return m_front; }
    float BackDelay() const { return m_back; }

    QLineEdit* preZeroTime;
    QLineEdit* postZeroTime;
    QLabel* computed;

    void accept() override;

private:
    CElixDoc& m_doc;
    float m_front;
    float m_back;
};

}  // namespace elix

// "Run to Step": the step at which the run pauses next.
#pragma once

#include <QDialog>

class QSpinBox;

namespace elix {

class CRunToStepDlg : public QDialog {
    Q_OBJECT
public:
    // step: the proposed target; the field accepts 0 .. lastStep.
    CRunToStepDlg(int step, int lastStep, QWidget* parent = nullptr);
    int Step() const;
    QSpinBox* StepField() const { return m_step; }

private:
    QSpinBox* m_step;
};

}  // namespace elix

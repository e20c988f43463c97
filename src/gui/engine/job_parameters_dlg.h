// "Job Parameters": how the model is run and displayed, in the units on
// display, with the WaveLength button that reports the shortest wavelengths
// at the frequency entered.
#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace elix {

class CElixDoc;

class CJobParametersDlg : public QDialog {
    Q_OBJECT
public:
    explicit CJobParametersDlg(CElixDoc& doc, QWidget* parent = nullptr);

    QLineEdit* timeStepScale;
    QLineEdit* maxFrequency;
    QLineEdit* waveLength;
    QLineEdit* simulationTime;
    QLineEdit* displayFrequency;
    QLineEdit* pointPerCycle;
    QCheckBox* saveDisplay;
    QLineEdit* interfaceBrightness;
    QComboBox* displayType;
    QLineEdit* displayScale;
    QCheckBox* highOrderScheme;
    QLineEdit* dtScaleThreshold;
    QLineEdit* totalThreads;
    QLineEdit* maxGridIndex;
    QLineEdit* dumpFirst;
    QLineEdit* dumpLast;
    QLineEdit* dumpFrequency;
    QPushButton* waveLengthButton;

    // OK: every field is checked (the first refused one keeps the focus and
    // nothing is stored); then the job parameters take the form, a thread
    // count above 4 is reset with its note, and a change marks the model
    // modified.
    void accept() override;
    // Cancel also undoes the frequency the WaveLength button stored.
    void reject() override;

private:
    void WaveLength();

    CElixDoc& m_doc;
    float m_savedMaxFreq;
};

}  // namespace elix

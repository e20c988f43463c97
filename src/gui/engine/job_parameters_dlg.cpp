#include "engine/job_parameters_dlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "engine/job_parameters_form.h"
#include "model/elix_doc.h"
#include "model/number_field.h"

namespace elix {

CJobParametersDlg::CJobParametersDlg(CElixDoc& doc, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_savedMaxFreq(doc.job.MaxFreq) {
    setWindowTitle(QStringLiteral("Job Parameters"));
    const CJobParametersForm f = ToForm(doc.job);

    timeStepScale = NewNumberEdit(this);
    maxFrequency = NewNumberEdit(this);
    waveLength = NewNumberEdit(this);
    simulationTime = NewNumberEdit(this);
    displayFrequency = NewNumberEdit(this);
    pointPerCycle = NewNumberEdit(this);
    saveDisplay = new QCheckBox(QStringLiteral("Save Displaying Image"), this);
    interfaceBrightness = NewNumberEdit(this);
    displayType = new QComboBox(this);
    displayScale = NewNumberEdit(this);
    highOrderScheme = new QCheckBox(QStringLiteral("High Order Scheme"), this);
    dtScaleThreshold = NewNumberEdit(this);
    totalThreads = NewNumberEdit(this);
    maxGridIndex = NewNumberEdit(this);
    dumpFirst = NewNumberEdit(this);
    dumpLast = NewNumberEdit(this);
    dumpFrequency = NewNumberEdit(this);
    waveLengthButton = new QPushButton(QStringLiteral("&WaveLength"), this);
    waveLengthButton->setAutoDefault(false);

    SetNumber(timeStepScale, f.timeStepScale);
    SetNumber(maxFrequency, f.maxFreqMHz);
    SetNumber(waveLength, f.minWaveLengthMm);
    SetNumber(simulationTime, f.durationUs);
    SetInteger(displayFrequency, f.dispFreq);
    SetInteger(pointPerCycle, f.pointPerCycle);
    saveDisplay->setChecked(f.saveDisp != 0);
    SetInteger(interfaceBrightness, f.interfaceBright);
    for (const char* type : kDisplayTypes) displayType->addItem(QString::fromUtf8(type));
    // A type read from a file that the list lacks is kept as it is.
    const QString type = QString::fromStdString(f.dispType);
    if (displayType->findText(type) < 0) displayType->addItem(type);
    displayType->setCurrentIndex(displayType->findText(type));
    SetNumber(displayScale, f.dispScale);
    highOrderScheme->setChecked(f.highOrderScheme != 0);
    SetNumber(dtScaleThreshold, f.dtScaleThresh);
    SetInteger(totalThreads, f.threadTotal);
    SetInteger(maxGridIndex, f.maxGridIndexK);
    SetInteger(dumpFirst, f.dumpFirst);
    SetInteger(dumpLast, f.dumpLast);
    SetInteger(dumpFrequency, f.dumpInterval);

    auto newForm = [] {
        auto* form = new QFormLayout;
        form->setLabelAlignment(Qt::AlignRight);
        return form;
    };
    auto* grid = new QGroupBox(QStringLiteral("Simulation"), this);
    auto* gridForm = newForm();
    grid->setLayout(gridForm);
    gridForm->addRow(QStringLiteral("Time Step Scale"), timeStepScale);
    auto* frequencyRow = new QHBoxLayout;
    frequencyRow->addWidget(maxFrequency, 1);
    frequencyRow->addWidget(waveLengthButton);
    gridForm->addRow(QStringLiteral("Max. Frequency (MHz)"), frequencyRow);
    gridForm->addRow(QStringLiteral("Resolving Wavelength (mm)"), waveLength);
    gridForm->addRow(QStringLiteral("Point/Cycle"), pointPerCycle);
    gridForm->addRow(QStringLiteral("Simulation Time (us)"), simulationTime);
    gridForm->addRow(QString(), highOrderScheme);
    gridForm->addRow(QStringLiteral("dt Scale Threshold"), dtScaleThreshold);
    gridForm->addRow(QStringLiteral("Total Threads"), totalThreads);
    gridForm->addRow(QStringLiteral("Max. Grid Index (K)"), maxGridIndex);

    auto* display = new QGroupBox(QStringLiteral("Display"), this);
    auto* displayForm = newForm();
    display->setLayout(displayForm);
    displayForm->addRow(QStringLiteral("Display Frequency"), displayFrequency);
    displayForm->addRow(QString(), saveDisplay);
    displayForm->addRow(QStringLiteral("Interface Brightness"), interfaceBrightness);
    auto* typeBox = new QGroupBox(QStringLiteral("Display Type && Scale "), display);
    auto* typeRow = new QHBoxLayout(typeBox);
    typeRow->addWidget(displayType, 1);
    typeRow->addWidget(displayScale, 1);
    displayForm->addRow(typeBox);

    auto* dump = new QGroupBox(QStringLiteral("Dump Displacement"), this);
    auto* dumpForm = newForm();
    dump->setLayout(dumpForm);
    auto* range = new QHBoxLayout;
    range->addWidget(dumpFirst);
    range->addWidget(new QLabel(QStringLiteral("to"), dump));
    range->addWidget(dumpLast);
    dumpForm->addRow(QStringLiteral("Step Range"), range);
    dumpForm->addRow(QStringLiteral("Frequency"), dumpFrequency);

    auto* right = new QVBoxLayout;
    right->addWidget(display);
    right->addWidget(dump);
    right->addStretch(1);
    auto* columns = new QHBoxLayout;
    columns->addWidget(grid, 1);
    columns->addLayout(right, 1);
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(box, &QDialogButtonBox::accepted, this, &CJobParametersDlg::accept);
    connect(box, &QDialogButtonBox::rejected, this, &CJobParametersDlg::reject);
    connect(waveLengthButton, &QPushButton::clicked, this, &CJobParametersDlg::WaveLength);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(box);
}

void CJobParametersDlg::WaveLength() {
    const FieldReport report = [this](const std::string& text, MessageStyle style) {
        return m_doc.ReportMessage(text, style);
    };
    if (!CheckFields({{maxFrequency, kMaxFrequencyRange}}, report)) return;
    bool ok = false;
    const std::string text = WaveLengthButton(m_doc, NumberOf(maxFrequency), ok);
    if (ok)
        m_doc.ReportMessage(text, MessageStyle::Information, "Information");
    else
        m_doc.ReportMessage(text, MessageStyle::Exclamation);
}

void CJobParametersDlg::accept() {
    const FieldReport report = [this](const std::string& text, MessageStyle style) {
        return m_doc.ReportMessage(text, style);
    };
    if (!CheckFields({{timeStepScale, kTimeStepScaleRange},
                      {maxFrequency, kMaxFrequencyRange},
                      {waveLength, kResolvingWaveLengthRange},
                      {pointPerCycle, kPointPerCycleRange},
                      {simulationTime, kSimulationTimeRange},
                      {dtScaleThreshold, kDtScaleThresholdRange},
                      {totalThreads, kTotalThreadsRange},
                      {maxGridIndex, kMaxGridIndexRange},
                      {displayFrequency, kDisplayFrequencyRange},
                      {interfaceBrightness, kInterfaceBrightnessRange},
                      {displayScale, kDisplayScaleRange},
                      {dumpFirst, kDumpStepRange},
                      {dumpLast, kDumpStepRange},
                      {dumpFrequency, kDumpStepRange}},
                     report))
        return;
    CJobParametersForm f = ToForm(m_doc.job);
    f.timeStepScale = NumberOf(timeStepScale);
    f.maxFreqMHz = NumberOf(maxFrequency);
    f.minWaveLengthMm = NumberOf(waveLength);
    f.durationUs = NumberOf(simulationTime);
    f.dispFreq = static_cast<int>(NumberOf(displayFrequency));
    f.pointPerCycle = static_cast<int>(NumberOf(pointPerCycle));
    f.saveDisp = saveDisplay->isChecked() ? 1 : 0;
    f.interfaceBright = static_cast<int>(NumberOf(interfaceBrightness));
    f.dispType = displayType->currentText().toStdString();
    f.dispScale = NumberOf(displayScale);
    f.highOrderScheme = highOrderScheme->isChecked() ? 1 : 0;
    f.dtScaleThresh = NumberOf(dtScaleThreshold);
    f.threadTotal = static_cast<int>(NumberOf(totalThreads));
    f.maxGridIndexK = static_cast<std::uint32_t>(NumberOf(maxGridIndex));
    f.dumpFirst = static_cast<std::int32_t>(NumberOf(dumpFirst));
    f.dumpLast = static_cast<std::int32_t>(NumberOf(dumpLast));
    f.dumpInterval = static_cast<std::int32_t>(NumberOf(dumpFrequency));
    CJobParameters job = m_doc.job;
    job.MaxFreq = m_savedMaxFreq;  // as it was before any WaveLength
    const CJobParameters before = job;
    std::string note;
    FromForm(f, job, note);
    if (!note.empty()) m_doc.ReportMessage(note, MessageStyle::Information);
    m_doc.job = job;
    if (!(job == before)) m_doc.SetModifiedFlag();
    QDialog::accept();
}

void CJobParametersDlg::reject() {
    m_doc.job.MaxFreq = m_savedMaxFreq;
    QDialog::reject();
}

}  // namespace elix

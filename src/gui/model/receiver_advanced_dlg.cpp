#include "model/receiver_advanced_dlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/array_configuration_dlg.h"
#include "model/source_editor.h"

namespace elix {

CReceiverAdvancedDlg::CReceiverAdvancedDlg(const CReceiver& receiver, FieldReport report, QWidget* parent)
    : QDialog(parent), m_receiver(receiver), m_report(std::move(report)) {
    setWindowTitle(QStringLiteral("Advanced Receiver"));
    const ReceiverAdvancedFields f = ShowReceiverAdvanced(receiver);
    auto* layout = new QVBoxLayout(this);

    auto* position = new QGroupBox(QStringLiteral("End Points"), this);
    auto* pg = new QGridLayout(position);
    endPoints.Create(position, pg, 0);
    endPoints.Show(f.endPoints);
    layout->addWidget(position);

    auto* columns = new QHBoxLayout;
    auto* signal = new QGroupBox(QStringLiteral("Signal"), this);
    auto* sf = new QFormLayout(signal);
    gain = NewNumberEdit(signal, f.gainDb);
    blanking = NewNumberEdit(signal, f.blankingUs);
    duration = NewNumberEdit(signal, f.durationUs);
    damping = NewNumberEdit(signal, f.damping);
    sf->addRow(QStringLiteral("Gain (dB)"), gain);
    sf->addRow(QStringLiteral("Blanking (us)"), blanking);
    sf->addRow(QStringLiteral("Duration (us)"), duration);
    sf->addRow(QStringLiteral("Damping"), damping);
    columns->addWidget(signal);

    auto* aperture = new QGroupBox(QStringLiteral("Apodization"), this);
    auto* af = new QFormLayout(aperture);
    longitudinalApodization = NewApodizationBox(aperture);
    shearApodization = NewApodizationBox(aperture);
    SelectText(longitudinalApodization, f.longitudinalApodization);
    SelectText(shearApodization, f.shearApodization);
    af->addRow(QStringLiteral("Longitudinal"), longitudinalApodization);
    af->addRow(QStringLiteral("Shear"), shearApodization);
    averagedOnly = new QCheckBox(QStringLiteral("Averaged Only"), aperture);
    averagedOnly->setChecked(f.averagedOnly);
    af->addRow(averagedOnly);
    columns->addWidget(aperture);
    layout->addLayout(columns);

    auto* array = new QGroupBox(QStringLiteral("Array"), this);
    auto* ar = new QHBoxLayout(array);
    receiverArray = new QCheckBox(QStringLiteral("Receiver Array"), array);
    receiverArray->setChecked(f.receiverArray);
    arrayConfiguration = new QPushButton(QStringLiteral("Array Configuration..."), array);
    arrayConfiguration->setAutoDefault(false);
    arrayConfiguration->setEnabled(f.receiverArray);
    ar->addWidget(receiverArray);
    ar->addStretch(1);
    ar->addWidget(arrayConfiguration);
    layout->addWidget(array);
    connect(receiverArray, &QCheckBox::toggled, arrayConfiguration, &QPushButton::setEnabled);
    connect(arrayConfiguration, &QPushButton::clicked, this, [this] { ConfigureArray(); });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CReceiverAdvancedDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void CReceiverAdvancedDlg::ConfigureArray() {
    // The array is as long as the segment now on display.
    EndPointFields points;
    Segment segment = SegmentOf(m_receiver);
    if (endPoints.Take(m_report, points)) TakeEndPoints(points, segment, m_report);
    CArrayConfigurationDlg dialog(QStringLiteral("Receiver Array Configuration"), m_receiver.element,
                                  m_receiver.focusing, m_receiver.curveArrayFlags, segment.Length(), false, m_report,
                                  this);
    if (dialog.exec() != QDialog::Accepted) return;
    m_receiver.element = dialog.Element();
    m_receiver.focusing = dialog.Focusing();
    m_receiver.curveArrayFlags = ArrayFlagsWithArray(dialog.CurveArrayFlags(), true);
}

void CReceiverAdvancedDlg::accept() {
    ReceiverAdvancedFields f;
    if (!endPoints.Take(m_report, f.endPoints)) return;
    if (!TakeNumber(gain, kGainRange, m_report, f.gainDb)) return;
    if (!TakeNumber(blanking, kTimeRange, m_report, f.blankingUs)) return;
    if (!TakeNumber(duration, kTimeRange, m_report, f.durationUs)) return;
    if (!TakeNumber(damping, kDampingRange, m_report, f.damping)) return;
    f.longitudinalApodization = SelectedText(longitudinalApodization);
    f.shearApodization = SelectedText(shearApodization);
    f.averagedOnly = averagedOnly->isChecked();
    f.receiverArray = receiverArray->isChecked();
    CReceiver taken = m_receiver;
    if (!TakeReceiverAdvanced(f, taken, m_report)) return;
    m_receiver = taken;
    QDialog::accept();
}

}  // namespace elix

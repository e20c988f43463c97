// "Advanced Receiver": end points, gain, time window, damping,
// apodizations, "Averaged Only" and the receiver array with its editor.
#pragma once

#include <QDialog>

#include "model/receiver.h"
#include "model/receiver_editor.h"
#include "model/source_receiver_fields.h"

class QCheckBox;
class QComboBox;
class QPushButton;

namespace elix {

class CReceiverAdvancedDlg : public QDialog {
    Q_OBJECT
public:
    CReceiverAdvancedDlg(const CReceiver& receiver, FieldReport report, QWidget* parent = nullptr);

    // The receiver with the dialog's values, after OK.
    const CReceiver& Receiver() const { return m_receiver; }

    EndPointWidgets endPoints;
    QLineEdit* gain;
    QLineEdit* blanking;
    QLineEdit* duration;
    QLineEdit* damping;
    QComboBox* longitudinalApodization;
    QComboBox* shearApodization;
    QCheckBox* averagedOnly;
    QCheckBox* receiverArray;
    QPushButton* arrayConfiguration;

    void accept() override;

private:
    void ConfigureArray();

    CReceiver m_receiver;
    FieldReport m_report;
};

}  // namespace elix

#include "model/receiver_configuration_dlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/item_editor_buttons.h"
#include "model/receiver_advanced_dlg.h"
#include "platform/text_format.h"

namespace elix {
namespace {

constexpr const char* kOutputFilter = "Receiver Output (*.txt)|*.txt|All Files (*.*)|*.*||";

ModelExtent ExtentOf(const CElixDoc& doc) { return {doc.ImageWidthMeters(), doc.ImageHeightMeters()}; }

}  // namespace

CReceiverConfigurationDlg::CReceiverConfigurationDlg(CElixDoc& doc, std::string outputFolder, QWidget* parent)
    : QDialog(parent),
      m_doc(doc),
      m_outputFolder(std::move(outputFolder)),
      m_model(ExtentOf(doc)),
      m_editor(doc, m_model) {
    setWindowTitle(QStringLiteral("Receiver Configuration"));
    auto* layout = new QVBoxLayout(this);

    layout->addLayout(NewNameRow(this, 220, name, itemCount));

    auto* columns = new QHBoxLayout;
    auto* position = new QGroupBox(QStringLiteral("Position"), this);
    auto* pg = new QGridLayout(position);
    location.Create(position, pg, 0, true);
    advanced = new QPushButton(QStringLiteral("Advanced..."), position);
    advanced->setAutoDefault(false);
    pg->addWidget(advanced, 3, 1);
    columns->addWidget(position);

    auto* recording = new QGroupBox(QStringLiteral("Recording"), this);
    auto* rf = new QFormLayout(recording);
    longitudinalMode = new QCheckBox(QStringLiteral("Longitudinal Mode"), recording);
    shearMode = new QCheckBox(QStringLiteral("Shear Mode"), recording);
    rf->addRow(longitudinalMode);
    rf->addRow(shearMode);
    dataType = new QComboBox(recording);
    for (const char* text : {"Displacement", "Velocity", "Acceleration", "Pressure"})
        dataType->addItem(QString::fromUtf8(text));
    phaseType = new QComboBox(recording);
    for (const char* text : {"Actual", "Absolute", "Squared"}) phaseType->addItem(QString::fromUtf8(text));
    rf->addRow(QStringLiteral("Data Type"), dataType);
    rf->addRow(QStringLiteral("Phase Type"), phaseType);
    columns->addWidget(recording);
    layout->addLayout(columns);

    auto* output = new QGroupBox(QStringLiteral("Output"), this);
    auto* og = new QHBoxLayout(output);
    saveToFile = new QCheckBox(QStringLiteral("Save to File"), output);
    outputFile = new QLineEdit(output);
    browse = new QPushButton(QStringLiteral("Browse..."), output);
    browse->setAutoDefault(false);
    og->addWidget(saveToFile);
    og->addWidget(outputFile, 1);
    og->addWidget(browse);
    layout->addWidget(output);

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    layout->addWidget(line);
    buttons = new CItemEditorButtons(this);
    layout->addWidget(buttons);

    connect(saveToFile, &QCheckBox::toggled, outputFile, &QLineEdit::setEnabled);
    connect(saveToFile, &QCheckBox::toggled, browse, &QPushButton::setEnabled);
    connect(advanced, &QPushButton::clicked, this, [this] { OpenAdvanced(); });
    connect(browse, &QPushButton::clicked, this, [this] { BrowseOutputFile(); });
    ConnectItemEditor<CReceiver>(
        *this, *buttons, m_editor.Items(), [this](CReceiver& r) { return TakeFields(r); },
        [this](const CReceiver& r) { ShowRecord(r); }, [this] { AfterAction(); });
    ShowRecord(m_editor.Buffer());
    AfterAction();
}

FieldReport CReceiverConfigurationDlg::Reporter() {
    return [this](const std::string& text, MessageStyle style) { return m_doc.ReportMessage(text, style); };
}

bool CReceiverConfigurationDlg::TakeFields(CReceiver& r) {
    LocationFields fields;
    if (!location.Take(Reporter(), fields)) return false;
    Segment segment = SegmentOf(r);
    if (!TakeLocation(fields, segment, m_model, Reporter())) return false;
    SetSegment(r, segment);
    r.name = name->text().toStdString();
    r.longitudinalMode = longitudinalMode->isChecked() ? 1 : 0;
    r.shearMode = shearMode->isChecked() ? 1 : 0;
    r.dataType = static_cast<std::uint8_t>(dataType->currentIndex());
    r.phaseType = static_cast<std::uint8_t>(phaseType->currentIndex());
    // "Save to File" off, or no name given: the signal is not saved.
    r.outputFile = saveToFile->isChecked() ? outputFile->text().trimmed().toStdString() : std::string();
    return true;
}

void CReceiverConfigurationDlg::ShowRecord(const CReceiver& r) {
    name->setText(QString::fromStdString(r.name));
    location.Show(ShowLocation(SegmentOf(r), m_model));
    longitudinalMode->setChecked(r.longitudinalMode != 0);
    shearMode->setChecked(r.shearMode != 0);
    dataType->setCurrentIndex(r.dataType < dataType->count() ? r.dataType : 0);
    phaseType->setCurrentIndex(r.phaseType < phaseType->count() ? r.phaseType : 0);
    saveToFile->setChecked(!r.outputFile.empty());
    outputFile->setText(QString::fromStdString(r.outputFile));
    outputFile->setEnabled(saveToFile->isChecked());
    browse->setEnabled(saveToFile->isChecked());
}

void CReceiverConfigurationDlg::AfterAction() {
    const auto& list = m_doc.Receivers();
    itemCount->setText(list.Count() == 0 ? QStringLiteral("No receiver")
                                         : QStringLiteral("%1 of %2").arg(list.Current() + 1).arg(list.Count()));
    m_doc.RebuildDisplayBitmap();
    m_doc.UpdateAllViews('a');
}

void CReceiverConfigurationDlg::OpenAdvanced() {
    if (!m_editor.OpenAdvanced()) return;
    CReceiver record = m_editor.Buffer();
    if (!TakeFields(record)) return;
    CReceiverAdvancedDlg dialog(record, Reporter(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    m_editor.Buffer() = dialog.Receiver();
    ShowRecord(m_editor.Buffer());
}

void CReceiverConfigurationDlg::BrowseOutputFile() {
    IUserInterface* ui = m_doc.UserInterface();
    if (!ui) return;
    FileChooserRequest request;
    request.title = "Receiver Output File";
    request.filter = kOutputFilter;
    request.defaultExtension = "txt";
    request.startFolder = m_outputFolder;
    request.proposedName = name->text().toStdString() + ".txt";
    const auto chosen = ui->ChooseFileToSave(request);
    if (!chosen) return;
    outputFile->setText(QString::fromStdString(NameRelativeToModel(m_doc.PathName(), *chosen)));
}

}  // namespace elix

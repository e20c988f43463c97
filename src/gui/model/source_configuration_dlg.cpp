#include "model/source_configuration_dlg.h"

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

#include "model/array_configuration_dlg.h"
#include "engine/array_law.h"
#include "model/array_time_delay_dlg.h"
#include "model/item_editor_buttons.h"
#include "model/receiver_editor.h"
#include "model/source_advanced_dlg.h"
#include "model/time_function_dlg.h"

namespace elix {
namespace {

ModelExtent ExtentOf(const CElixDoc& doc) { return {doc.ImageWidthMeters(), doc.ImageHeightMeters()}; }

QPushButton* NewButton(const QString& text, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

CSourceConfigurationDlg::CSourceConfigurationDlg(CElixDoc& doc, std::string waveformFolder, QWidget* parent)
    : QDialog(parent),
      m_doc(doc),
      m_waveformFolder(std::move(waveformFolder)),
      m_model(ExtentOf(doc)),
      m_editor(doc, m_model) {
    setWindowTitle(QStringLiteral("Source Configuration"));
    auto* layout = new QVBoxLayout(this);

    layout->addLayout(NewNameRow(this, 260, name, itemCount));

    auto* columns = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);
    layout->addLayout(columns);

    // Left column: where the source lies and what it sends.
    auto* position = new QGroupBox(QStringLiteral("Position"), this);
    auto* pg = new QGridLayout(position);
    location.Create(position, pg, 0, true);
    advanced = NewButton(QStringLiteral("Advanced..."), position);
    pg->addWidget(advanced, 0, 2);
    pg->setColumnStretch(1, 1);
    left->addWidget(position);
    CreateMode(longitudinal, QStringLiteral("Longitudinal Mode"));
    CreateMode(shear, QStringLiteral("Shear Mode"));
    left->addWidget(longitudinal.box);
    left->addWidget(shear.box);
    left->addStretch(1);

    // Right column: how it drives the model, the receivers it owns, the
    // array and the wedge.
    auto* excitation = new QGroupBox(QStringLiteral("Excitation"), this);
    auto* ef = new QFormLayout(excitation);
    ef->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    timeDelay = NewNumberEdit(excitation);
    ef->addRow(QStringLiteral("Time Delay (us)"), timeDelay);
    signalType = new QComboBox(excitation);
    signalType->addItem(QStringLiteral("Displacement"));
    signalType->addItem(QStringLiteral("Pressure"));
    ef->addRow(QStringLiteral("Signal Type"), signalType);
    pointSource = new QCheckBox(QStringLiteral("Point Source"), excitation);
    voidBacking = new QCheckBox(QStringLiteral("Void Backing"), excitation);
    auto* flags = new QHBoxLayout;
    flags->addWidget(pointSource);
    flags->addWidget(voidBacking);
    ef->addRow(flags);
    right->addWidget(excitation);

    auto* owned = new QGroupBox(QStringLiteral("Receivers"), this);
    auto* ol = new QHBoxLayout(owned);
    pulseEcho = new QCheckBox(QStringLiteral("Pulse Echo"), owned);
    throughTransmission = new QCheckBox(QStringLiteral("Through Transmisson"), owned);
    ol->addWidget(pulseEcho);
    ol->addWidget(throughTransmission);
    ol->addStretch(1);
    right->addWidget(owned);

    auto* array = new QGroupBox(QStringLiteral("Array"), this);
    auto* al = new QHBoxLayout(array);
    sourceArray = new QCheckBox(QStringLiteral("Source Array"), array);
    arrayConfiguration = NewButton(QStringLiteral("Configuration..."), array);
    arrayTimeDelay = NewButton(QStringLiteral("Time Delay..."), array);
    al->addWidget(sourceArray);
    al->addStretch(1);
    al->addWidget(arrayConfiguration);
    al->addWidget(arrayTimeDelay);
    right->addWidget(array);

    wedge = new QGroupBox(QStringLiteral("Source on Wedge"), this);
    wedge->setCheckable(true);
    auto* wg = new QGridLayout(wedge);
    wedgeLocation = NewLocationBox(wedge, false);
    wedgeSize = NewNumberEdit(wedge);
    wedgeOffset = NewNumberEdit(wedge);
    wedgeTheta = NewNumberEdit(wedge);
    wedgeGray = NewNumberEdit(wedge);
    flipWedge = new QCheckBox(QStringLiteral("Flip Wedge"), wedge);
    const struct {
        const char* label;
        QWidget* field;
        int row, column;
    } cells[] = {{"Location", wedgeLocation, 0, 0}, {"Size (mm)", wedgeSize, 1, 0},
                 {"Center Offset (mm)", wedgeOffset, 2, 0}, {"Theta (Deg)", wedgeTheta, 0, 2},
                 {"Gray Level", wedgeGray, 1, 2}};
    for (const auto& cell : cells) {
        wg->addWidget(new QLabel(QString::fromUtf8(cell.label), wedge), cell.row, cell.column);
        wg->addWidget(cell.field, cell.row, cell.column + 1);
    }
    wg->addWidget(flipWedge, 2, 2, 1, 2);
    right->addWidget(wedge);
    right->addStretch(1);

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    layout->addWidget(line);
    buttons = new CItemEditorButtons(this);
    layout->addWidget(buttons);

    connect(advanced, &QPushButton::clicked, this, [this] { OpenAdvanced(); });
    connect(pulseEcho, &QCheckBox::clicked, this, [this](bool on) { SetPulseEcho(on); });
    connect(throughTransmission, &QCheckBox::clicked, this, [this](bool on) { SetThroughTransmission(on); });
    connect(sourceArray, &QCheckBox::toggled, this, [this] { UpdateEnabled(); });
    connect(arrayConfiguration, &QPushButton::clicked, this, [this] { OpenArrayConfiguration(); });
    connect(arrayTimeDelay, &QPushButton::clicked, this, [this] { OpenArrayTimeDelay(); });
    connect(buttons->previous, &QPushButton::clicked, this, [this] { Act(&CSourceEditor::Previous); });
    connect(buttons->next, &QPushButton::clicked, this, [this] { Act(&CSourceEditor::Next); });
    connect(buttons->add, &QPushButton::clicked, this, [this] { Act(&CSourceEditor::Add); });
    connect(buttons->copy, &QPushButton::clicked, this, [this] { Act(&CSourceEditor::Copy); });
    connect(buttons->remove, &QPushButton::clicked, this, [this] { Act(&CSourceEditor::Delete); });
    connect(buttons->apply, &QPushButton::clicked, this, [this] { Act(&CSourceEditor::Apply); });
    connect(buttons->show, &QPushButton::clicked, this, [this] { m_editor.Items().Show(); });
    connect(buttons->ok, &QPushButton::clicked, this, [this] {
        // OK applies and closes even when the apply fails.
        LocationFields fields;
        if (!TakeIntoBuffer(fields)) return;
        Act(&CSourceEditor::Apply);
        accept();
    });
    connect(buttons->cancel, &QPushButton::clicked, this, &QDialog::reject);

    ShowRecord(m_editor.Buffer());
}

void CSourceConfigurationDlg::CreateMode(Mode& mode, const QString& title) {
    mode.box = new QGroupBox(title, this);
    mode.box->setCheckable(true);
    auto* grid = new QGridLayout(mode.box);
    mode.function = new QComboBox(mode.box);
    for (int k = 0; k < kTimeFunctionKindCount; ++k)
        mode.function->addItem(QString::fromUtf8(TimeFunctionKindName(static_cast<TimeFunctionKind>(k))));
    mode.detail = NewButton(QStringLiteral("Detail..."), mode.box);
    mode.duration = NewNumberEdit(mode.box);
    mode.apodization = NewApodizationBox(mode.box);
    grid->addWidget(new QLabel(QStringLiteral("Time Function"), mode.box), 0, 0);
    grid->addWidget(mode.function, 0, 1);
    grid->addWidget(mode.detail, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Duration (us)"), mode.box), 1, 0);
    grid->addWidget(mode.duration, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Apodization"), mode.box), 2, 0);
    grid->addWidget(mode.apodization, 2, 1);
    grid->setColumnStretch(1, 1);
    mode.component = &mode == &longitudinal ? "Longitudinal" : "Shear";
    connect(mode.function, &QComboBox::activated, this, [this, &mode] { KindChosen(mode); });
    connect(mode.detail, &QPushButton::clicked, this, [this, &mode] { OpenDetail(mode); });
}

FieldReport CSourceConfigurationDlg::Reporter() {
    return [this](const std::string& text, MessageStyle style) { return m_doc.ReportMessage(text, style); };
}

bool CSourceConfigurationDlg::TakeFields(CSource& r, LocationFields& fields) {
    const FieldReport report = Reporter();
    if (!location.Take(report, fields)) return false;
    double delayUs = 0.0, durationL = 0.0, durationT = 0.0;
    if (!TakeNumber(longitudinal.duration, kTimeRange, report, durationL)) return false;
    if (!TakeNumber(shear.duration, kTimeRange, report, durationT)) return false;
    if (!TakeNumber(timeDelay, kAnyRange, report, delayUs)) return false;
    if (wedge->isChecked()) {
        double size = 0.0, offset = 0.0, theta = 0.0;
        int gray = 0;
        if (!TakeNumber(wedgeSize, kSizeRange, report, size)) return false;
        if (!TakeNumber(wedgeOffset, kOffsetRange, report, offset)) return false;
        if (!TakeNumber(wedgeTheta, kWedgeAngleRange, report, theta)) return false;
        if (!TakeInteger(wedgeGray, kGrayLevelRange, report, gray)) return false;
        r.wedgeLocation = SelectedText(wedgeLocation);
        r.wedgeSize = static_cast<float>(size * 1e-3);
        r.wedgeCenterOffset = static_cast<float>(offset * 1e-3);
        r.wedgeAngle = static_cast<float>(theta);
        r.wedgeGrayLevel = static_cast<std::uint8_t>(gray);
        r.wedgeFlip = flipWedge->isChecked() ? 1 : 0;
    }
    r.wedge = wedge->isChecked() ? 1 : 0;
    r.name = name->text().toStdString();
    r.longitudinalMode = longitudinal.box->isChecked() ? 1 : 0;
    r.shearMode = shear.box->isChecked() ? 1 : 0;
    r.longitudinalTimeFunction = FormatTimeFunction(longitudinal.timeFunction);
    r.shearTimeFunction = FormatTimeFunction(shear.timeFunction);
    r.longitudinalDuration = SecondsFromMicroseconds(durationL);
    r.shearDuration = SecondsFromMicroseconds(durationT);
    r.longitudinalApodization = SelectedText(longitudinal.apodization);
    r.shearApodization = SelectedText(shear.apodization);
    r.timeDelay = SecondsFromMicroseconds(delayUs);
    r.signalType = static_cast<std::uint8_t>(signalType->currentIndex());
    r.pointSource = pointSource->isChecked() ? 1 : 0;
    r.voidBacking = voidBacking->isChecked() ? 1 : 0;
    r.curveArrayFlags = ArrayFlagsWithArray(r.curveArrayFlags, sourceArray->isChecked());
    return true;
}

bool CSourceConfigurationDlg::TakeIntoBuffer(LocationFields& fields) {
    CSource record = m_editor.Buffer();
    if (!TakeFields(record, fields)) return false;
    m_editor.Buffer() = record;
    return true;
}

void CSourceConfigurationDlg::ShowMode(Mode& mode, const std::string& function, float duration) {
    mode.timeFunction = ParseTimeFunction(function);
    mode.function->setCurrentIndex(static_cast<int>(mode.timeFunction.kind));
    ShowNumber(mode.duration, MicrosecondsFromSeconds(duration));
}

void CSourceConfigurationDlg::ShowRecord(const CSource& r) {
    name->setText(QString::fromStdString(r.name));
    location.Show(ShowLocation(SegmentOf(r), m_model));
    longitudinal.box->setChecked(r.longitudinalMode != 0);
    shear.box->setChecked(r.shearMode != 0);
    ShowMode(longitudinal, r.longitudinalTimeFunction, r.longitudinalDuration);
    ShowMode(shear, r.shearTimeFunction, r.shearDuration);
    SelectText(longitudinal.apodization, r.longitudinalApodization);
    SelectText(shear.apodization, r.shearApodization);
    ShowNumber(timeDelay, MicrosecondsFromSeconds(r.timeDelay));
    signalType->setCurrentIndex(r.signalType == 1 ? 1 : 0);
    pointSource->setChecked(r.pointSource != 0);
    voidBacking->setChecked(r.voidBacking != 0);
    pulseEcho->setChecked(r.pulseEcho != 0);
    throughTransmission->setChecked(m_editor.ThroughTransmission());
    sourceArray->setChecked(IsArrayItem(r.curveArrayFlags));
    wedge->setChecked(r.wedge != 0);
    const std::optional<SideLocation> side = ParseLocation(r.wedgeLocation);
    wedgeLocation->setCurrentIndex(side && *side != SideLocation::Advanced ? static_cast<int>(*side) : 0);
    ShowNumber(wedgeSize, r.wedgeSize * 1e3);
    ShowNumber(wedgeOffset, r.wedgeCenterOffset * 1e3);
    ShowNumber(wedgeTheta, r.wedgeAngle);
    ShowNumber(wedgeGray, r.wedgeGrayLevel);
    flipWedge->setChecked(r.wedgeFlip != 0);
    const auto& list = m_doc.Sources();
    itemCount->setText(list.Count() == 0 ? QStringLiteral("No source")
                                         : QStringLiteral("%1 of %2").arg(list.Current() + 1).arg(list.Count()));
    UpdateEnabled();
}

void CSourceConfigurationDlg::UpdateEnabled() {
    arrayConfiguration->setEnabled(sourceArray->isChecked());
    arrayTimeDelay->setEnabled(sourceArray->isChecked());
}

void CSourceConfigurationDlg::KindChosen(Mode& mode) {
    const auto kind = static_cast<TimeFunctionKind>(mode.function->currentIndex());
    // Another kind starts from its defaults; the same kind keeps its values.
    if (kind == mode.timeFunction.kind) return;
    mode.timeFunction = DefaultTimeFunction(kind);
    // A File waveform needs its file: the Detail dialog offers to choose it.
    if (kind == TimeFunctionKind::File) OpenDetail(mode);
}

void CSourceConfigurationDlg::OpenDetail(Mode& mode) {
    double durationUs = 0.0;
    if (!TakeNumber(mode.duration, kTimeRange, Reporter(), durationUs)) return;
    CTimeFunctionDlg dialog(m_doc, m_waveformFolder, mode.component, mode.timeFunction, durationUs * 1e-6, this);
    if (dialog.exec() != QDialog::Accepted) return;
    mode.timeFunction = dialog.Function();
    ShowNumber(mode.duration, MicrosecondsFromSeconds(static_cast<float>(dialog.DurationSeconds())));
}

void CSourceConfigurationDlg::OpenAdvanced() {
    if (!m_editor.Items().RequireItemForOption()) return;
    LocationFields fields;
    if (!TakeIntoBuffer(fields) || !m_editor.TakeLocation(fields)) return;
    CSourceAdvancedDlg dialog(SegmentOf(m_editor.Buffer()), Reporter(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    SetSegment(m_editor.Buffer(), dialog.Result());
    location.Show(ShowLocation(dialog.Result(), m_model));
}

void CSourceConfigurationDlg::OpenArrayConfiguration() {
    LocationFields fields;
    if (!TakeIntoBuffer(fields) || !m_editor.TakeLocation(fields)) return;
    CSource& source = m_editor.Buffer();
    CArrayConfigurationDlg dialog(QStringLiteral("Source Array Configuration"), source.element, source.focusing,
                                  source.curveArrayFlags, SegmentOf(source).Length(), true, Reporter(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    source.element = dialog.Element();
    source.focusing = dialog.Focusing();
    source.curveArrayFlags = ArrayFlagsWithArray(dialog.CurveArrayFlags(), true);
}

void CSourceConfigurationDlg::OpenArrayTimeDelay() {
    LocationFields fields;
    if (!TakeIntoBuffer(fields) || !m_editor.TakeLocation(fields)) return;
    CArrayTimeDelayDlg dialog(m_doc, m_editor.Buffer(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    m_editor.Buffer().frontDelay = dialog.FrontDelay();
    m_editor.Buffer().backDelay = dialog.BackDelay();
}

void CSourceConfigurationDlg::SetPulseEcho(bool on) {
    LocationFields fields;
    if (!m_editor.Items().RequireItemForOption() || !TakeIntoBuffer(fields)) {
        pulseEcho->setChecked(m_editor.Buffer().pulseEcho != 0);
        return;
    }
    pulseEcho->setChecked(m_editor.SetPulseEcho(fields, on));
    Refresh();
}

void CSourceConfigurationDlg::SetThroughTransmission(bool on) {
    LocationFields fields;
    if (!m_editor.Items().RequireItemForOption() || !TakeIntoBuffer(fields)) {
        throughTransmission->setChecked(m_editor.ThroughTransmission());
        return;
    }
    throughTransmission->setChecked(m_editor.SetThroughTransmission(fields, on));
    Refresh();
}

void CSourceConfigurationDlg::Act(bool (CSourceEditor::*action)(const LocationFields&)) {
    LocationFields fields;
    if (!TakeIntoBuffer(fields)) return;
    const bool changesList = action != &CSourceEditor::Previous && action != &CSourceEditor::Next;
    if ((m_editor.*action)(fields) && changesList) {
        // Wedges and vacuum backings are painted when the geometry is
        // reloaded; the reload may move the items, so the buffer follows.
        if (!m_doc.LoadWorkingImage(true, nullptr))
            m_doc.ReportMessage(m_doc.MessageText(), MessageStyle::Exclamation);
        m_model = ExtentOf(m_doc);
        m_editor.SetModel(m_model);
        m_editor.Load();
    }
    ShowRecord(m_editor.Buffer());
    Refresh();
}

void CSourceConfigurationDlg::Refresh() {
    m_doc.RebuildDisplayBitmap();
    m_doc.UpdateAllViews('a');
}

}  // namespace elix

#include "model/boundary_condition_dlg.h"

#include <QCheckBox>
#include <algorithm>
#include <QComboBox>
#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/bc_advanced_dlg.h"
#include "model/elix_doc.h"
#include "model/infinite_bc_dlg.h"
#include "model/number_field.h"
#include "platform/text_format.h"

namespace elix {

namespace {

constexpr SideLocation kLocations[] = {SideLocation::Left, SideLocation::Right, SideLocation::Top,
                                       SideLocation::Bottom, SideLocation::Advanced};

int LocationIndex(SideLocation side) {
    for (int k = 0; k < 5; ++k)
        if (kLocations[k] == side) return k;
    return 4;
}

}  // namespace

CBoundaryConditionDlg::CBoundaryConditionDlg(CBoundaryEditor& editor, CElixDoc& doc, QWidget* parent)
    : QDialog(parent), m_editor(editor), m_doc(doc), m_model(PixelExtent(doc.image)) {
    setWindowTitle(QStringLiteral("Boundary Condition"));
    m_report = [this](const std::string& text, MessageStyle style) { return m_doc.ReportMessage(text, style); };

    numberLabel = new QLabel(this);
    name = new QLineEdit(this);
    location = new QComboBox(this);
    for (SideLocation side : kLocations) location->addItem(QString::fromUtf8(LocationName(side)));
    size = NewNumberEdit(this);
    offset = NewNumberEdit(this);
    longitudinalFixed = new QCheckBox(QStringLiteral("Longitudinal Mode Fixed"), this);
    shearFixed = new QCheckBox(QStringLiteral("Shear Mode Fixed"), this);
    advanced = new QPushButton(QStringLiteral("Ad&vanced..."), this);
    infiniteBC = new QPushButton(QStringLiteral("&Infinite BC..."), this);
    advanced->setAutoDefault(false);
    infiniteBC->setAutoDefault(false);
    buttons = new CItemEditorButtons(this);

    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight);
    form->addRow(QStringLiteral("Name"), name);
    form->addRow(QStringLiteral("Location"), location);
    form->addRow(QStringLiteral("Size (mm)"), size);
    form->addRow(QStringLiteral("Center Offset (mm)"), offset);
    form->addRow(QString(), longitudinalFixed);
    form->addRow(QString(), shearFixed);
    auto* extra = new QHBoxLayout;
    extra->addWidget(advanced);
    extra->addWidget(infiniteBC);
    extra->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(numberLabel);
    layout->addLayout(form);
    layout->addLayout(extra);
    auto* rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    layout->addWidget(rule);
    layout->addWidget(buttons);

    ConnectItemEditor<CBoundaryCondition>(
        *this, *buttons, m_editor.Items(), [this](CBoundaryCondition& record) { return TakeFields(record); },
        [this](const CBoundaryCondition& record) { ShowRecord(record); });
    connect(location, &QComboBox::currentIndexChanged, this, &CBoundaryConditionDlg::LocationChanged);
    connect(advanced, &QPushButton::clicked, this, &CBoundaryConditionDlg::OpenAdvanced);
    connect(infiniteBC, &QPushButton::clicked, this, &CBoundaryConditionDlg::OpenInfiniteBC);

    ShowRecord(m_editor.Buffer());
}

void CBoundaryConditionDlg::ShowRecord(const CBoundaryCondition& bc) {
    const CItemList<CBoundaryCondition>& list = m_editor.Items().List();
    numberLabel->setText(QString::fromStdString(Format("Boundary Condition No.: %d", list.Current() + 1)));
    name->setText(QString::fromStdString(bc.name));
    const LocationFields fields = ShowLocation(SegmentOf(bc), m_model);
    {
        const QSignalBlocker block(location);
        m_shownLocation = LocationIndex(fields.location);
        location->setCurrentIndex(m_shownLocation);
    }
    SetNumber(size, fields.sizeMm);
    SetNumber(offset, fields.offsetMm);
    offset->setEnabled(fields.location != SideLocation::Advanced);
    longitudinalFixed->setChecked(bc.longitudinalFixed != 0);
    shearFixed->setChecked(bc.shearFixed != 0);
}

LocationFields CBoundaryConditionDlg::Location() const {
    LocationFields fields;
    fields.location = kLocations[std::clamp(location->currentIndex(), 0, 4)];
    fields.sizeMm = NumberOf(size);
    fields.offsetMm = NumberOf(offset);
    return fields;
}

bool CBoundaryConditionDlg::TakeFields(CBoundaryCondition& record) {
    if (!CheckFields({{size, kSizeRange}, {offset, kOffsetRange}}, m_report)) return false;
    Segment segment = SegmentOf(record);
    if (!elix::TakeLocation(Location(), segment, m_model, m_report)) return false;
    SetSegment(record, segment);
    record.name = name->text().toStdString();
    record.longitudinalFixed = longitudinalFixed->isChecked() ? 1 : 0;
    record.shearFixed = shearFixed->isChecked() ? 1 : 0;
    return true;
}

void CBoundaryConditionDlg::LocationChanged() {
    const LocationFields fields = Location();
    if (!CheckFields({{size, kSizeRange}, {offset, kOffsetRange}}, m_report) || !m_editor.ChangeLocation(fields)) {
        // A refused field: the location on display stays what it was.
        const QSignalBlocker block(location);
        location->setCurrentIndex(m_shownLocation);
        return;
    }
    m_shownLocation = location->currentIndex();
    // The side's segment (the whole side after Yes) in the fields.
    const LocationFields shown = m_editor.Location();
    SetNumber(size, shown.sizeMm);
    SetNumber(offset, shown.offsetMm);
    // A free segment has no centre offset: its size scales it about its
    // midpoint.
    offset->setEnabled(shown.location != SideLocation::Advanced);
}

void CBoundaryConditionDlg::OpenAdvanced() {
    if (!m_editor.OpenAdvanced()) return;
    CBoundaryCondition record = m_editor.Buffer();
    if (!TakeFields(record)) return;
    m_editor.Buffer() = record;
    CBCAdvancedDlg dialog(ShowBoundaryAdvanced(record), m_report, this);
    if (dialog.exec() != QDialog::Accepted) return;
    if (m_editor.TakeAdvanced(dialog.Fields())) ShowRecord(m_editor.Buffer());
}

void CBoundaryConditionDlg::OpenInfiniteBC() {
    CInfiniteBCDlg dialog(m_doc, this);
    dialog.exec();
}

}  // namespace elix

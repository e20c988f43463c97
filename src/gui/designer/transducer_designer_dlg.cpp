#include "designer/transducer_designer_dlg.h"


#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "analysis/plot_window.h"
#include "app/help_system.h"
#include "app/main_frame.h"
#include "engine/run.h"
#include "model/elix_doc.h"
#include "view/elix_view.h"

namespace elix {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

constexpr const char* kRunningText = "The Model is running. Please stop the process first.";

}  // namespace

CTransducerDesignerDlg::CTransducerDesignerDlg(CMainFrame& frame) : QDialog(&frame), m_frame(frame) {
    setWindowTitle(QStringLiteral("Transducer Designer"));
    setModal(false);
    setObjectName(QStringLiteral("CTransducerDesignerDlg"));

    // Left: the record's fields.
    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(10);
    m_name = new QLineEdit(this);
    fields->addWidget(new QLabel(QStringLiteral("Name"), this), 0, 0);
    fields->addWidget(m_name, 0, 1);
    const auto& labels = DesignerFieldLabels();
    for (int k = 0; k < kDesignerNumberFields; ++k) {
        auto* label = new QLabel(QString::fromUtf8(labels[static_cast<std::size_t>(k)]), this);
        auto* edit = new QLineEdit(this);
        edit->setAlignment(Qt::AlignRight);
        edit->setMinimumWidth(90);
        label->setBuddy(edit);
        m_labels[static_cast<std::size_t>(k)] = label;
        m_numbers[static_cast<std::size_t>(k)] = edit;
        fields->addWidget(label, k + 1, 0);
        fields->addWidget(edit, k + 1, 1);
    }
    auto* fieldBox = new QGroupBox(QStringLiteral("Layer Stack"), this);
    fieldBox->setLayout(fields);

    // Right: the current layer's material, the absorbing sides, the drive.
    m_previous = new QPushButton(QStringLiteral("<"), this);
    m_next = new QPushButton(QStringLiteral(">"), this);
    for (QPushButton* b : {m_previous, m_next}) {
        b->setAutoDefault(false);
        b->setFixedWidth(40);
    }
    m_material = new QLabel(this);
    m_material->setFrameShape(QFrame::StyledPanel);
    m_material->setFrameShadow(QFrame::Sunken);
    m_material->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_material->setMargin(6);
    m_material->setMinimumSize(240, 100);
    m_material->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* stepRow = new QHBoxLayout;
    stepRow->addWidget(m_previous);
    stepRow->addStretch();
    m_layerName = new QLabel(this);
    m_layerName->setAlignment(Qt::AlignCenter);
    stepRow->addWidget(m_layerName);
    stepRow->addStretch();
    stepRow->addWidget(m_next);
    auto* materialLayout = new QVBoxLayout;
    materialLayout->addLayout(stepRow);
    materialLayout->addWidget(m_material, 1);
    auto* materialBox = new QGroupBox(QStringLiteral("Layer Material"), this);
    materialBox->setLayout(materialLayout);

    auto* sideGrid = new QGridLayout;
    for (std::size_t k = 0; k < kDesignerSideLabels.size(); ++k) {
        m_sides[k] = new QCheckBox(QString::fromUtf8(kDesignerSideLabels[k]), this);
        sideGrid->addWidget(m_sides[k], static_cast<int>(k / 2), static_cast<int>(k % 2));
    }
    auto* sideBox = new QGroupBox(QStringLiteral("Infinit Boundary Condition"), this);
    sideBox->setLayout(sideGrid);

    m_drive = new QCheckBox(QStringLiteral("Drive with a source"), this);
    auto* driveNote = new QLabel(
        QStringLiteral("Electrodes are not simulated: a displacement source on the piezo layer's lower face "
                       "drives the model."),
        this);
    driveNote->setWordWrap(true);
    QFont small = driveNote->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    driveNote->setFont(small);
    auto* driveLayout = new QVBoxLayout;
    driveLayout->addWidget(m_drive);
    driveLayout->addWidget(driveNote);
    auto* driveBox = new QGroupBox(QStringLiteral("Excitation"), this);
    driveBox->setLayout(driveLayout);

    m_modelLabel = new QLabel(this);
    auto* right = new QVBoxLayout;
    right->addWidget(m_modelLabel);
    right->addWidget(materialBox, 1);
    right->addWidget(sideBox);
    right->addWidget(driveBox);

    // Bottom: the commands.
    m_create = new QPushButton(QStringLiteral("&Create Geometry"), this);
    m_gain = new QPushButton(QStringLiteral("Plot Gain"), this);
    auto* exitButton = new QPushButton(QStringLiteral("E&xit"), this);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    auto* help = new QPushButton(QStringLiteral("&Help"), this);
    for (QPushButton* b : {m_create, m_gain, exitButton, cancel, help}) b->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_create);
    buttons->addWidget(m_gain);
    buttons->addStretch();
    buttons->addWidget(exitButton);
    buttons->addWidget(cancel);
    buttons->addWidget(help);

    auto* columns = new QHBoxLayout;
    columns->addWidget(fieldBox);
    columns->addLayout(right, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);

    connect(m_previous, &QPushButton::clicked, this, [this] { StepLayer(-1); });
    connect(m_next, &QPushButton::clicked, this, [this] { StepLayer(+1); });
    connect(m_create, &QPushButton::clicked, this, [this] { CreateGeometry(); });
    connect(m_gain, &QPushButton::clicked, this, [this] { PlotGain(); });
    connect(exitButton, &QPushButton::clicked, this, &QDialog::hide);
    connect(cancel, &QPushButton::clicked, this, &QDialog::hide);
    connect(help, &QPushButton::clicked, this, [this] { ShowHelp(); });
    connect(frame.MdiArea(), &QMdiArea::subWindowActivated, this, [this] {
        if (isVisible()) FollowActiveModel();
    });
    FollowActiveModel();
}

CTransducerDesigner& CTransducerDesignerDlg::Record() {
    return m_records[m_doc];
}

void CTransducerDesignerDlg::FollowActiveModel() {
    // Records of closed models go with them.
    for (auto it = m_records.begin(); it != m_records.end();)
        it = it->first.expired() ? m_records.erase(it) : std::next(it);
    std::shared_ptr<CElixDoc> doc;
    if (CChildFrame* child = m_frame.ActiveFrame()) doc = child->View()->SharedDocument();
    const bool changed = doc != m_doc.lock();
    m_doc = doc;
    if (changed) m_layer = kBackingLayer;
    ShowFields();
}

void CTransducerDesignerDlg::ShowFields() {
    CElixDoc* doc = Document();
    for (QWidget* w : findChildren<QWidget*>())
        if (w != m_modelLabel && !qobject_cast<QPushButton*>(w)) w->setEnabled(doc != nullptr);
    for (QPushButton* b : {m_previous, m_next, m_create, m_gain}) b->setEnabled(doc != nullptr);
    if (!doc) {
        m_modelLabel->setText(QStringLiteral("No model is open."));
        m_material->clear();
        m_layerName->clear();
        return;
    }
    m_modelLabel->setText(QStringLiteral("Model: %1").arg(Q(doc->Title())));
    const CTransducerDesigner& record = Record();
    const DesignerFieldTexts texts = ShowDesignerFields(record, doc->job);
    m_name->setText(Q(texts.name));
    for (std::size_t k = 0; k < m_numbers.size(); ++k) m_numbers[k]->setText(Q(texts.numbers[k]));
    for (std::size_t k = 0; k < m_sides.size(); ++k) m_sides[k]->setChecked(texts.sides[k]);
    m_drive->setChecked(texts.driveWithSource);
    // The current layer's label stands out.
    for (int k = 0; k < kDesignerLayerCount; ++k) {
        QLabel* label = m_labels[static_cast<std::size_t>(kFirstThicknessField + k)];
        QFont font = label->font();
        font.setBold(k == m_layer);
        label->setFont(font);
    }
    m_layerName->setText(QStringLiteral("Layer %1 of %2: %3")
                             .arg(m_layer + 1)
                             .arg(kDesignerLayerCount)
                             .arg(QString::fromUtf8(kDesignerLayers[static_cast<std::size_t>(m_layer)].name)));
    m_material->setText(Q(LayerMaterialText(doc->Materials(), m_layer, record.centreFrequency)));
}

bool CTransducerDesignerDlg::event(QEvent* e) {
    // Materials may have been edited in another window meanwhile: the
    // layer's data is shown anew whenever the designer gets the focus back
    // (the fields keep what the user typed).
    if (e->type() == QEvent::WindowActivate)
        if (CElixDoc* doc = Document())
            m_material->setText(Q(LayerMaterialText(doc->Materials(), m_layer, Record().centreFrequency)));
    return QDialog::event(e);
}

bool CTransducerDesignerDlg::StoreFields() {
    CElixDoc* doc = Document();
    if (!doc) return false;
    DesignerFieldTexts texts;
    texts.name = m_name->text().toStdString();
    for (std::size_t k = 0; k < m_numbers.size(); ++k) texts.numbers[k] = m_numbers[k]->text().toStdString();
    for (std::size_t k = 0; k < m_sides.size(); ++k) texts.sides[k] = m_sides[k]->isChecked();
    texts.driveWithSource = m_drive->isChecked();
    const std::uint8_t sidesBefore = doc->job.InfiniteBCIndex;
    std::string message;
    const int bad = StoreDesignerFields(texts, Record(), doc->job, message);
    if (bad >= 0) {
        doc->ReportMessage(message, MessageStyle::Exclamation);
        QLineEdit* field = m_numbers[static_cast<std::size_t>(bad)];
        field->setFocus();
        field->selectAll();
        return false;
    }
    if (doc->job.InfiniteBCIndex != sidesBefore) doc->SetModifiedFlag();
    return true;
}

bool CTransducerDesignerDlg::StepLayer(int direction) {
    if (!StoreFields()) return false;
    m_layer = StepDesignerLayer(Record(), m_layer, direction);
    ShowFields();
    return true;
}

bool CTransducerDesignerDlg::CreateGeometry() {
    CElixDoc* doc = Document();
    if (!doc) return false;
    // The run pumps window events between steps: the image must not be
    // replaced under it.
    if (doc->IsRunning()) {
        doc->ReportMessage(kRunningText, MessageStyle::Exclamation);
        return false;
    }
    if (!StoreFields()) return false;
    const bool built = CreateTransducerGeometry(*doc, Record());
    doc->UpdateAllViews('a');
    ShowFields();
    m_frame.UpdateCommandUI();
    return built;
}

bool CTransducerDesignerDlg::PlotGain() {
    CElixDoc* doc = Document();
    if (!doc || !StoreFields()) return false;
    if (!PlotTransducerGain(*doc, Record())) return false;
    // The gain plot window opens once; an open one repaints on the hint.
    OpenPlotWindow(m_frame, *doc, 'g');
    doc->UpdateAllViews('g');
    return true;
}

void CTransducerDesignerDlg::ShowHelp() { HelpSystemOf(m_frame).ShowHelpFor(this); }

}  // namespace elix

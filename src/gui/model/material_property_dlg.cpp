#include "model/material_property_dlg.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/main_frame.h"
#include "model/elix_doc.h"
#include "model/material_library_dlg.h"
#include "model/number_field.h"
#include "model/ortho_property_dlg.h"
#include "model/piezo_property_dlg.h"

namespace elix {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

CMaterialPropertyDlg::CMaterialPropertyDlg(CMaterialEditor& editor, CMainFrame* frame, CElixDoc* doc,
                                           FieldReport report, QWidget* parent)
    : QDialog(parent), m_editor(editor), m_frame(frame), m_doc(doc), m_report(std::move(report)) {
    setWindowTitle(QStringLiteral("Material Properties"));

    numberLabel = new QLabel(this);
    name = new QLineEdit(this);
    density = NewNumberEdit(this);
    lambda = NewNumberEdit(this);
    mu = NewNumberEdit(this);
    grayLevel = NewNumberEdit(this);
    damping = new QCheckBox(QStringLiteral("Damping"), this);
    eta = NewNumberEdit(this);
    phi = NewNumberEdit(this);
    frequency = NewNumberEdit(this);

    auto* fields = new QFormLayout;
    fields->setLabelAlignment(Qt::AlignRight);
    fields->addRow(QStringLiteral("Name"), name);
    fields->addRow(QStringLiteral("Density (kg/m^3)"), density);
    fields->addRow(QStringLiteral("lambda (MPa)"), lambda);
    fields->addRow(QStringLiteral("mu (MPa)"), mu);
    fields->addRow(QStringLiteral("Gray Level"), grayLevel);
    fields->addRow(QString(), damping);
    fields->addRow(QStringLiteral("eta (Pa*s)"), eta);
    fields->addRow(QStringLiteral("phi(Pa*s)"), phi);
    fields->addRow(QStringLiteral("Frequency (MHz)"), frequency);

    auto* derivedBox = new QGroupBox(QStringLiteral("Derived Values"), this);
    auto* derivedLayout = new QVBoxLayout(derivedBox);
    for (QLabel*& label : derived) {
        label = new QLabel(derivedBox);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        derivedLayout->addWidget(label);
    }
    derivedLayout->addStretch(1);
    derivedBox->setMinimumWidth(derivedBox->fontMetrics().horizontalAdvance(
        QStringLiteral("L. Wave Length = 0.000000 (0.000000, 0.000000)(mm)")));

    // The extended constants: hidden in the editor as shipped, so they come
    // only from files; the boxes still carry what the record holds.
    orthoGroup = new QGroupBox(QStringLiteral("Orthotropic"), this);
    orthotropic = new QCheckBox(QStringLiteral("Orthotropic"), orthoGroup);
    orthoDetails = new QPushButton(QStringLiteral("Details..."), orthoGroup);
    auto* orthoLayout = new QHBoxLayout(orthoGroup);
    orthoLayout->addWidget(orthotropic);
    orthoLayout->addWidget(orthoDetails);
    piezoGroup = new QGroupBox(QStringLiteral("Piezoelectric"), this);
    piezoelectric = new QCheckBox(QStringLiteral("Piezoelectric"), piezoGroup);
    piezoDetails = new QPushButton(QStringLiteral("Details..."), piezoGroup);
    auto* piezoLayout = new QHBoxLayout(piezoGroup);
    piezoLayout->addWidget(piezoelectric);
    piezoLayout->addWidget(piezoDetails);
    orthoGroup->hide();
    piezoGroup->hide();

    library = new QPushButton(QStringLiteral("&Library..."), this);
    print = new QPushButton(QStringLiteral("Pr&int..."), this);
    for (QPushButton* b : {library, print, orthoDetails, piezoDetails}) b->setAutoDefault(false);
    buttons = new CItemEditorButtons(this);

    auto* left = new QVBoxLayout;
    left->addWidget(numberLabel);
    left->addLayout(fields);
    left->addWidget(orthoGroup);
    left->addWidget(piezoGroup);
    left->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addLayout(left);
    top->addSpacing(12);
    top->addWidget(derivedBox, 1);
    auto* extra = new QHBoxLayout;
    extra->addWidget(library);
    extra->addWidget(print);
    extra->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(extra);
    auto* rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    layout->addWidget(rule);
    layout->addWidget(buttons);

    if (!m_doc) {
        library->hide();
        buttons->show->hide();
    }

    ConnectItemEditor<CMaterialProperty>(
        *this, *buttons, m_editor.Items(),
        [this](CMaterialProperty& record) {
            if (!TakeFields()) return false;
            record = m_editor.Buffer();
            return true;
        },
        [this](const CMaterialProperty& record) { ShowRecord(record); });
    connect(orthoDetails, &QPushButton::clicked, this, &CMaterialPropertyDlg::OpenOrthoDetails);
    connect(piezoDetails, &QPushButton::clicked, this, &CMaterialPropertyDlg::OpenPiezoDetails);
    connect(library, &QPushButton::clicked, this, &CMaterialPropertyDlg::OpenLibrary);
    connect(print, &QPushButton::clicked, this, &CMaterialPropertyDlg::Print);

    ShowRecord(m_editor.Buffer());
}

void CMaterialPropertyDlg::ShowRecord(const CMaterialProperty& material) {
    const MaterialEditorFields f = ShowMaterialFields(material, MaterialEditorFrequency());
    numberLabel->setText(Q(m_editor.NumberText()));
    name->setText(Q(f.name));
    SetNumber(density, f.density);
    SetNumber(lambda, f.lambdaMPa);
    SetNumber(mu, f.muMPa);
    SetInteger(grayLevel, f.grayLevel);
    damping->setChecked(f.damping);
    SetNumber(eta, f.eta);
    SetNumber(phi, f.phi);
    SetNumber(frequency, f.frequencyMHz);
    orthotropic->setChecked(f.orthotropic);
    piezoelectric->setChecked(f.piezoelectric);
    const std::vector<std::string> texts = m_editor.DerivedTexts();
    for (std::size_t k = 0; k < derived.size(); ++k)
        derived[k]->setText(k < texts.size() ? Q(texts[k]) : QString());
}

MaterialEditorFields CMaterialPropertyDlg::Fields() const {
    MaterialEditorFields f;
    f.name = name->text().toStdString();
    f.density = NumberOf(density);
    f.lambdaMPa = NumberOf(lambda);
    f.muMPa = NumberOf(mu);
    const double gray = NumberOf(grayLevel);
    f.grayLevel = IsInFieldRange(gray, kGrayLevelRange) ? static_cast<int>(gray) : 255;
    f.damping = damping->isChecked();
    f.eta = NumberOf(eta);
    f.phi = NumberOf(phi);
    f.frequencyMHz = NumberOf(frequency);
    f.orthotropic = orthotropic->isChecked();
    f.piezoelectric = piezoelectric->isChecked();
    return f;
}

bool CMaterialPropertyDlg::TakeFields() {
    if (!CheckFields({{density, kDensityRange},
                      {lambda, kLameRange},
                      {mu, kLameRange},
                      {grayLevel, kGrayLevelRange},
                      {eta, kViscosityRange},
                      {phi, kViscosityRange},
                      {frequency, kFrequencyRange}},
                     m_report))
        return false;
    return m_editor.Take(Fields());
}

void CMaterialPropertyDlg::OpenOrthoDetails() {
    if (!TakeFields()) return;
    COrthoPropertyDlg dialog(ShowOrthoFields(m_editor.Buffer()), m_report, this);
    if (dialog.exec() != QDialog::Accepted) return;
    CMaterialProperty& buffer = m_editor.Items().buffer;
    TakeOrthoFields(dialog.Values(), buffer);
    m_editor.Items().FieldChanged();
    ShowRecord(buffer);
}

void CMaterialPropertyDlg::OpenPiezoDetails() {
    if (!TakeFields()) return;
    CPiezoPropertyDlg dialog(ShowPiezoFields(m_editor.Buffer()), m_report, this);
    if (dialog.exec() != QDialog::Accepted) return;
    CMaterialProperty& buffer = m_editor.Items().buffer;
    TakePiezoFields(dialog.Values(), buffer);
    m_editor.Items().FieldChanged();
    ShowRecord(buffer);
}

void CMaterialPropertyDlg::OpenLibrary() {
    if (!m_doc || !m_frame || !TakeFields()) return;
    CMaterialLibraryDlg dialog(ProgramMaterialLibrary(), *m_frame, *m_doc, m_editor, this);
    dialog.exec();
    // Add to Model may have added materials: the editor shows the current one.
    m_editor.Items().Load();
    ShowRecord(m_editor.Buffer());
}

void CMaterialPropertyDlg::Print() {
    if (!TakeFields()) return;
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) return;
    QPainter painter(&printer);
    painter.setFont(QFont(QStringLiteral("Times New Roman"), 12));
    const std::string title = m_doc ? m_doc->Title() : std::string("Material Library");
    const CItemList<CMaterialProperty>& list = m_editor.Items().List();
    const int lineHeight = painter.fontMetrics().lineSpacing();
    for (int k = 0; k < list.Count(); ++k) {
        if (k > 0) printer.newPage();
        int y = lineHeight * 2;
        for (const std::string& line : MaterialPrintLines(title, list[k], MaterialEditorFrequency())) {
            painter.drawText(lineHeight * 2, y, Q(line));
            y += lineHeight;
        }
    }
}

}  // namespace elix

#include "analysis/plot_data_dlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/elix_doc.h"

namespace elix {
namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }
std::string S(const QString& text) { return text.toStdString(); }

QComboBox* LimitBox(QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setEditable(true);
    box->addItem(QStringLiteral("Auto"));
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMinimumContentsLength(12);
    return box;
}

}  // namespace

CPlotDataDlg::CPlotDataDlg(CElixDoc& doc, CPlotData& plot, char kind, std::string exportFolder, QWidget* parent)
    : QDialog(parent),
      m_plot(plot),
      m_editor(CPlotDataEditor::ForDocument(doc, plot, kind)),
      m_exportFolder(std::move(exportFolder)) {
    setWindowTitle(QStringLiteral("Plot Dialog"));

    // Curves.
    auto* curves = new QGroupBox(QStringLiteral("Curve"), this);
    auto* curveGrid = new QGridLayout(curves);
    m_curveName = new QLineEdit(curves);
    m_curveName->setMinimumWidth(220);
    m_disable = new QCheckBox(QStringLiteral("Disable"), curves);
    auto* nameLabel = new QLabel(QStringLiteral("Curve &Name"), curves);
    nameLabel->setBuddy(m_curveName);
    curveGrid->addWidget(nameLabel, 0, 0);
    curveGrid->addWidget(m_curveName, 0, 1, 1, 3);
    curveGrid->addWidget(m_disable, 0, 4);
    auto button = [this](const char* text, QWidget* owner, auto action) {
        auto* b = new QPushButton(QString::fromUtf8(text), owner);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, action);
        return b;
    };
    curveGrid->addWidget(button("&Previous", curves, [this] { m_editor.Previous(Read()); Show(); }), 1, 1);
    curveGrid->addWidget(button("&Next", curves, [this] { m_editor.Next(Read()); Show(); }), 1, 2);
    curveGrid->addWidget(button("Disable All", curves, [this] { m_editor.DisableAll(); Show(); }), 1, 3);
    curveGrid->addWidget(button("Enable All", curves, [this] { m_editor.EnableAll(); Show(); }), 1, 4);
    int column = 1;
    if (m_editor.HasInsert())
        curveGrid->addWidget(button("&Insert", curves, [this] { if (m_editor.Insert()) AfterCurvesChanged(); }), 2,
                             column++);
    curveGrid->addWidget(button("&Delete", curves, [this] { if (m_editor.Delete(Read())) AfterCurvesChanged(); }),
                         2, column++);
    curveGrid->addWidget(button("D&elete All", curves, [this] { if (m_editor.DeleteAll()) AfterCurvesChanged(); }),
                         2, column++);
    curveGrid->addWidget(button("Export", curves, [this] {
                             if (m_editor.Take(Read())) m_editor.Export(m_exportFolder);
                         }),
                         2, column++);

    // Titles.
    auto* titles = new QGroupBox(QStringLiteral("Titles"), this);
    auto* titleGrid = new QGridLayout(titles);
    m_mainTitle = new QLineEdit(titles);
    m_xTitle = new QLineEdit(titles);
    m_yTitle = new QLineEdit(titles);
    const std::pair<const char*, QLineEdit*> titleRows[] = {
        {"Main Title", m_mainTitle}, {"x Axis Title", m_xTitle}, {"y Axis Title", m_yTitle}};
    int row = 0;
    for (const auto& [label, edit] : titleRows) {
        titleGrid->addWidget(new QLabel(QString::fromUtf8(label), titles), row, 0);
        titleGrid->addWidget(edit, row++, 1);
    }

    // Axes: one row per axis.
    auto* axes = new QGroupBox(QStringLiteral("Axes"), this);
    auto* axisGrid = new QGridLayout(axes);
    m_xMin = LimitBox(axes);
    m_xMax = LimitBox(axes);
    m_yMin = LimitBox(axes);
    m_yMax = LimitBox(axes);
    m_xScale = new QLineEdit(axes);
    m_yScale = new QLineEdit(axes);
    m_xTicks = new QLineEdit(axes);
    m_yTicks = new QLineEdit(axes);
    m_xGrid = new QCheckBox(QStringLiteral("x Grid"), axes);
    m_yGrid = new QCheckBox(QStringLiteral("y Grid"), axes);
    for (QLineEdit* edit : {m_xScale, m_yScale}) edit->setMinimumWidth(80);
    for (QLineEdit* edit : {m_xTicks, m_yTicks}) edit->setMaximumWidth(50);
    struct AxisRow {
        const char* min;
        QComboBox* minBox;
        const char* max;
        QComboBox* maxBox;
        const char* scale;
        QLineEdit* scaleEdit;
        const char* ticks;
        QLineEdit* tickEdit;
        QCheckBox* grid;
    };
    const AxisRow axisRows[] = {
        {"x Min.", m_xMin, "x Max", m_xMax, "x Scale", m_xScale, "x Ticks", m_xTicks, m_xGrid},
        {"y Min", m_yMin, "y Max", m_yMax, "y Scale", m_yScale, "y Ticks", m_yTicks, m_yGrid},
    };
    row = 0;
    for (const AxisRow& r : axisRows) {
        int c = 0;
        axisGrid->addWidget(new QLabel(QString::fromUtf8(r.min), axes), row, c++);
        axisGrid->addWidget(r.minBox, row, c++);
        axisGrid->addWidget(new QLabel(QString::fromUtf8(r.max), axes), row, c++);
        axisGrid->addWidget(r.maxBox, row, c++);
        axisGrid->addWidget(new QLabel(QString::fromUtf8(r.scale), axes), row, c++);
        axisGrid->addWidget(r.scaleEdit, row, c++);
        axisGrid->addWidget(new QLabel(QString::fromUtf8(r.ticks), axes), row, c++);
        axisGrid->addWidget(r.tickEdit, row, c++);
        axisGrid->addWidget(r.grid, row++, c++);
    }

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    QPushButton* apply = buttons->addButton(QStringLiteral("&Apply"), QDialogButtonBox::ApplyRole);
    buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CPlotDataDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(apply, &QPushButton::clicked, this, [this] {
        if (m_editor.Apply(Read())) Show();
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(curves);
    layout->addWidget(titles);
    layout->addWidget(axes);
    layout->addWidget(buttons);
    Show();
}

QPushButton* CPlotDataDlg::Button(const QString& text) const {
    for (QPushButton* b : findChildren<QPushButton*>())
        if (b->text() == text) return b;
    return nullptr;
}

void CPlotDataDlg::Show() {
    const PlotDialogFields f = m_editor.Fields();
    const bool hasCurves = m_plot.CurveCount() > 0;
    m_curveName->setText(Q(f.curveName));
    m_disable->setChecked(f.disable);
    m_curveName->setEnabled(hasCurves);
    m_disable->setEnabled(hasCurves);
    m_mainTitle->setText(Q(f.mainTitle));
    m_xTitle->setText(Q(f.xTitle));
    m_yTitle->setText(Q(f.yTitle));
    m_xMin->setEditText(Q(f.xMin));
    m_xMax->setEditText(Q(f.xMax));
    m_yMin->setEditText(Q(f.yMin));
    m_yMax->setEditText(Q(f.yMax));
    m_xScale->setText(Q(f.xScale));
    m_yScale->setText(Q(f.yScale));
    m_xTicks->setText(Q(f.xTicks));
    m_yTicks->setText(Q(f.yTicks));
    m_xGrid->setChecked(f.xGrid);
    m_yGrid->setChecked(f.yGrid);
}

PlotDialogFields CPlotDataDlg::Read() const {
    PlotDialogFields f;
    f.curveName = S(m_curveName->text());
    f.disable = m_disable->isChecked();
    f.mainTitle = S(m_mainTitle->text());
    f.xTitle = S(m_xTitle->text());
    f.yTitle = S(m_yTitle->text());
    f.xMin = S(m_xMin->currentText());
    f.xMax = S(m_xMax->currentText());
    f.yMin = S(m_yMin->currentText());
    f.yMax = S(m_yMax->currentText());
    f.xScale = S(m_xScale->text());
    f.yScale = S(m_yScale->text());
    f.xTicks = S(m_xTicks->text());
    f.yTicks = S(m_yTicks->text());
    f.xGrid = m_xGrid->isChecked();
    f.yGrid = m_yGrid->isChecked();
    return f;
}

void CPlotDataDlg::AfterCurvesChanged() {
    if (m_plot.CurrentCurve() >= m_plot.CurveCount() && m_plot.CurveCount() > 0)
        m_plot.SetCurrentCurve(m_plot.CurveCount() - 1);
    Show();
}

void CPlotDataDlg::accept() {
    // A field that fails its check keeps the dialog open.
    if (m_editor.Ok(Read())) QDialog::accept();
}

}  // namespace elix

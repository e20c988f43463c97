// The Plot Dialog ("Plot Dialog") on one plot of a model: the current
// curve's name and Disable flag with Previous/Next, Disable All/Enable All,
// the titles, the axis limits (each an editable list offering "Auto"),
// scales, ticks and grids, Apply, and the curve actions Delete, Delete All,
// Export and (receiver plot only) Insert. Every rule is the core's
// CPlotDataEditor; the dialog moves text in and out.
#pragma once

#include <QDialog>
#include <string>

#include "analysis/plot_data_editor.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace elix {

class CElixDoc;

class CPlotDataDlg : public QDialog {
    Q_OBJECT
public:
    // kind: the letter of the plot's windows ('r' offers Insert);
    // exportFolder: where Export's chooser starts.
    CPlotDataDlg(CElixDoc& doc, CPlotData& plot, char kind, std::string exportFolder, QWidget* parent = nullptr);

    // The widgets, for tests and screenshots.
    QLineEdit* CurveName() const { return m_curveName; }
    QCheckBox* Disable() const { return m_disable; }
    QLineEdit* MainTitle() const { return m_mainTitle; }
    QLineEdit* XTitle() const { return m_xTitle; }
    QLineEdit* YTitle() const { return m_yTitle; }
    QComboBox* XMin() const { return m_xMin; }
    QComboBox* XMax() const { return m_xMax; }
    QComboBox* YMin() const { return m_yMin; }
    QComboBox* YMax() const { return m_yMax; }
    QLineEdit* XScale() const { return m_xScale; }
    QLineEdit* YScale() const { return m_yScale; }
    QLineEdit* XTicks() const { return m_xTicks; }
    QLineEdit* YTicks() const { return m_yTicks; }
    QCheckBox* XGrid() const { return m_xGrid; }
    QCheckBox* YGrid() const { return m_yGrid; }
    // Buttons by their text ("&Previous", "D&elete All", "&OK", ...); null
    // when the dialog has none of that text.
    QPushButton* Button(const QString& text) const;

    void accept() override;

private:
    void Show();
    PlotDialogFields Read() const;
    // After a list change: the current curve kept within the curves.
    void AfterCurvesChanged();

    CPlotData& m_plot;
    CPlotDataEditor m_editor;
    std::string m_exportFolder;

    QLineEdit* m_curveName;
    QCheckBox* m_disable;
    QLineEdit* m_mainTitle;
    QLineEdit* m_xTitle;
    QLineEdit* m_yTitle;
    QComboBox* m_xMin;
    QComboBox* m_xMax;
    QComboBox* m_yMin;
    QComboBox* m_yMax;
    QLineEdit* m_xScale;
    QLineEdit* m_yScale;
    QLineEdit* m_xTicks;
    QLineEdit* m_yTicks;
    QCheckBox* m_xGrid;
    QCheckBox* m_yGrid;
};

}  // namespace elix

// The Reference Curve dialog ("Reference Curve") of Attenuation: shows
// "Reference Curve Name: '%s'" for a curve of a plot, steps it with &Next
// and &Previous (nothing happens at the ends), and accepts it with &OK.
#pragma once

#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;

namespace elix {

class CPlotData;

class CRefCurveDlg : public QDialog {
    Q_OBJECT
public:
    // help: what &Help shows (the Attenuation command's help).
    CRefCurveDlg(const CPlotData& plot, int index, std::function<void()> help, QWidget* parent = nullptr);

    int Index() const { return m_index; }
    QLabel* NameLabel() const { return m_name; }
    QPushButton* NextButton() const { return m_next; }
    QPushButton* PreviousButton() const { return m_previous; }

private:
    void Step(int delta);
    void Show();

    const CPlotData& m_plot;
    int m_index;
    QLabel* m_name;
    QPushButton* m_next;
    QPushButton* m_previous;
};

}  // namespace elix

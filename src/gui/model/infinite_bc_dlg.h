// "Infinite BC": which sides of the model absorb outgoing waves, and the
// weight of an edge node's own value in the smoothing along the edge.
#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;

namespace elix {

class CElixDoc;

class CInfiniteBCDlg : public QDialog {
    Q_OBJECT
public:
    explicit CInfiniteBCDlg(CElixDoc& doc, QWidget* parent = nullptr);

    QCheckBox* top;
    QCheckBox* bottom;
    QCheckBox* left;
    QCheckBox* right;
    QLineEdit* factor;

    // OK: a factor outside 0..1 is refused; otherwise the job parameters
    // take the sides and the factor, and a change marks the model modified
    // and redraws its views.
    void accept() override;

private:
    CElixDoc& m_doc;
};

}  // namespace elix

// "Boundary Condition": one boundary condition of the model with its
// location (a side with size and centre offset, or Advanced), its two fixed
// modes, the list buttons, the Advanced editor and the absorbing sides
// ("Infinite BC").
#pragma once

#include <QDialog>

#include "model/boundary_editor.h"
#include "model/field_range.h"
#include "model/item_editor_buttons.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace elix {

class CElixDoc;

class CBoundaryConditionDlg : public QDialog {
    Q_OBJECT
public:
    CBoundaryConditionDlg(CBoundaryEditor& editor, CElixDoc& doc, QWidget* parent = nullptr);

    void ShowRecord(const CBoundaryCondition& bc);
    // Takes the fields into record; false after a range message, with the
    // focus on the refused field and record unchanged.
    bool TakeFields(CBoundaryCondition& record);

    QLabel* numberLabel;
    QLineEdit* name;
    QComboBox* location;
    QLineEdit* size;
    QLineEdit* offset;
    QCheckBox* longitudinalFixed;
    QCheckBox* shearFixed;
    QPushButton* advanced;
    QPushButton* infiniteBC;
    CItemEditorButtons* buttons;

private:
    LocationFields Location() const;
    void LocationChanged();
    void OpenAdvanced();
    void OpenInfiniteBC();

    CBoundaryEditor& m_editor;
    CElixDoc& m_doc;
    ModelExtent m_model;
    FieldReport m_report;
    int m_shownLocation = 0;
};

}  // namespace elix

// "Material Properties": one material of a list (the model's or the
// library's) with its derived acoustic values at the editor frequency, the
// list buttons, the detail editors of the extended constants, Print and the
// material library.
#pragma once

#include <QDialog>
#include <array>

#include "model/field_range.h"
#include "model/item_editor_buttons.h"
#include "model/material_editor.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace elix {

class CMainFrame;
class CElixDoc;

class CMaterialPropertyDlg : public QDialog {
    Q_OBJECT
public:
    // doc: the model whose materials the editor shows, or null for the
    // library's editor (its Library and Show buttons are hidden). report
    // shows the field messages.
    CMaterialPropertyDlg(CMaterialEditor& editor, CMainFrame* frame, CElixDoc* doc, FieldReport report,
                         QWidget* parent = nullptr);

    // Shows a record and the buffer's derived values and number.
    void ShowRecord(const CMaterialProperty& material);
    // Takes the fields into the editor's buffer (and the frequency); false
    // after a range message, with the focus on the refused field.
    bool TakeFields();

    QLabel* numberLabel;
    QLineEdit* name;
    QLineEdit* density;
    QLineEdit* lambda;
    QLineEdit* mu;
    QLineEdit* grayLevel;
    QCheckBox* damping;
    QLineEdit* eta;
    QLineEdit* phi;
    QLineEdit* frequency;
    QGroupBox* orthoGroup;
    QCheckBox* orthotropic;
    QPushButton* orthoDetails;
    QGroupBox* piezoGroup;
    QCheckBox* piezoelectric;
    QPushButton* piezoDetails;
    QPushButton* library;
    QPushButton* print;
    std::array<QLabel*, 10> derived{};
    CItemEditorButtons* buttons;

private:
    MaterialEditorFields Fields() const;
    void OpenOrthoDetails();
    void OpenPiezoDetails();
    void OpenLibrary();
    void Print();

    CMaterialEditor& m_editor;
    CMainFrame* m_frame;
    CElixDoc* m_doc;
    FieldReport m_report;
};

}  // namespace elix

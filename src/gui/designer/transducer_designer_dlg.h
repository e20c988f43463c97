// CTransducerDesignerDlg: the modeless "Transducer Designer" window. It edits
// the designer record of the active model (one record per document, kept
// here while the document lives), shows the material data of the current
// layer, builds the model with "&Create Geometry" and makes the gain plot.
// It follows the active model window.
#pragma once

#include <QDialog>
#include <array>
#include <map>
#include <memory>

#include "designer/transducer_designer.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace elix {

class CElixDoc;
class CMainFrame;

class CTransducerDesignerDlg : public QDialog {
    Q_OBJECT
public:
    explicit CTransducerDesignerDlg(CMainFrame& frame);

    // Takes the document of the active model window (none: the fields are
    // disabled) and shows its record.
    void FollowActiveModel();
    CElixDoc* Document() const { return m_doc.lock().get(); }
    // The record of the document shown (defaults for a model not seen yet).
    CTransducerDesigner& Record();
    int CurrentLayer() const { return m_layer; }

    // The dialog's controls, for the user's clicks and the tests.
    QLineEdit* NameField() const { return m_name; }
    QLineEdit* NumberField(int field) const { return m_numbers[static_cast<std::size_t>(field)]; }
    QCheckBox* SideBox(int k) const { return m_sides[static_cast<std::size_t>(k)]; }
    QCheckBox* DriveBox() const { return m_drive; }
    QLabel* MaterialLabel() const { return m_material; }
    QPushButton* PreviousButton() const { return m_previous; }
    QPushButton* NextButton() const { return m_next; }
    QPushButton* CreateButton() const { return m_create; }
    QPushButton* GainButton() const { return m_gain; }

    // The buttons' actions. Each stores the fields first; false when a
    // field was refused (its message shown, the focus on it) or nothing
    // could be done.
    bool StepLayer(int direction);
    bool CreateGeometry();
    bool PlotGain();

protected:
    bool event(QEvent* e) override;

private:
    void ShowFields();
    bool StoreFields();
    void ShowHelp();

    CMainFrame& m_frame;
    std::weak_ptr<CElixDoc> m_doc;
    std::map<std::weak_ptr<CElixDoc>, CTransducerDesigner, std::owner_less<std::weak_ptr<CElixDoc>>> m_records;
    int m_layer = 0;

    QLineEdit* m_name = nullptr;
    std::array<QLineEdit*, kDesignerNumberFields> m_numbers{};
    std::array<QLabel*, kDesignerNumberFields> m_labels{};
    std::array<QCheckBox*, 4> m_sides{};
    QCheckBox* m_drive = nullptr;
    QLabel* m_material = nullptr;
    QLabel* m_modelLabel = nullptr;
    QLabel* m_layerName = nullptr;
    QPushButton* m_previous = nullptr;
    QPushButton* m_next = nullptr;
    QPushButton* m_create = nullptr;
    QPushButton* m_gain = nullptr;
};

}  // namespace elix

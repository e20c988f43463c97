// "Receiver Configuration": the receiver list's editor. Name, location on a
// side or free (its Advanced editor), the recorded modes, data and phase
// type, the output file, and the list buttons.
#pragma once

#include <QDialog>
#include <string>

#include "model/receiver_editor.h"
#include "model/source_receiver_fields.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace elix {

class CItemEditorButtons;

class CReceiverConfigurationDlg : public QDialog {
    Q_OBJECT
public:
    // outputFolder: where the output file chooser starts.
    CReceiverConfigurationDlg(CElixDoc& doc, std::string outputFolder, QWidget* parent = nullptr);

    CReceiverEditor& Editor() { return m_editor; }

    QLineEdit* name;
    QLabel* itemCount;
    LocationWidgets location;
    QPushButton* advanced;
    QCheckBox* longitudinalMode;
    QCheckBox* shearMode;
    QComboBox* dataType;
    QComboBox* phaseType;
    QCheckBox* saveToFile;
    QLineEdit* outputFile;
    QPushButton* browse;
    CItemEditorButtons* buttons;

private:
    bool TakeFields(CReceiver& record);
    void ShowRecord(const CReceiver& record);
    void OpenAdvanced();
    void BrowseOutputFile();
    void AfterAction();
    FieldReport Reporter();

    CElixDoc& m_doc;
    std::string m_outputFolder;
    ModelExtent m_model;
    CReceiverEditor m_editor;
};

}  // namespace elix

// "Material Library": the program run's library of up to 500 materials,
// ten rows at a time (a mark and the name each), with paging, Add to Model,
// Add Material, Erase, Modify, Load, Save and Comment.
#pragma once

#include <QDialog>
#include <array>

#include "model/material_editor.h"
#include "model/material_library.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace elix {

class CMainFrame;
class CElixDoc;

// The one library of the program run; its materials stay between openings
// of the dialog.
CMaterialLibrary& ProgramMaterialLibrary();

class CMaterialLibraryDlg : public QDialog {
    Q_OBJECT
public:
    // editor: the material editor the dialog was opened from (Add Material
    // takes its material, Add to Model adds to its list, the document's).
    // Opening a library without materials reads Standard.mpd from the
    // library directory.
    CMaterialLibraryDlg(CMaterialLibrary& library, CMainFrame& frame, CElixDoc& doc, CMaterialEditor& editor,
                        QWidget* parent = nullptr);

    // Shows the rows from the library's first shown material.
    void ShowRows();

    QLabel* fromLabel;
    std::array<QCheckBox*, CMaterialLibrary::kRowsShown> marks{};
    std::array<QLineEdit*, CMaterialLibrary::kRowsShown> names{};
    QPushButton* up;
    QPushButton* down;
    QPushButton* addToModel;
    QPushButton* addMaterial;
    QPushButton* erase;
    QPushButton* modify;
    QPushButton* load;
    QPushButton* save;
    QPushButton* comment;
    QPushButton* close;

private:
    // Names edited in the rows rename the library's materials.
    void TakeRows();
    void AddToModel();
    void AddMaterial();
    void Modify();

    CMaterialLibrary& m_library;
    CMainFrame& m_frame;
    CElixDoc& m_doc;
    CMaterialEditor& m_editor;
};

}  // namespace elix

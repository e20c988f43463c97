// CMultiJobsDlg: the "Multi Jobs Control Panel". Ten rows of the job list
// (a check box and an editable path each), the status text under them and
// the buttons that page, add, delete, load, save and run. Every rule is the
// core's CJobList; the panel moves the rows in and out.
//
// OpenMultiJobsPanel is File > Run Multi Jobs: the panel, then, after
// "&Run", the batch with the ready and finished questions, the log, and a
// progress window for the job that runs.
#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "app/job_list.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace elix {

class CMainFrame;

class CMultiJobsDlg : public QDialog {
    Q_OBJECT
public:
    explicit CMultiJobsDlg(CMainFrame& frame);

    // The chooser of "&Add Files": several existing model files at once;
    // empty when cancelled. A Qt file dialog unless replaced (tests script it).
    std::function<std::vector<std::string>(const FileChooserRequest&)> chooseFiles;

    CJobList& List() { return m_list; }
    const CJobList& List() const { return m_list; }
    // True after "&Run" closed the panel.
    bool RunChosen() const { return m_run; }

    QCheckBox* RowCheck(int row) const { return m_checks[static_cast<std::size_t>(row)]; }
    QLineEdit* RowPath(int row) const { return m_paths[static_cast<std::size_t>(row)]; }
    QLabel* StatusLabel() const { return m_status; }
    // The button with that text ("&Up", "Del Selected", ...), or nullptr.
    QPushButton* Button(const QString& text) const;

private:
    void ShowRows();
    void StoreRows();
    void AddFiles();
    void ShowHelp();
    std::string StartFolder() const;

    CMainFrame& m_frame;
    CJobList m_list;
    bool m_run = false;
    std::array<QCheckBox*, CJobList::kRowsPerPage> m_checks{};
    std::array<QLineEdit*, CJobList::kRowsPerPage> m_paths{};
    std::array<QLabel*, CJobList::kRowsPerPage> m_numbers{};
    QLabel* m_status = nullptr;
    std::vector<QPushButton*> m_buttons;
};

// File > Run Multi Jobs with no model open: the panel, then the batch.
void OpenMultiJobsPanel(CMainFrame& frame);

}  // namespace elix

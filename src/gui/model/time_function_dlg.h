// The Detail dialog of a time function: the parameters its kind uses, in
// the units shown, the cycles of a pulse, and for User1, User2 and File
// waveforms the file with its comment and "Change User File".
#pragma once

#include <QDialog>
#include <map>
#include <string>

#include "engine/time_function_fields.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace elix {

class CElixDoc;

class CTimeFunctionDlg : public QDialog {
    Q_OBJECT
public:
    // component: "Longitudinal" or "Shear", shown in the title.
    // waveformFolder: where "Change User File" starts.
    CTimeFunctionDlg(CElixDoc& doc, std::string waveformFolder, const std::string& component,
                     const TimeFunctionSpec& function, double durationSeconds, QWidget* parent = nullptr);

    const TimeFunctionSpec& Function() const { return m_function; }
    double DurationSeconds() const { return m_duration; }

    QLineEdit* Field(TimeFunctionField field) const;
    QPushButton* ChangeUserFileButton() const { return m_change; }
    QLabel* FileLabel() const { return m_fileLabel; }
    QPlainTextEdit* CommentBox() const { return m_comment; }

    void accept() override;

private:
    void ChangeUserFile();
    void ShowWaveform(const std::string& name);

    CElixDoc& m_doc;
    std::string m_waveformFolder;
    TimeFunctionSpec m_function;
    double m_duration;
    std::map<TimeFunctionField, QLineEdit*> m_fields;
    // User1 and User2: the job's waveform file name chosen here, applied
    // to the job parameters on OK.
    std::string m_userFile;
    QPushButton* m_change = nullptr;
    QLabel* m_fileLabel = nullptr;
    QPlainTextEdit* m_comment = nullptr;
};

}  // namespace elix

// "Source Configuration": the source list's editor. Name and location,
// the longitudinal and shear modes with their time functions (Detail per
// kind), durations and apodizations, the time delay, signal type, point
// source, void backing, the receivers a source owns (Pulse Echo, Through
// Transmisson), the array with its two dialogs, the wedge, and the list
// buttons.
#pragma once

#include <QDialog>
#include <string>

#include "engine/time_functions.h"
#include "model/source_editor.h"
#include "model/source_receiver_fields.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace elix {

class CItemEditorButtons;

class CSourceConfigurationDlg : public QDialog {
    Q_OBJECT
public:
    // waveformFolder: where "Change User File" starts.
    CSourceConfigurationDlg(CElixDoc& doc, std::string waveformFolder, QWidget* parent = nullptr);

    CSourceEditor& Editor() { return m_editor; }

    // One excitation component: its box (the mode flag), time function,
    // Detail button, duration and apodization.
    struct Mode {
        QGroupBox* box = nullptr;
        QComboBox* function = nullptr;
        QPushButton* detail = nullptr;
        QLineEdit* duration = nullptr;
        QComboBox* apodization = nullptr;
        TimeFunctionSpec timeFunction;
        const char* component = "";  // "Longitudinal" or "Shear"
    };

    QLineEdit* name;
    QLabel* itemCount;
    LocationWidgets location;
    QPushButton* advanced;
    Mode longitudinal;
    Mode shear;
    QLineEdit* timeDelay;
    QComboBox* signalType;
    QCheckBox* pointSource;
    QCheckBox* voidBacking;
    QCheckBox* pulseEcho;
    QCheckBox* throughTransmission;
    QCheckBox* sourceArray;
    QPushButton* arrayConfiguration;
    QPushButton* arrayTimeDelay;
    QGroupBox* wedge;  // "Source on Wedge"
    QComboBox* wedgeLocation;
    QLineEdit* wedgeSize;
    QLineEdit* wedgeOffset;
    QLineEdit* wedgeTheta;
    QLineEdit* wedgeGray;
    QCheckBox* flipWedge;
    CItemEditorButtons* buttons;

private:
    void CreateMode(Mode& mode, const QString& title);
    // Takes the fields (all but the location) into a copy of the buffer;
    // false after a range message, the buffer untouched.
    bool TakeFields(CSource& record, LocationFields& fields);
    bool TakeIntoBuffer(LocationFields& fields);
    void ShowRecord(const CSource& record);
    void ShowMode(Mode& mode, const std::string& function, float duration);
    void KindChosen(Mode& mode);
    void OpenDetail(Mode& mode);
    void OpenAdvanced();
    void OpenArrayConfiguration();
    void OpenArrayTimeDelay();
    void SetPulseEcho(bool on);
    void SetThroughTransmission(bool on);
    void UpdateEnabled();
    // Runs a list action after taking the fields; on success the geometry
    // is reloaded (wedges and backings painted) and the views redrawn.
    void Act(bool (CSourceEditor::*action)(const LocationFields&));
    void Refresh();
    FieldReport Reporter();

    CElixDoc& m_doc;
    std::string m_waveformFolder;
    ModelExtent m_model;
    CSourceEditor m_editor;
};

}  // namespace elix

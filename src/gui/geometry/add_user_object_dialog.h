// "Add User Object" (Geometry > Add User Object): a polygon or polyline
// read from a text file of x y pairs, turned by Theta about its first
// point, scaled and offset. "Thickness (mm)" applies to an open polyline
// only, so it is enabled while "Closed Area" is off.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "geometry/paint_dialog.h"

class QCheckBox;

namespace elix {

class CAddUserObjectDlg : public CPaintDialog {
    Q_OBJECT
public:
    // chooseFile shows the file chooser of "Object File" (nothing: cancelled).
    CAddUserObjectDlg(const AddUserObjectValues& values, std::function<std::optional<std::string>()> chooseFile,
                      FieldReport report, QWidget* parent = nullptr);

    // After OK: metres and degrees.
    AddUserObjectValues Values() const { return m_values; }

    QPushButton* objectFileButton;
    QLabel* objectFileName;
    QCheckBox* closedArea;
    QLineEdit* thickness;
    QLineEdit* theta;
    QLineEdit* xOffset;
    QLineEdit* yOffset;
    QLineEdit* xScale;
    QLineEdit* yScale;

protected:
    void TakeShape() override;

private:
    std::function<std::optional<std::string>()> m_chooseFile;
    AddUserObjectValues m_values;
};

}  // namespace elix

// What the Add dialogs (rectangle, ellipse, layer, user object) share: the
// shape's own fields above, then "Gray Level", the target range, the
// "&Repeat" button with the repeat grid in words, and OK / Cancel. A
// subclass adds its fields to ShapeForm() and takes them in TakeShape.
#pragma once

#include <QDialog>

#include "geometry/geometry_fields.h"

class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace elix {

class CPaintDialog : public QDialog {
    Q_OBJECT
public:
    QLineEdit* grayLevel = nullptr;
    TargetRangeFields target{};
    QPushButton* repeatButton = nullptr;
    QLabel* repeatSummary = nullptr;

    const RepeatValues& Repeat() const { return m_repeat; }

    void accept() override;

protected:
    CPaintDialog(const QString& title, const PaintTarget& paintTarget, const RepeatValues& repeat, FieldReport report,
                 QWidget* parent);
    // Adds the rows below the shape's fields; call at the end of the
    // subclass's constructor.
    void FinishLayout();
    QFormLayout* ShapeForm() const { return m_shapeForm; }
    CNumberFields& Fields() { return m_fields; }
    PaintTarget TakenTarget() const;
    // Moves the checked fields into the subclass's values.
    virtual void TakeShape() = 0;

private:
    CNumberFields m_fields;
    FieldReport m_report;
    QFormLayout* m_shapeForm;
    PaintTarget m_target;
    RepeatValues m_repeat;
};

}  // namespace elix

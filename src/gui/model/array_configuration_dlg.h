// The array editor of sources and receivers ("Source Array Configuration",
// "Receiver Array Configuration"): element grouping, element size and
// spacing, the delay law (Automatic: focal length and deflection angle;
// Manual: a0..a4), the region gray level and, for sources, whether the
// excitation direction follows the law point by point.
#pragma once

#include <QDialog>
#include <array>
#include <cstdint>

#include "model/field_range.h"
#include "model/source.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace elix {

class CArrayConfigurationDlg : public QDialog {
    Q_OBJECT
public:
    // arrayLength: the item's segment length, m. forSource adds the
    // excitation-direction box.
    CArrayConfigurationDlg(const QString& title, const ArrayElementBlock& element, const ArrayFocusingBlock& focusing,
                           std::uint8_t curveArrayFlags, double arrayLength, bool forSource, FieldReport report,
                           QWidget* parent = nullptr);

    const ArrayElementBlock& Element() const { return m_element; }
    const ArrayFocusingBlock& Focusing() const { return m_focusing; }
    // The flags with the excitation-direction bit as the box says.
    std::uint8_t CurveArrayFlags() const { return m_flags; }

    QCheckBox* grouping;
    QLineEdit* elementSize;
    QLineEdit* elementSpacing;
    QCheckBox* delayLaw;
    QRadioButton* automatic;
    QRadioButton* manual;
    QLineEdit* focalLength;
    QLineEdit* deflection;
    std::array<QLineEdit*, 5> a{};
    QLineEdit* regionGray;
    QCheckBox* pointDirection = nullptr;

    void accept() override;

private:
    void UpdateEnabled();

    ArrayElementBlock m_element;
    ArrayFocusingBlock m_focusing;
    std::uint8_t m_flags;
    double m_length;
    FieldReport m_report;
};

}  // namespace elix

#include "model/source_receiver_fields.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <cmath>
#include <limits>

namespace elix {

QComboBox* NewApodizationBox(QWidget* parent) {
    auto* box = new QComboBox(parent);
    for (const char* name : {"Dirichlet", "Bartlett", "Hanning", "Hamming", "Blackmann", "Gaussian", "Uniform"})
        box->addItem(QString::fromUtf8(name));
    return box;
}

QComboBox* NewLocationBox(QWidget* parent, bool advanced) {
    auto* box = new QComboBox(parent);
    for (SideLocation side : {SideLocation::Left, SideLocation::Right, SideLocation::Top, SideLocation::Bottom})
        box->addItem(QString::fromUtf8(LocationName(side)));
    if (advanced) box->addItem(QString::fromUtf8(LocationName(SideLocation::Advanced)));
    return box;
}

QLineEdit* NewNumberEdit(QWidget* parent, double value) {
    QLineEdit* edit = NewNumberEdit(parent);
    SetNumber(edit, value);
    return edit;
}

bool TakeNumber(QLineEdit* edit, FieldRange range, const FieldReport& report, double& value) {
    // Text that is no number reads as NaN, which is outside every range.
    const double candidate = NumberOf(edit);
    if (!CheckFieldRange(candidate, range, report)) {
        edit->setFocus();
        edit->selectAll();
        return false;
    }
    value = candidate;
    return true;
}

bool TakeInteger(QLineEdit* edit, FieldRange range, const FieldReport& report, int& value) {
    double read = 0.0;
    if (!TakeNumber(edit, range, report, read)) return false;
    if (read != std::trunc(read)) {
        CheckFieldRange(std::numeric_limits<double>::quiet_NaN(), range, report);
        edit->setFocus();
        edit->selectAll();
        return false;
    }
    value = static_cast<int>(read);
    return true;
}

QHBoxLayout* NewNameRow(QWidget* parent, int minimumWidth, QLineEdit*& name, QLabel*& itemCount) {
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Name"), parent));
    name = new QLineEdit(parent);
    name->setMinimumWidth(minimumWidth);
    row->addWidget(name, 1);
    itemCount = new QLabel(parent);
    row->addWidget(itemCount);
    return row;
}

void SelectText(QComboBox* box, const std::string& text) {
    const QString q = QString::fromStdString(text);
    int index = box->findText(q);
    if (index < 0) {
        box->addItem(q);
        index = box->count() - 1;
    }
    box->setCurrentIndex(index);
}

std::string SelectedText(const QComboBox* box) { return box->currentText().toStdString(); }

void LocationWidgets::Create(QWidget* parent, QGridLayout* grid, int row, bool advanced) {
    location = NewLocationBox(parent, advanced);
    size = NewNumberEdit(parent);
    offset = NewNumberEdit(parent);
    grid->addWidget(new QLabel(QStringLiteral("Location"), parent), row, 0);
    grid->addWidget(location, row, 1);
    grid->addWidget(new QLabel(QStringLiteral("Size (mm)"), parent), row + 1, 0);
    grid->addWidget(size, row + 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Center Offset (mm)"), parent), row + 2, 0);
    grid->addWidget(offset, row + 2, 1);
}

void LocationWidgets::Show(const LocationFields& fields) {
    location->setCurrentText(QString::fromUtf8(LocationName(fields.location)));
    ShowNumber(size, fields.sizeMm);
    ShowNumber(offset, fields.offsetMm);
}

bool LocationWidgets::Take(const FieldReport& report, LocationFields& fields) const {
    LocationFields taken;
    taken.location = ParseLocation(SelectedText(location)).value_or(SideLocation::Advanced);
    if (!TakeNumber(size, kSizeRange, report, taken.sizeMm)) return false;
    if (!TakeNumber(offset, kOffsetRange, report, taken.offsetMm)) return false;
    fields = taken;
    return true;
}

void EndPointWidgets::Create(QWidget* parent, QGridLayout* grid, int row) {
    x1 = NewNumberEdit(parent);
    y1 = NewNumberEdit(parent);
    x2 = NewNumberEdit(parent);
    y2 = NewNumberEdit(parent);
    const struct {
        const char* label;
        QLineEdit* edit;
        int row, column;
    } cells[] = {{"X Start (mm)", x1, 0, 0}, {"Y Start (mm)", y1, 0, 2}, {"X End (mm)", x2, 1, 0},
                 {"Y End (mm)", y2, 1, 2}};
    for (const auto& cell : cells) {
        grid->addWidget(new QLabel(QString::fromUtf8(cell.label), parent), row + cell.row, cell.column);
        grid->addWidget(cell.edit, row + cell.row, cell.column + 1);
    }
}

void EndPointWidgets::Show(const EndPointFields& fields) {
    ShowNumber(x1, fields.x1Mm);
    ShowNumber(y1, fields.y1Mm);
    ShowNumber(x2, fields.x2Mm);
    ShowNumber(y2, fields.y2Mm);
}

bool EndPointWidgets::Take(const FieldReport& report, EndPointFields& fields) const {
    EndPointFields taken;
    if (!TakeNumber(x1, kCoordinateRange, report, taken.x1Mm)) return false;
    if (!TakeNumber(y1, kCoordinateRange, report, taken.y1Mm)) return false;
    if (!TakeNumber(x2, kCoordinateRange, report, taken.x2Mm)) return false;
    if (!TakeNumber(y2, kCoordinateRange, report, taken.y2Mm)) return false;
    fields = taken;
    return true;
}

}  // namespace elix

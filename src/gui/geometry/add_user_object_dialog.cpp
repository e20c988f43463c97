#include "geometry/add_user_object_dialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace elix {

namespace {
// Scales multiply the file's numbers into metres: any finite factor.
constexpr FieldRange kScaleRange = kAnyRange;

QString ShownFileName(const std::string& path) {
    return path.empty() ? QStringLiteral("(no file chosen)") : QString::fromStdString(path);
}
}  // namespace

CAddUserObjectDlg::CAddUserObjectDlg(const AddUserObjectValues& values,
                                     std::function<std::optional<std::string>()> chooseFile, FieldReport report,
                                     QWidget* parent)
    : CPaintDialog(QStringLiteral("Add User Object"), values.target, values.repeat, std::move(report), parent),
      m_chooseFile(std::move(chooseFile)), m_values(values) {
    QFormLayout* form = ShapeForm();
    objectFileButton = new QPushButton(QStringLiteral("Object File"), this);
    objectFileButton->setAutoDefault(false);
    objectFileName = new QLabel(ShownFileName(values.objectFile), this);
    objectFileName->setWordWrap(true);
    objectFileName->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(objectFileButton);
    fileRow->addStretch(1);
    form->addRow(fileRow);
    form->addRow(objectFileName);
    closedArea = new QCheckBox(QStringLiteral("Closed Area"), this);
    closedArea->setChecked(values.closedArea);
    form->addRow(closedArea);
    thickness = Fields().Add(form, QStringLiteral("Thickness (mm)"), values.thickness * 1000.0, kNonNegativeRange);
    theta = Fields().Add(form, QStringLiteral("Theta (Deg.)"), values.thetaDegrees, kThetaRange);
    xOffset = Fields().Add(form, QStringLiteral("X Offset (mm)"), values.xOffset * 1000.0, kAnyRange);
    yOffset = Fields().Add(form, QStringLiteral("Y Offset (mm)"), values.yOffset * 1000.0, kAnyRange);
    xScale = Fields().Add(form, QStringLiteral("X Scale"), values.xScale, kScaleRange);
    yScale = Fields().Add(form, QStringLiteral("Y Scale"), values.yScale, kScaleRange);
    thickness->setEnabled(!values.closedArea);
    connect(closedArea, &QCheckBox::toggled, this, [this](bool closed) { thickness->setEnabled(!closed); });
    connect(objectFileButton, &QPushButton::clicked, this, [this] {
        if (!m_chooseFile) return;
        if (const std::optional<std::string> path = m_chooseFile()) {
            m_values.objectFile = *path;
            objectFileName->setText(ShownFileName(*path));
        }
    });
    FinishLayout();
}

void CAddUserObjectDlg::TakeShape() {
    m_values.closedArea = closedArea->isChecked();
    m_values.thickness = CNumberFields::Value(thickness) / 1000.0;
    m_values.thetaDegrees = CNumberFields::Value(theta);
    m_values.xOffset = CNumberFields::Value(xOffset) / 1000.0;
    m_values.yOffset = CNumberFields::Value(yOffset) / 1000.0;
    m_values.xScale = CNumberFields::Value(xScale);
    m_values.yScale = CNumberFields::Value(yScale);
    m_values.target = TakenTarget();
    m_values.repeat = Repeat();
}

}  // namespace elix

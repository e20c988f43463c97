#include "view/play_control_dlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <limits>

#include "model/elix_doc.h"
#include "model/field_range.h"

namespace elix {
namespace {

// Steps are 32-bit signed and never negative.
constexpr FieldRange kStepRange{0.0, static_cast<double>(std::numeric_limits<std::int32_t>::max())};

}  // namespace

CPlayControlDlg::CPlayControlDlg(CElixDoc& doc, const std::string& folder, const PlaybackSetup& setup,
                                 QWidget* parent)
    : QDialog(parent), m_doc(doc), m_control(MakeDocumentPlayControl(doc, folder, setup)) {
    setWindowTitle(QStringLiteral("Play Control"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_stepField = new QLineEdit(this);
    m_timeField = new QLineEdit(this);
    m_timeField->setReadOnly(true);
    m_lastStepField = new QLineEdit(this);
    for (QLineEdit* field : {m_stepField, m_timeField, m_lastStepField}) {
        field->setAlignment(Qt::AlignRight);
        field->setMinimumWidth(110);
    }
    form->addRow(QStringLiteral("Step"), m_stepField);
    form->addRow(QStringLiteral("Time (ns)"), m_timeField);
    form->addRow(QStringLiteral("Last Step"), m_lastStepField);
    layout->addLayout(form);

    // The transport row: first, backwards, pause, forwards, last; then one
    // step back and forth.
    auto* transport = new QHBoxLayout;
    auto add = [&](const QString& text, const QString& tip, auto action) {
        auto* button = new QPushButton(text, this);
        button->setToolTip(tip);
        button->setAutoDefault(false);
        button->setMinimumWidth(36);
        connect(button, &QPushButton::clicked, this, action);
        transport->addWidget(button);
        m_buttons.append(button);
    };
    add(QStringLiteral("|<"), QStringLiteral("Go to the first frame"), [this] { SetMode(PlayMode::ToFirst); });
    add(QStringLiteral("<"), QStringLiteral("Play backwards"), [this] { SetMode(PlayMode::Backwards); });
    add(QStringLiteral("||"), QStringLiteral("Pause"), [this] { SetMode(PlayMode::Paused); });
    add(QStringLiteral(">"), QStringLiteral("Play forwards"), [this] { SetMode(PlayMode::Forwards); });
    add(QStringLiteral(">|"), QStringLiteral("Go to the last frame"), [this] { SetMode(PlayMode::ToLast); });
    transport->addSpacing(12);
    add(QStringLiteral("-"), QStringLiteral("One frame back"), [this] {
        if (!ReadFields()) return;
        m_control.StepBackwardButton();
        ShowFields();
    });
    add(QStringLiteral("+"), QStringLiteral("One frame on"), [this] {
        if (!ReadFields()) return;
        m_control.StepForwardButton();
        ShowFields();
    });
    layout->addLayout(transport);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* exit = buttons->addButton(QStringLiteral("E&xit"), QDialogButtonBox::RejectRole);
    m_buttons.append(exit);
    connect(buttons, &QDialogButtonBox::rejected, this, [this] {
        m_timer.stop();
        reject();
    });
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    ShowFields();
    connect(&m_timer, &QTimer::timeout, this, &CPlayControlDlg::Tick);
    m_timer.start(kTimerInterval);
    if (!m_timer.isActive()) m_doc.ReportMessage("Unable to install a timer.", MessageStyle::Exclamation);
}

QPushButton* CPlayControlDlg::Button(const QString& text) const {
    for (QPushButton* button : m_buttons)
        if (button->text() == text) return button;
    return nullptr;
}

bool CPlayControlDlg::ReadFields() {
    const FieldReport report = [this](const std::string& text, MessageStyle style) {
        return m_doc.ReportMessage(text, style);
    };
    for (QLineEdit* field : {m_stepField, m_lastStepField}) {
        bool ok = false;
        const int value = field->text().trimmed().toInt(&ok);
        if (!CheckFieldRange(ok ? value : std::numeric_limits<double>::quiet_NaN(), kStepRange, report)) {
            field->setFocus();
            field->selectAll();
            return false;
        }
    }
    m_control.SetStep(m_stepField->text().trimmed().toInt());
    m_control.SetLastStep(m_lastStepField->text().trimmed().toInt());
    return true;
}

void CPlayControlDlg::ShowFields() {
    m_stepField->setText(QString::number(m_control.Step()));
    m_timeField->setText(QString::number(m_control.TimeNs()));
    m_lastStepField->setText(QString::number(m_control.LastStep()));
}

void CPlayControlDlg::SetMode(PlayMode mode) {
    if (!ReadFields()) return;
    m_control.SetMode(mode);
}

void CPlayControlDlg::Tick() {
    if (m_control.Mode() == PlayMode::Paused) return;
    m_control.OnTimer();
    ShowFields();
}

}  // namespace elix

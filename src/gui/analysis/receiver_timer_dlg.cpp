#include "analysis/receiver_timer_dlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>
#include <cmath>

#include "analysis/plot_painter.h"
#include "app/help_system.h"
#include "engine/run.h"
#include "model/elix_doc.h"
#include "platform/text_format.h"

namespace elix {
namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

CReceiverTimerDlg::CReceiverTimerDlg(CElixDoc& doc, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_timer(doc.plotData[kReceiverPlot], doc.Receivers().Count()) {
    setWindowTitle(QStringLiteral("Receiver Timer"));
    auto newLabel = [this](const char* name) {
        auto* label = new QLabel(this);
        label->setObjectName(QString::fromUtf8(name));
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        return label;
    };
    m_signal = newLabel("signal");
    m_reference = newLabel("reference");
    m_signal->setMinimumWidth(320);
    m_distance = newLabel("distance");
    const char* delayNames[] = {"thresholdDelay", "firstPeakDelay", "maxPeakDelay"};
    const char* velocityNames[] = {"thresholdVelocity", "firstPeakVelocity", "maxPeakVelocity"};
    for (int k = 0; k < 3; ++k) {
        m_delays[k] = newLabel(delayNames[k]);
        m_velocities[k] = newLabel(velocityNames[k]);
    }
    m_message = newLabel("message");
    m_message->setWordWrap(true);

    auto button = [this](const char* text, auto action) {
        auto* b = new QPushButton(QString::fromUtf8(text), this);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, action);
        return b;
    };

    auto* curves = new QGroupBox(QStringLiteral("Curves"), this);
    auto* grid = new QGridLayout(curves);
    grid->addWidget(m_signal, 0, 0);
    grid->addWidget(button("P&revious", [this] { Move([this] { m_timer.PreviousSignal(); }); }), 0, 1);
    grid->addWidget(button("N&ext", [this] { Move([this] { m_timer.NextSignal(); }); }), 0, 2);
    grid->addWidget(m_reference, 1, 0);
    grid->addWidget(button("&Previous", [this] { Move([this] { m_timer.PreviousReference(); }); }), 1, 1);
    grid->addWidget(button("&Next", [this] { Move([this] { m_timer.NextReference(); }); }), 1, 2);
    m_threshold = new QLineEdit(Q(Format("%g", m_timer.Threshold())), this);
    m_threshold->setMaximumWidth(80);
    auto* thresholdRow = new QHBoxLayout;
    thresholdRow->addWidget(new QLabel(QStringLiteral("Threshold (% of first peak Amp.)"), this));
    thresholdRow->addWidget(m_threshold);
    thresholdRow->addStretch();
    grid->addLayout(thresholdRow, 2, 0);
    grid->addWidget(button("&Apply", [this] { Move([] {}); }), 2, 1);

    auto* results = new QGroupBox(QStringLiteral("Results"), this);
    auto* resultGrid = new QGridLayout(results);
    resultGrid->addWidget(m_distance, 0, 0, 1, 2);
    for (int k = 0; k < 3; ++k) {
        resultGrid->addWidget(m_delays[k], k + 1, 0);
        resultGrid->addWidget(m_velocities[k], k + 1, 1);
    }
    resultGrid->addWidget(m_message, 4, 0, 1, 2);
    resultGrid->setColumnMinimumWidth(0, 340);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("&Cancel"), QDialogButtonBox::RejectRole);
    QPushButton* print = buttons->addButton(QStringLiteral("&Print"), QDialogButtonBox::ActionRole);
    QPushButton* help = buttons->addButton(QStringLiteral("&Help"), QDialogButtonBox::HelpRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(print, &QPushButton::clicked, this, [this] { Print(); });
    connect(help, &QPushButton::clicked, this,
            [this] { ShowHelpPageOf(this); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(curves);
    layout->addWidget(results);
    layout->addWidget(buttons);
    Measure();
}

QLabel* CReceiverTimerDlg::Label(const char* which) const {
    return findChild<QLabel*>(QString::fromUtf8(which));
}

QPushButton* CReceiverTimerDlg::Button(const QString& text) const {
    for (QPushButton* b : findChildren<QPushButton*>())
        if (b->text() == text) return b;
    return nullptr;
}

bool CReceiverTimerDlg::TakeThreshold() {
    double percent = std::nan("");
    ParseDouble(m_threshold->text().trimmed().toStdString(), percent);
    const FieldReport report = [this](const std::string& text, MessageStyle style) {
        return m_doc.ReportMessage(text, style);
    };
    if (m_timer.SetThreshold(percent, report)) return true;
    m_threshold->setFocus();
    m_threshold->selectAll();
    return false;
}

void CReceiverTimerDlg::Move(const std::function<void()>& move) {
    if (!TakeThreshold()) return;
    move();
    Measure();
}

void CReceiverTimerDlg::Measure() {
    m_texts = m_timer.UpdateTimer();
    m_signal->setText(Q(m_texts.signalName));
    m_reference->setText(Q(m_texts.referenceName));
    m_distance->setText(Q(m_texts.distance));
    const std::string* delays[] = {&m_texts.thresholdDelay, &m_texts.firstPeakDelay, &m_texts.maxPeakDelay};
    const std::string* velocities[] = {&m_texts.thresholdVelocity, &m_texts.firstPeakVelocity,
                                       &m_texts.maxPeakVelocity};
    for (int k = 0; k < 3; ++k) {
        m_delays[k]->setText(Q(*delays[k]));
        m_velocities[k]->setText(Q(*velocities[k]));
    }
    QString message = Q(m_texts.message);
    if (message.startsWith(QLatin1Char('\n'))) message.remove(0, 1);
    m_message->setText(message);
    m_message->setVisible(!message.isEmpty());
}

void CReceiverTimerDlg::PaintResults(QPainter& painter) const {
    // Ten-point Arial, a line and a half apart, one inch from the corner.
    const double dpi = painter.device() ? painter.device()->logicalDpiY() : 96.0;
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(10.0 * dpi / 72.0))));
    painter.setFont(font);
    painter.setPen(Qt::black);
    const int margin = static_cast<int>(dpi);
    const int step = static_cast<int>(std::lround(15.0 * dpi / 72.0));
    int y = margin;
    painter.drawText(margin, y, QStringLiteral("Receiver Timer - %1").arg(Q(m_doc.Title())));
    y += 2 * step;
    for (const QString& line : Q(m_texts.Text()).split(QLatin1Char('\n'))) {
        painter.drawText(margin, y, line);
        y += step;
    }
}

void CReceiverTimerDlg::Print() {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) return;
    QPainter painter;
    if (!painter.begin(&printer)) {
        m_doc.ReportMessage("Unable to access the printer", MessageStyle::Exclamation);
        return;
    }
    PaintResults(painter);
}

}  // namespace elix

#include "model/array_time_delay_dlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "engine/array_time_delay.h"
#include "model/elix_doc.h"
#include "model/receiver_editor.h"
#include "model/source_receiver_fields.h"

namespace elix {

CArrayTimeDelayDlg::CArrayTimeDelayDlg(CElixDoc& doc, const CSource& source, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_front(source.frontDelay), m_back(source.backDelay) {
    setWindowTitle(QStringLiteral("Source Array Time Delay"));
    auto* layout = new QVBoxLayout(this);

    auto* settings = new QGroupBox(QStringLiteral("Zero Time"), this);
    auto* form = new QFormLayout(settings);
    preZeroTime = NewNumberEdit(settings, MicrosecondsFromSeconds(source.frontDelay));
    postZeroTime = NewNumberEdit(settings, MicrosecondsFromSeconds(source.backDelay));
    form->addRow(QStringLiteral("Pre. Zero Time (us)"), preZeroTime);
    form->addRow(QStringLiteral("Post Zero Time (us)"), postZeroTime);
    layout->addWidget(settings);

    auto* law = new QGroupBox(QStringLiteral("Computed from the Array Law"), this);
    auto* lawLayout = new QVBoxLayout(law);
    std::string text;
    SourceArrayTimeDelayReport(doc, source, text);  // on failure the text says why
    computed = new QLabel(QString::fromStdString(text), law);
    computed->setWordWrap(true);
    computed->setMinimumWidth(300);
    computed->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lawLayout->addWidget(computed);
    layout->addWidget(law);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CArrayTimeDelayDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void CArrayTimeDelayDlg::accept() {
    const FieldReport report = [this](const std::string& text, MessageStyle style) {
        return m_doc.ReportMessage(text, style);
    };
    double pre = 0.0, post = 0.0;
    if (!TakeNumber(preZeroTime, kTimeRange, report, pre)) return;
    if (!TakeNumber(postZeroTime, kTimeRange, report, post)) return;
    m_front = SecondsFromMicroseconds(pre);
    m_back = SecondsFromMicroseconds(post);
    QDialog::accept();
}

}  // namespace elix

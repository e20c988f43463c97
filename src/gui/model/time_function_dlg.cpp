#include "model/time_function_dlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "engine/waveform_file.h"
#include "model/elix_doc.h"
#include "model/receiver_editor.h"
#include "model/source_receiver_fields.h"
#include "platform/files.h"

namespace elix {
namespace {

constexpr const char* kWaveformFilter = "Waveform Files (*.wtf)|*.wtf|All Files (*.*)|*.*||";

QString Q(const std::string& text) { return QString::fromStdString(text); }

// The formula of a kind, with A the amplitude, f the frequency, a the
// shape, T the duration and tau the time since the start.
QString FormulaOf(TimeFunctionKind kind) {
    switch (kind) {
        case TimeFunctionKind::Fixed: return QStringLiteral("Holds the nodes at rest.");
        case TimeFunctionKind::None:
        case TimeFunctionKind::Zero: return QStringLiteral("No excitation.");
        case TimeFunctionKind::SineContinuous: return QStringLiteral("A sin(2\u03c0f\u03c4), without end");
        case TimeFunctionKind::SinePulse: return QStringLiteral("A sin(2\u03c0f\u03c4) for \u03c4 < T");
        case TimeFunctionKind::SineGaussianPulse:
            return QStringLiteral("A sin(2\u03c0f\u03c4) exp(\u2212((\u03c4 \u2212 T/2)/a)\u00b2)");
        case TimeFunctionKind::SineExponentialPulse:
            return QStringLiteral("A sin(2\u03c0f\u03c4) exp(\u2212|\u03c4/a|)");
        case TimeFunctionKind::SquarePulse: return QStringLiteral("A for \u03c4 < width");
        case TimeFunctionKind::GaussianPulse:
            return QStringLiteral("A exp(\u2212(8/T)\u00b2 (\u03c4 \u2212 T/2)\u00b2)");
        case TimeFunctionKind::SineSinePulse: return QStringLiteral("A sin(2\u03c0f\u03c4) sin(\u03c0\u03c4/T)");
        case TimeFunctionKind::SineCosinePulse:
            return QStringLiteral("A sin(2\u03c0f\u03c4) (1 + cos(2\u03c0\u03c4/T \u2212 \u03c0))/2");
        case TimeFunctionKind::User1:
        case TimeFunctionKind::User2:
        case TimeFunctionKind::File:
            return QStringLiteral("A w(\u03c4/T): the file's samples stretched over the duration T");
    }
    return {};
}

}  // namespace

CTimeFunctionDlg::CTimeFunctionDlg(CElixDoc& doc, std::string waveformFolder, const std::string& component,
                                   const TimeFunctionSpec& function, double durationSeconds, QWidget* parent)
    : QDialog(parent),
      m_doc(doc),
      m_waveformFolder(std::move(waveformFolder)),
      m_function(function),
      m_duration(durationSeconds) {
    setWindowTitle(Q(component + " Time Function: " + TimeFunctionKindName(function.kind)));
    auto* layout = new QVBoxLayout(this);
    auto* kindLabel = new QLabel(QString::fromUtf8(TimeFunctionKindName(function.kind)), this);
    QFont bold = kindLabel->font();
    bold.setBold(true);
    kindLabel->setFont(bold);
    auto* formula = new QLabel(FormulaOf(function.kind), this);
    formula->setTextFormat(Qt::PlainText);
    layout->addWidget(kindLabel);
    layout->addWidget(formula);
    layout->addSpacing(4);

    const auto fields = TimeFunctionFieldsOf(function.kind);
    auto* parameters = new QGroupBox(QStringLiteral("Parameters"), this);
    auto* form = new QFormLayout(parameters);
    const TimeFunctionDetail shown = ShowTimeFunctionDetail(function, durationSeconds);
    for (TimeFunctionField field : fields) {
        double value = 0.0;
        switch (field) {
            case TimeFunctionField::Amplitude: value = shown.amplitude; break;
            case TimeFunctionField::Frequency: value = shown.frequencyMHz; break;
            case TimeFunctionField::Shape:
            case TimeFunctionField::Width: value = shown.shapeUs; break;
            case TimeFunctionField::Cycles: value = shown.cycles; break;
        }
        QLineEdit* edit = NewNumberEdit(parameters, value);
        m_fields[field] = edit;
        form->addRow(QString::fromUtf8(TimeFunctionFieldLabel(field)), edit);
    }
    if (fields.empty()) form->addRow(new QLabel(QStringLiteral("This time function has no parameters."), parameters));
    layout->addWidget(parameters);

    if (UsesWaveformFile(function.kind)) {
        auto* file = new QGroupBox(QStringLiteral("Waveform File"), this);
        auto* fileLayout = new QVBoxLayout(file);
        m_fileLabel = new QLabel(file);
        m_fileLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
        m_comment = new QPlainTextEdit(file);
        m_comment->setReadOnly(true);
        m_comment->setMinimumSize(320, 90);
        m_change = new QPushButton(QStringLiteral("Change User File"), file);
        m_change->setAutoDefault(false);
        auto* row = new QHBoxLayout;
        row->addWidget(m_fileLabel, 1);
        row->addWidget(m_change);
        fileLayout->addLayout(row);
        fileLayout->addWidget(m_comment);
        layout->addWidget(file);
        if (function.kind == TimeFunctionKind::User1) m_userFile = doc.job.UserFile1;
        if (function.kind == TimeFunctionKind::User2) m_userFile = doc.job.UserFile2;
        ShowWaveform(function.kind == TimeFunctionKind::File ? function.path : m_userFile);
        connect(m_change, &QPushButton::clicked, this, [this] { ChangeUserFile(); });
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CTimeFunctionDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

QLineEdit* CTimeFunctionDlg::Field(TimeFunctionField field) const {
    const auto it = m_fields.find(field);
    return it == m_fields.end() ? nullptr : it->second;
}

void CTimeFunctionDlg::ShowWaveform(const std::string& name) {
    m_fileLabel->setText(name.empty() ? QStringLiteral("(no file chosen)") : Q(name));
    CWaveformTable table;
    const std::string path = ResolveModelRelativePath(m_doc.PathName(), name);
    const WaveformStatus status = name.empty() ? WaveformStatus::CannotOpen : ReadWaveformFile(path, table);
    if (status != WaveformStatus::Ok) {
        m_comment->setPlainText(name.empty() ? QString() : Q(WaveformFileMessage(status, path)));
        return;
    }
    m_comment->setPlainText(table.comment.empty() ? QString::fromUtf8(kNoWaveformComment) : Q(table.comment));
}

void CTimeFunctionDlg::ChangeUserFile() {
    FileChooserRequest request;
    request.title = "Change User File";
    request.filter = kWaveformFilter;
    request.defaultExtension = "wtf";
    request.startFolder = m_waveformFolder;
    request.fileMustExist = true;
    IUserInterface* ui = m_doc.UserInterface();
    if (!ui) return;
    const auto chosen = ui->ChooseFileToOpen(request);
    if (!chosen) return;
    // The file must read as a waveform before anything changes.
    CWaveformTable table;
    const WaveformStatus status = ReadWaveformFile(*chosen, table);
    if (status != WaveformStatus::Ok) {
        m_doc.ReportMessage(WaveformFileMessage(status, *chosen), MessageStyle::Exclamation);
        return;
    }
    const std::string name = NameRelativeToModel(m_doc.PathName(), *chosen);
    if (m_function.kind == TimeFunctionKind::File)
        m_function.path = name;
    else
        m_userFile = name;
    ShowWaveform(name);
}

void CTimeFunctionDlg::accept() {
    const FieldReport report = [this](const std::string& text, MessageStyle style) {
        return m_doc.ReportMessage(text, style);
    };
    TimeFunctionDetail detail = ShowTimeFunctionDetail(m_function, m_duration);
    const struct {
        TimeFunctionField field;
        double* value;
    } reads[] = {
        {TimeFunctionField::Amplitude, &detail.amplitude}, {TimeFunctionField::Frequency, &detail.frequencyMHz},
        {TimeFunctionField::Shape, &detail.shapeUs},       {TimeFunctionField::Width, &detail.shapeUs},
        {TimeFunctionField::Cycles, &detail.cycles},
    };
    for (const auto& read : reads) {
        QLineEdit* edit = Field(read.field);
        if (edit && !TakeNumber(edit, TimeFunctionFieldRange(read.field), report, *read.value)) return;
    }
    TimeFunctionSpec function = m_function;
    double duration = m_duration;
    if (!TakeTimeFunctionDetail(detail, function, duration, report)) return;
    m_function = function;
    m_duration = duration;
    std::string& jobFile = m_function.kind == TimeFunctionKind::User1 ? m_doc.job.UserFile1 : m_doc.job.UserFile2;
    if ((m_function.kind == TimeFunctionKind::User1 || m_function.kind == TimeFunctionKind::User2) &&
        jobFile != m_userFile) {
        jobFile = m_userFile;
        m_doc.SetModifiedFlag();
    }
    QDialog::accept();
}

}  // namespace elix

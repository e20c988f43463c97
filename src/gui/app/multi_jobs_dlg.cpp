#include "app/multi_jobs_dlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QThread>
#include <QVBoxLayout>

#include "app/batch_jobs.h"
#include "app/help_system.h"
#include "app/main_frame.h"
#include "engine/run.h"
#include "model/elix_doc.h"
#include "platform/text_format.h"

namespace elix {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

// The window that shows the job running: its number, its model, the run's
// progress text and bar, and the pause and stop controls.
class CBatchProgressDlg : public QDialog {
public:
    explicit CBatchProgressDlg(QWidget* parent) : QDialog(parent) {
        setWindowTitle(QStringLiteral("Running Multi Jobs"));
        setObjectName(QStringLiteral("CBatchProgressDlg"));
        m_job = new QLabel(this);
        QFont bold = m_job->font();
        bold.setBold(true);
        m_job->setFont(bold);
        m_model = new QLabel(this);
        m_model->setTextInteractionFlags(Qt::TextSelectableByMouse);
        m_text = new QLabel(this);
        m_bar = new QProgressBar(this);
        m_bar->setMinimumWidth(420);
        m_pause = new QPushButton(QStringLiteral("&Pause"), this);
        auto* stop = new QPushButton(QStringLiteral("&Stop"), this);
        m_pause->setAutoDefault(false);
        stop->setAutoDefault(false);
        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        buttons->addWidget(m_pause);
        buttons->addWidget(stop);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(m_job);
        layout->addWidget(m_model);
        layout->addWidget(m_bar);
        layout->addWidget(m_text);
        layout->addLayout(buttons);
        connect(m_pause, &QPushButton::clicked, this, [this] {
            if (monitor.Paused())
                monitor.Resume();
            else
                monitor.Pause();
            m_pause->setText(QString::fromUtf8(monitor.ButtonLabel()));
        });
        connect(stop, &QPushButton::clicked, this, [this] {
            monitor.Resume();
            monitor.Stop();
        });
    }

    void ShowJob(const BatchJobInfo& job) {
        m_job->setText(Q(job.statusText));
        m_model->setText(Q(job.path));
        m_text->setText(QStringLiteral("Preparing the model..."));
        m_bar->setValue(0);
        m_pause->setText(QStringLiteral("&Pause"));
    }

    // The run's monitor: progress into the window, window events handled
    // between steps (at most every 50 ms) and while paused.
    class Monitor : public IRunMonitor {
    public:
        explicit Monitor(CBatchProgressDlg& window) : m_window(window) { m_sinceEvents.start(); }
        void Progress(int step, int totalSteps, const std::string& text) override {
            if (m_sinceEvents.elapsed() < 50 && step < totalSteps) return;
            m_window.m_bar->setMaximum(std::max(1, totalSteps));
            m_window.m_bar->setValue(step);
            m_window.m_text->setText(Q(text));
            QApplication::processEvents();
            m_sinceEvents.restart();
        }
        void WhilePaused() override {
            QApplication::processEvents(QEventLoop::AllEvents, 10);
            QThread::msleep(10);
        }

    private:
        CBatchProgressDlg& m_window;
        QElapsedTimer m_sinceEvents;
    };
    Monitor monitor{*this};

private:
    QLabel* m_job = nullptr;
    QLabel* m_model = nullptr;
    QLabel* m_text = nullptr;
    QProgressBar* m_bar = nullptr;
    QPushButton* m_pause = nullptr;
};

// The panel's side of a batch: the progress window for each job and its
// number in the main window's status bar.
class PanelBatchObserver : public IBatchObserver {
public:
    PanelBatchObserver(CMainFrame& frame, CBatchProgressDlg& window) : m_frame(frame), m_window(window) {}
    // The window appears with the first job (after the ready question) and
    // goes before the finished question.
    IRunMonitor& MonitorFor(const BatchJobInfo& job, CElixDoc& /*doc*/) override {
        if (!m_window.isVisible()) m_window.show();
        m_window.ShowJob(job);
        m_frame.statusBar()->showMessage(Q(job.statusText));
        QApplication::processEvents();
        return m_window.monitor;
    }
    void JobEnded(const BatchJobInfo& job, const CElixDoc& /*doc*/, BatchJobResult /*result*/) override {
        if (job.number == job.count) m_window.hide();
    }

private:
    CMainFrame& m_frame;
    CBatchProgressDlg& m_window;
};

}  // namespace

CMultiJobsDlg::CMultiJobsDlg(CMainFrame& frame) : QDialog(&frame), m_frame(frame) {
    setWindowTitle(QStringLiteral("Multi Jobs Control Panel"));
    setObjectName(QStringLiteral("CMultiJobsDlg"));
    chooseFiles = [this](const FileChooserRequest& request) {
        std::vector<std::string> files;
        const QStringList chosen = QFileDialog::getOpenFileNames(this, Q(request.title), Q(request.startFolder),
                                                                 QtFileFilter(request.filter));
        for (const QString& file : chosen) files.push_back(file.toStdString());
        return files;
    };

    auto* rows = new QGridLayout;
    rows->setColumnStretch(2, 1);
    rows->addWidget(new QLabel(QStringLiteral("No."), this), 0, 0);
    rows->addWidget(new QLabel(QStringLiteral("Mark"), this), 0, 1);
    rows->addWidget(new QLabel(QStringLiteral("Model file"), this), 0, 2);
    for (int k = 0; k < CJobList::kRowsPerPage; ++k) {
        const auto i = static_cast<std::size_t>(k);
        m_numbers[i] = new QLabel(this);
        m_numbers[i]->setMinimumWidth(QFontMetrics(font()).horizontalAdvance(QStringLiteral("128")) + 6);
        m_numbers[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_checks[i] = new QCheckBox(this);
        m_paths[i] = new QLineEdit(this);
        m_paths[i]->setMinimumWidth(520);
        rows->addWidget(m_numbers[i], k + 1, 0);
        rows->addWidget(m_checks[i], k + 1, 1);
        rows->addWidget(m_paths[i], k + 1, 2);
    }
    m_status = new QLabel(this);
    m_status->setFrameShape(QFrame::StyledPanel);
    m_status->setMargin(4);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto button = [this](const char* text, auto action) {
        auto* b = new QPushButton(QString::fromUtf8(text), this);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, action);
        m_buttons.push_back(b);
        return b;
    };
    IUserInterface& ui = frame.UserInterface();
    auto* side = new QVBoxLayout;
    side->addWidget(button("&Up", [this] {
        StoreRows();
        m_list.Up();
        ShowRows();
    }));
    side->addWidget(button("&Down", [this] {
        StoreRows();
        m_list.Down();
        ShowRows();
    }));
    side->addSpacing(12);
    side->addWidget(button("&Add Files", [this] { AddFiles(); }));
    side->addWidget(button("Del Selected", [this, &ui] {
        StoreRows();
        m_list.DeleteSelected(ui);
        ShowRows();
    }));
    side->addWidget(button("Delete All", [this, &ui] {
        m_list.DeleteAll(ui);
        ShowRows();
    }));
    side->addSpacing(12);
    side->addWidget(button("&Load", [this, &ui] {
        m_list.Load(ui, StartFolder());
        ShowRows();
    }));
    side->addWidget(button("&Save", [this, &ui] {
        m_list.Save(ui, StartFolder());
        ShowRows();
    }));
    side->addWidget(button("Save As", [this, &ui] {
        m_list.SaveAs(ui, StartFolder());
        ShowRows();
    }));
    side->addStretch();
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(button("&Run", [this] {
        m_run = true;
        accept();
    }));
    bottom->addWidget(button("&Cancel", [this] { reject(); }));
    bottom->addWidget(button("&Help", [this] { ShowHelp(); }));

    auto* left = new QVBoxLayout;
    left->addLayout(rows);
    left->addWidget(m_status);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(bottom);
    ShowRows();
}

QPushButton* CMultiJobsDlg::Button(const QString& text) const {
    for (QPushButton* b : m_buttons)
        if (b->text() == text) return b;
    return nullptr;
}

std::string CMultiJobsDlg::StartFolder() const {
    return m_frame.Directories()[DirectoryKind::Model];
}

void CMultiJobsDlg::ShowRows() {
    const std::vector<CJobList::Row> shown = m_list.ShownRows();
    for (std::size_t k = 0; k < m_paths.size(); ++k) {
        const bool used = k < shown.size();
        m_numbers[k]->setText(used ? QString::number(m_list.FirstShown() + static_cast<int>(k) + 1) : QString());
        m_checks[k]->setChecked(used && shown[k].marked);
        m_paths[k]->setText(used ? Q(shown[k].path) : QString());
        m_checks[k]->setEnabled(used);
        m_paths[k]->setEnabled(used);
    }
    m_status->setText(Q(m_list.StatusText()));
}

void CMultiJobsDlg::StoreRows() {
    std::vector<CJobList::Row> rows;
    for (std::size_t k = 0; k < m_paths.size(); ++k)
        rows.push_back({m_paths[k]->text().toStdString(), m_checks[k]->isChecked()});
    m_list.StoreRows(rows);
}

void CMultiJobsDlg::AddFiles() {
    const std::vector<std::string> files = chooseFiles(AddJobsRequest(StartFolder()));
    if (!files.empty()) m_list.AddFiles(files, m_frame.UserInterface());
    ShowRows();
}

void CMultiJobsDlg::ShowHelp() { HelpSystemOf(m_frame).ShowHelpFor(this); }

void OpenMultiJobsPanel(CMainFrame& frame) {
    CMultiJobsDlg panel(frame);
    if (panel.exec() != QDialog::Accepted || !panel.RunChosen() || panel.List().Empty()) return;
    const std::vector<std::string> jobs = panel.List().Paths();
    const std::string logPath = frame.Paths().logFile;

    CBatchProgressDlg progress(&frame);
    PanelBatchObserver observer(frame, progress);
    const MultiJobsOutcome outcome = RunMultiJobs(jobs, logPath, frame.UserInterface(), observer);
    progress.hide();
    frame.statusBar()->showMessage(QStringLiteral("Ready"));
    if (outcome.openLog && (!frame.openExternalFile || !frame.openExternalFile(logPath)))
        frame.UserInterface().ShowMessage(Format("Unable to open the log file '%s'.", logPath),
                                          MessageStyle::Exclamation, "");
}

}  // namespace elix

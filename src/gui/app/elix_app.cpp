#include "app/elix_app.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QFileInfo>
#include <QPainter>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTimer>

#include "app/batch_jobs.h"
#include "engine/run.h"
#include "model/elix_doc.h"

namespace elix {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

// The splash picture: the program's mark drawn large and the version line.
QPixmap SplashPicture() {
    QPixmap pixmap(460, 220);
    pixmap.fill(QColor(64, 128, 128));
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::white, 3));
    // A wavefront leaving a point source.
    for (int r = 20; r <= 80; r += 20) painter.drawArc(QRectF(60 - r, 100 - r, 2 * r, 2 * r), -60 * 16, 120 * 16);
    QFont font = painter.font();
    font.setPixelSize(40);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRect(150, 50, 300, 60), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Elastrix"));
    font.setPixelSize(13);
    font.setBold(false);
    painter.setFont(font);
    painter.drawText(QRect(150, 110, 300, 60), Qt::AlignLeft | Qt::TextWordWrap, Q(SplashVersionLine()));
    return pixmap;
}

// The run monitor of an unattended run: progress in the status bar, window
// events handled between steps so the window stays alive.
class CStatusBarMonitor : public IRunMonitor {
public:
    explicit CStatusBarMonitor(CMainFrame& frame) : m_frame(frame) {}
    void Progress(int step, int totalSteps, const std::string& text) override {
        if (m_clock.isValid() && m_clock.elapsed() < 100 && step < totalSteps) return;
        m_clock.start();
        m_frame.PositionPane()->setText(Q(text));
        QApplication::processEvents();
    }
    void WhilePaused() override { QApplication::processEvents(QEventLoop::WaitForMoreEvents, 10); }

private:
    CMainFrame& m_frame;
    QElapsedTimer m_clock;
};

class CWindowBatchObserver : public IBatchObserver {
public:
    explicit CWindowBatchObserver(CMainFrame& frame) : m_frame(frame), m_monitor(frame) {}
    IRunMonitor& MonitorFor(const BatchJobInfo& job, CElixDoc& doc) override {
        doc.SetDirectories(m_frame.DirectoriesInForce());
        m_frame.statusBar()->showMessage(Q(job.statusText));
        QApplication::processEvents();
        return m_monitor;
    }

private:
    CMainFrame& m_frame;
    CStatusBarMonitor m_monitor;
};

}  // namespace

QString SingleInstanceLockPath() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) folder = QDir::tempPath();
    return folder + QStringLiteral("/Elastrix.lock");
}

CElixApp::CElixApp(std::string programPath, IDesktopUserInterface* headlessUi)
    : m_programPath(std::move(programPath)), m_headlessUi(headlessUi) {}

CElixApp::~CElixApp() {
    m_splash.reset();
    m_frame.reset();
    if (m_lock) m_lock->unlock();
}

IDesktopUserInterface& CElixApp::StartupUi() {
    if (m_headlessUi) return *m_headlessUi;
    if (m_frame) return m_frame->UserInterface();
    if (!m_startupUi) m_startupUi = std::make_unique<CQtUserInterface>(nullptr);
    return *m_startupUi;
}

bool CElixApp::InitInstance(const std::vector<std::string>& args) {
    m_exitCode = 1;
    const ProgramCommandLine commandLine = ParseProgramCommandLine(args);
    if (commandLine.help) {
        std::fputs(ProgramUsage().c_str(), stdout);
        m_exitCode = 0;
        return false;
    }
    if (!commandLine.unknownSwitches.empty() || (commandLine.batchRun && commandLine.files.size() != 1)) {
        std::fputs(ProgramUsage().c_str(), stderr);
        m_exitCode = 2;
        return false;
    }

    // 1. Only one copy runs.
    m_lock = std::make_unique<QLockFile>(SingleInstanceLockPath());
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock(0)) {
        StartupUi().ShowMessage(kSingleInstanceText, MessageStyle::Exclamation, "");
        m_lock.reset();
        return false;
    }

    // 2. Settings (recent files are read by the main window).
    // 3, 4. Root folder and directories file.
    const auto root = RootFolderOf(m_programPath);
    if (!root) {
        StartupUi().ShowMessage("This program can not be launched from a root folder.", MessageStyle::Exclamation,
                                "");
        return false;
    }
    m_paths.rootFolder = *root;
    m_paths.directoriesFile = DirectoriesFileOf(m_programPath);
    m_paths.logFile = *root + "/elix.log";

    // 6. The main window.
    m_frame = std::make_unique<CMainFrame>(m_paths, CDirectories::Defaults(*root));
    if (m_headlessUi) m_frame->SetUserInterface(m_headlessUi);
    m_frame->SetBatchRun(commandLine.batchRun);

    // 7. The command line: open the named model, or start with a new one.
    if (!commandLine.batchRun) {
        if (commandLine.files.empty())
            m_frame->NewModel();
        else
            for (const std::string& file : commandLine.files)
                if (!m_frame->OpenModel(file) && commandLine.files.size() == 1) return false;
    }
    if (!m_frame->RestoreWindowPlacement(QStringLiteral("General"))) m_frame->resize(1024, 720);
    m_frame->show();
    if (!commandLine.batchRun && !m_frame->isMinimized() && !m_headlessUi) {
        m_splashTime = commandLine.files.empty() ? 2500 : 5000;
        m_splash = std::make_unique<QSplashScreen>(SplashPicture());
        m_splash->show();
        // 8. The splash closes when its time is over.
        QTimer::singleShot(m_splashTime, m_frame.get(), [this] {
            if (m_splash) m_splash->close();
        });
    }

    // 9. The directories.
    m_frame->Directories() = LoadDirectories(m_paths.directoriesFile, m_paths.rootFolder, m_frame->UserInterface());

    // The withdrawn items go at the first idle moment.
    QTimer::singleShot(0, m_frame.get(), [this] { m_frame->WithdrawMenuItems(); });

    // 10. The unattended run.
    if (commandLine.batchRun) return RunFromCommandLine(commandLine.files.front());
    m_exitCode = 0;
    return true;
}

bool CElixApp::RunFromCommandLine(const std::string& modelPath) {
    m_frame->SetStatusTexts(QString(), QString());
    CWindowBatchObserver observer(*m_frame);
    BatchSummary summary;
    const std::string path = QFileInfo(Q(modelPath)).absoluteFilePath().toStdString();
    if (!RunJobsFromCommandLine(path, m_paths.logFile, m_frame->UserInterface(), observer, &summary)) {
        // The log cannot be opened: on a screen the program stays open.
        m_exitCode = 1;
        return !m_headlessUi;
    }
    m_exitCode = summary.AllFinished(1) ? 0 : 1;
    m_frame->close();
    return false;
}

}  // namespace elix

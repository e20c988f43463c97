#include "app/main_frame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QDragEnterEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QWhatsThis>
#include <algorithm>

#include "analysis/plot_window.h"
#include "app/help_system.h"
#include "app/multi_jobs_dlg.h"
#include "app/path_dialog.h"
#include "app/program_rules.h"
#include "app/subsystem_commands.h"
#include "engine/qt_run_monitor.h"
#include "geometry/geometry_commands.h"
#include "model/elix_doc.h"
#include "model/model_file.h"
#include "platform/files.h"
#include "platform/text_format.h"
#include "view/colour_map.h"
#include "view/elix_view.h"
#include "view/zoom_dialog.h"

namespace elix {

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

constexpr const char* kRunningText = "The Model is running. Please stop the process first.";

// A small square icon showing a short text, for commands without a standard
// icon.
QIcon TextIcon(const QString& text) {
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(64, 128, 128));
    painter.setPen(Qt::NoPen);
    painter.drawRoundedRect(QRectF(1, 1, 22, 22), 4, 4);
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(text.size() > 1 ? 10 : 14);
    painter.setFont(font);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, text);
    return QIcon(pixmap);
}

}  // namespace

CMainFrame::CMainFrame(InstallationPaths paths, CDirectories directories, QWidget* parent)
    : QMainWindow(parent),
      m_paths(std::move(paths)),
      m_directories(std::move(directories)),
      m_qtUi(std::make_unique<CQtUserInterface>(this)),
      m_ui(m_qtUi.get()),
      m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    setWindowTitle(QStringLiteral("Elastrix"));
    setAcceptDrops(true);
    openExternalFile = [](const std::string& path) {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(Q(path)));
    };
    m_mdi = new QMdiArea(this);
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdi);
    connect(m_mdi, &QMdiArea::subWindowActivated, this, [this] { OnSubWindowActivated(); });

    CreateActions();
    LoadRecentFiles();
    CreateMenus();
    CreateToolBars();
    CreateStatusBar();
    ShowMenuBar(false);
    UpdateCommandUI();

    // Toolbar buttons follow the active model between user actions too.
    auto* idle = new QTimer(this);
    connect(idle, &QTimer::timeout, this, [this] { UpdateCommandUI(); });
    idle->start(300);
    HelpSystemOf(*this);  // F1 in every window
}

CMainFrame::~CMainFrame() {
    // Child windows close while the frame is being destroyed; their
    // activation signals must not reach the half-destroyed frame.
    disconnect(m_mdi, nullptr, this, nullptr);
    for (CChildFrame* frame : Frames()) frame->canClose = nullptr;
}

void CMainFrame::SetUserInterface(IDesktopUserInterface* ui) {
    m_ui = ui ? ui : m_qtUi.get();
    for (const auto& doc : Documents()) doc->SetUserInterface(m_ui);
}

// --- actions and menus -------------------------------------------------------

void CMainFrame::CreateActions() {
    for (const CommandInfo& info : CommandTable()) {
        auto* action = new QAction(Q(MenuTextOf(info.title)), this);
        const std::string accelerator = AcceleratorOf(info.title);
        if (!accelerator.empty()) action->setShortcut(QKeySequence(Q(accelerator)));
        action->setStatusTip(Q(PromptOf(info)));
        action->setToolTip(Q(PromptOf(info)));
        const Cmd id = info.id;
        connect(action, &QAction::triggered, this, [this, id] { Execute(id); });
        m_actions[static_cast<std::size_t>(id)] = action;
    }
    for (Cmd id : {Cmd::ViewToolbar, Cmd::ViewElixToolbar, Cmd::ViewStatusBar, Cmd::ContrastEnhance,
                   Cmd::ColourMapGray, Cmd::ColourMapDiverging, Cmd::ColourMapSequential})
        Action(id)->setCheckable(true);
    Action(Cmd::FileNew)->setIcon(style()->standardIcon(QStyle::SP_FileIcon));
    Action(Cmd::FileOpen)->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    Action(Cmd::FileSave)->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    Action(Cmd::FilePrint)->setIcon(TextIcon(QStringLiteral("P")));
    Action(Cmd::ZoomOther)->setIcon(TextIcon(QStringLiteral("Z")));
    Action(Cmd::GeometryMenu)->setIcon(TextIcon(QStringLiteral("G")));
    Action(Cmd::MaterialProperty)->setIcon(TextIcon(QStringLiteral("M")));
    Action(Cmd::BoundaryCondition)->setIcon(TextIcon(QStringLiteral("BC")));
    Action(Cmd::SourceConfiguration)->setIcon(TextIcon(QStringLiteral("S")));
    Action(Cmd::ReceiverConfiguration)->setIcon(TextIcon(QStringLiteral("R")));
    Action(Cmd::JobParameters)->setIcon(TextIcon(QStringLiteral("J")));
    Action(Cmd::CheckModel)->setIcon(TextIcon(QStringLiteral("\u2713")));
    Action(Cmd::RunModel)->setIcon(TextIcon(QStringLiteral("\u25B6")));
}

void CMainFrame::CreateMenus() {
    auto add = [this](QMenu* menu, std::initializer_list<Cmd> ids) {
        for (Cmd id : ids) menu->addAction(Action(id));
    };
    auto menu = [this](const char* title) {
        auto* m = new QMenu(QString::fromUtf8(title), this);
        connect(m, &QMenu::aboutToShow, this, [this] { UpdateCommandUI(); });
        return m;
    };

    // The short menu bar.
    m_shortFileMenu = menu("&File");
    QMenu* shortView = menu("&View");
    add(shortView, {Cmd::ViewToolbar, Cmd::ViewStatusBar});
    QMenu* shortHelp = menu("&Help");
    add(shortHelp, {Cmd::HelpTopics});
    shortHelp->addSeparator();
    add(shortHelp, {Cmd::About});
    m_shortMenus = {m_shortFileMenu, shortView, shortHelp};

    // The full menu bar.
    m_fullFileMenu = menu("&File");
    QMenu* view = menu("&View");
    add(view, {Cmd::ViewToolbar, Cmd::ViewElixToolbar, Cmd::ViewStatusBar});
    view->addSeparator();
    add(view, {Cmd::ShowModel, Cmd::ShowMaterials, Cmd::ShowBCs, Cmd::ShowSources, Cmd::ShowReceivers,
               Cmd::ShowElectrodePairs, Cmd::ShowElectrodes, Cmd::ShowAll});
    view->addSeparator();
    QMenu* zoom = view->addMenu(QStringLiteral("&Zoom"));
    add(zoom, {Cmd::Zoom50, Cmd::Zoom70, Cmd::Zoom100, Cmd::Zoom150, Cmd::Zoom200, Cmd::ZoomOther});
    add(view, {Cmd::ContrastEnhance});
    add(view->addMenu(QStringLiteral("Colour &Map")), {Cmd::ColourMapGray, Cmd::ColourMapDiverging, Cmd::ColourMapSequential});

    QMenu* elix = menu("&Elix");
    m_geometryMenu = elix->addMenu(QStringLiteral("&Geometry"));
    connect(m_geometryMenu, &QMenu::aboutToShow, this, [this] { UpdateCommandUI(); });
    add(m_geometryMenu, {Cmd::CreateImage});
    m_geometryMenu->addSeparator();
    add(m_geometryMenu, {Cmd::AddRectangle, Cmd::AddEllipse, Cmd::AddLayer, Cmd::AddUserObject});
    m_geometryMenu->addSeparator();
    add(m_geometryMenu, {Cmd::SaveGeometry, Cmd::LoadGeometry});
    add(elix, {Cmd::MaterialProperty, Cmd::BoundaryCondition, Cmd::SourceConfiguration, Cmd::ReceiverConfiguration,
               Cmd::ElectrodePairConfiguration, Cmd::ElectrodeConfiguration, Cmd::JobParameters});
    elix->addSeparator();
    add(elix, {Cmd::CheckModel, Cmd::RunModel, Cmd::RestartModel});
    elix->addSeparator();
    add(elix, {Cmd::TransducerDesigner});

    QMenu* tools = menu("&Tools");
    add(tools, {Cmd::ReceiverPlot, Cmd::SetDirectories, Cmd::Comment, Cmd::DumpDisplacements, Cmd::PcxExport,
                Cmd::SetResolution, Cmd::ReplacePixelValue, Cmd::Playback});
    tools->addSeparator();
    add(tools, {Cmd::PcxImport, Cmd::BmpExport, Cmd::BmpImport, Cmd::WedgeEdit});
    QMenu* analysis = menu("&Analysis");
    add(analysis, {Cmd::ReceiverTimer, Cmd::SpectrumPlot, Cmd::Attenuation});
    QMenu* window = menu("&Window");
    add(window, {Cmd::WindowNew, Cmd::WindowCascade, Cmd::WindowTile, Cmd::WindowArrangeIcons});
    QMenu* help = menu("&Help");
    add(help, {Cmd::HelpTopics});
    help->addSeparator();
    add(help, {Cmd::About});
    m_fullMenus = {m_fullFileMenu, view, elix, tools, analysis, window, help};
    UpdateRecentFileMenu();
}

void CMainFrame::UpdateRecentFileMenu() {
    for (QAction* action : m_recentActions) action->deleteLater();
    m_recentActions.clear();
    for (std::size_t i = 0; i < m_recent.size(); ++i) {
        const std::string path = m_recent[i];
        auto* action = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(Q(path)), this);
        action->setStatusTip(QStringLiteral("Open this model"));
        connect(action, &QAction::triggered, this, [this, path] {
            if (!OpenModel(path)) {
                m_recent.erase(std::remove(m_recent.begin(), m_recent.end(), path), m_recent.end());
                SaveRecentFiles();
                UpdateRecentFileMenu();
            }
        });
        m_recentActions.push_back(action);
    }
    if (!m_recentPlaceholder) {
        m_recentPlaceholder = new QAction(QStringLiteral("Recent File"), this);
        m_recentPlaceholder->setEnabled(false);
    }
    auto fill = [this](QMenu* file, bool full) {
        file->clear();
        if (full) {
            for (Cmd id : {Cmd::FileNew, Cmd::FileOpen, Cmd::FileClose, Cmd::FileSave, Cmd::FileSaveAs})
                file->addAction(Action(id));
            file->addSeparator();
            for (Cmd id : {Cmd::FilePrint, Cmd::FilePrintPreview, Cmd::FilePrintSetup}) file->addAction(Action(id));
            file->addAction(Action(Cmd::SaveFramePng));
        } else {
            for (Cmd id : {Cmd::FileNew, Cmd::FileOpen, Cmd::FilePrintSetup}) file->addAction(Action(id));
        }
        file->addSeparator();
        file->addAction(Action(Cmd::RunMultiJobs));
        file->addAction(Action(Cmd::OpenLog));
        file->addSeparator();
        if (m_recentActions.empty()) file->addAction(m_recentPlaceholder);
        for (QAction* action : m_recentActions) file->addAction(action);
        file->addSeparator();
        file->addAction(Action(Cmd::Exit));
    };
    fill(m_shortFileMenu, false);
    fill(m_fullFileMenu, true);
}

void CMainFrame::ShowMenuBar(bool full) {
    if (full == m_fullMenuShown && !menuBar()->actions().isEmpty()) return;
    menuBar()->clear();
    for (QMenu* m : full ? m_fullMenus : m_shortMenus) menuBar()->addMenu(m);
    m_fullMenuShown = full;
}

void CMainFrame::WithdrawMenuItems() {
    if (m_withdrawn) return;
    m_withdrawn = true;
    const QList<QMenu*> menus = findChildren<QMenu*>();
    for (Cmd id : WithdrawnCommands())
        for (QMenu* menu : menus) menu->removeAction(Action(id));
}

void CMainFrame::CreateToolBars() {
    m_toolBar = addToolBar(QStringLiteral("ToolBar"));
    m_toolBar->setObjectName(QStringLiteral("ToolBar"));
    for (Cmd id : {Cmd::FileNew, Cmd::FileOpen, Cmd::FileSave, Cmd::FilePrint}) m_toolBar->addAction(Action(id));
    m_toolBar->addSeparator();
    QAction* whatsThis = QWhatsThis::createAction(this);
    whatsThis->setIcon(TextIcon(QStringLiteral("?")));
    m_toolBar->addAction(whatsThis);
    m_toolBar->addSeparator();
    m_toolBar->addAction(Action(Cmd::ZoomOther));

    m_elixToolBar = addToolBar(QStringLiteral("ElixToolBar"));
    m_elixToolBar->setObjectName(QStringLiteral("ElixToolBar"));
    for (Cmd id : {Cmd::GeometryMenu, Cmd::MaterialProperty, Cmd::BoundaryCondition, Cmd::SourceConfiguration,
                   Cmd::ReceiverConfiguration, Cmd::JobParameters, Cmd::CheckModel})
        m_elixToolBar->addAction(Action(id));
    m_elixToolBar->addSeparator();
    m_elixToolBar->addAction(Action(Cmd::RunModel));
}

void CMainFrame::CreateStatusBar() {
    m_sizePane = new QLabel(this);
    m_positionPane = new QLabel(this);
    const QFontMetrics metrics(statusBar()->font());
    m_sizePane->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("W=XXX.XX(mm),H=XXX.XX(mm)")) + 8);
    m_positionPane->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("OUTPUT AREA AAAAAAAAAAAAAAAA")) + 8);
    statusBar()->addPermanentWidget(m_sizePane);
    statusBar()->addPermanentWidget(m_positionPane);
    statusBar()->showMessage(QStringLiteral("Ready"));
}

void CMainFrame::SetStatusTexts(const QString& sizeText, const QString& positionText) {
    m_sizePane->setText(sizeText);
    m_positionPane->setText(positionText);
}

void CMainFrame::UpdateCommandUI() {
    const CElixDoc* doc = ActiveDocument();
    for (const CommandInfo& info : CommandTable()) Action(info.id)->setEnabled(CommandEnabled(info, doc, RunStepsComputed(doc)));
    Action(Cmd::ViewToolbar)->setChecked(m_toolBar->isVisible());
    Action(Cmd::ViewElixToolbar)->setChecked(m_elixToolBar->isVisible());
    Action(Cmd::ViewStatusBar)->setChecked(statusBar()->isVisible());
    Action(Cmd::ContrastEnhance)->setChecked(doc && doc->contrastEnhance);
    Action(Cmd::ColourMapGray)->setChecked(FrameColourMap() == ColourMap::Gray);
    Action(Cmd::ColourMapDiverging)->setChecked(FrameColourMap() == ColourMap::Diverging);
    Action(Cmd::ColourMapSequential)->setChecked(FrameColourMap() == ColourMap::Sequential);
    UpdateFrameTitles();
}

// --- documents and windows ---------------------------------------------------

std::vector<CChildFrame*> CMainFrame::Frames() const {
    std::vector<CChildFrame*> frames;
    for (QMdiSubWindow* window : m_mdi->subWindowList())
        if (auto* frame = qobject_cast<CChildFrame*>(window)) frames.push_back(frame);
    return frames;
}

std::vector<std::shared_ptr<CElixDoc>> CMainFrame::Documents() const {
    std::vector<std::shared_ptr<CElixDoc>> docs;
    for (CChildFrame* frame : Frames()) {
        const auto& doc = frame->View()->SharedDocument();
        if (std::find(docs.begin(), docs.end(), doc) == docs.end()) docs.push_back(doc);
    }
    return docs;
}

CChildFrame* CMainFrame::ActiveFrame() const {
    return qobject_cast<CChildFrame*>(m_mdi->activeSubWindow() ? m_mdi->activeSubWindow() : m_mdi->currentSubWindow());
}

CElixDoc* CMainFrame::ActiveDocument() const {
    CChildFrame* frame = ActiveFrame();
    if (frame) return &frame->Document();
    // A plot window acts on its model.
    return PlotWindowDocument(m_mdi->activeSubWindow() ? m_mdi->activeSubWindow() : m_mdi->currentSubWindow());
}

CChildFrame* CMainFrame::AddFrame(const std::shared_ptr<CElixDoc>& doc) {
    auto* frame = new CChildFrame(doc);
    frame->canClose = [this](CChildFrame& f) { return FrameMayClose(f); };
    connect(frame->View(), &CElixView::StatusTexts, this, &CMainFrame::SetStatusTexts);
    m_mdi->addSubWindow(frame);
    frame->resize(std::max(480, m_mdi->width() * 3 / 4), std::max(360, m_mdi->height() * 3 / 4));
    frame->show();
    m_mdi->setActiveSubWindow(frame);
    OnSubWindowActivated();
    return frame;
}

void CMainFrame::UpdateFrameTitles() {
    for (const auto& doc : Documents()) {
        std::vector<CChildFrame*> frames;
        for (CChildFrame* frame : Frames())
            if (&frame->Document() == doc.get()) frames.push_back(frame);
        for (std::size_t i = 0; i < frames.size(); ++i) {
            QString title = Q(doc->Title());
            if (frames.size() > 1) title += QStringLiteral(":%1").arg(i + 1);
            if (frames[i]->windowTitle() != title) frames[i]->setWindowTitle(title);
        }
    }
}

void CMainFrame::OnSubWindowActivated() {
    CChildFrame* frame = ActiveFrame();
    ShowMenuBar(ActiveDocument() != nullptr);
    if (frame)
        SetStatusTexts(Q(frame->Document().SizeText), frame->View()->PositionText());
    else
        SetStatusTexts(QString(), QString());
    UpdateCommandUI();
}

CElixDoc* CMainFrame::NewModel() {
    auto doc = std::make_shared<CElixDoc>();
    doc->SetUserInterface(m_ui);
    doc->SetTitle(Format("Elix%d", ++m_untitledCount));
    AddFrame(doc);
    return doc.get();
}

bool CMainFrame::OpenModel(const std::string& path) {
    const std::string full = QFileInfo(Q(path)).absoluteFilePath().toStdString();
    for (CChildFrame* frame : Frames()) {
        if (frame->Document().PathName() == full) {
            m_mdi->setActiveSubWindow(frame);
            return true;
        }
    }
    auto doc = std::make_shared<CElixDoc>();
    doc->SetUserInterface(m_ui);
    if (!doc->ReadModel(full)) {
        if (!doc->MessageText().empty()) m_ui->ShowMessage(doc->MessageText(), MessageStyle::Exclamation, "");
        return false;
    }
    doc->RebuildDisplayBitmap();
    AddRecentFile(full);
    AddFrame(doc);
    return true;
}

void CMainFrame::AddRecentFile(const std::string& path) {
    m_recent.erase(std::remove(m_recent.begin(), m_recent.end(), path), m_recent.end());
    m_recent.insert(m_recent.begin(), path);
    if (m_recent.size() > kRecentFileCount) m_recent.resize(kRecentFileCount);
    SaveRecentFiles();
    UpdateRecentFileMenu();
}

void CMainFrame::LoadRecentFiles() {
    QSettings settings;
    m_recent.clear();
    for (int i = 1; i <= kRecentFileCount; ++i) {
        const QString path = settings.value(QStringLiteral("Recent File List/File%1").arg(i)).toString();
        if (!path.isEmpty()) m_recent.push_back(path.toStdString());
    }
}

void CMainFrame::SaveRecentFiles() const {
    QSettings settings;
    for (int i = 1; i <= kRecentFileCount; ++i) {
        const QString key = QStringLiteral("Recent File List/File%1").arg(i);
        if (static_cast<std::size_t>(i) <= m_recent.size())
            settings.setValue(key, Q(m_recent[static_cast<std::size_t>(i - 1)]));
        else
            settings.remove(key);
    }
}

bool CMainFrame::SaveDocument(CElixDoc& doc, bool askForName) {
    std::string path = doc.PathName();
    if (askForName || path.empty()) {
        FileChooserRequest request;
        request.title = "Save As";
        request.filter = kModelFilter;
        request.defaultExtension = "wmd";
        request.startFolder = m_directories[DirectoryKind::Model];
        request.proposedName = ProposeSaveAsName(doc);
        request.confirmOverwrite = true;
        const auto chosen = m_ui->ChooseFileToSave(request);
        if (!chosen) return false;
        path = QFileInfo(Q(*chosen)).absoluteFilePath().toStdString();
    }
    if (!doc.WriteModel(path)) {
        m_ui->ShowMessage(doc.MessageText().empty() ? Format("Unable to save '%s'.", path) : doc.MessageText(),
                          MessageStyle::Exclamation, "");
        return false;
    }
    doc.SetPathName(path);
    doc.SetModifiedFlag(false);
    AddRecentFile(path);
    UpdateFrameTitles();
    return true;
}

bool CMainFrame::SaveModified(CElixDoc& doc) {
    if (!doc.IsModified()) return true;
    switch (m_ui->AskYesNoCancel(Format("Save changes to %s?", doc.Title()))) {
        case MessageAnswer::Yes: return SaveDocument(doc, false);
        case MessageAnswer::No: return true;
        default: return false;
    }
}

bool CMainFrame::FrameMayClose(CChildFrame& frame) {
    if (m_closingAll) return true;
    CElixDoc& doc = frame.Document();
    if (doc.IsRunning()) {
        m_ui->ShowMessage(kRunningText, MessageStyle::Exclamation, "");
        return false;
    }
    int windows = 0;
    for (CChildFrame* f : Frames())
        if (&f->Document() == &doc) ++windows;
    return windows > 1 || SaveModified(doc);
}

bool CMainFrame::CloseDocument(CElixDoc& doc) {
    if (doc.IsRunning()) {
        m_ui->ShowMessage(kRunningText, MessageStyle::Exclamation, "");
        return false;
    }
    if (!SaveModified(doc)) return false;
    m_closingAll = true;
    for (CChildFrame* frame : Frames())
        if (&frame->Document() == &doc) frame->close();
    m_closingAll = false;
    return true;
}

bool CMainFrame::SaveAllModified() {
    for (const auto& doc : Documents()) {
        if (doc->IsRunning()) {
            m_ui->ShowMessage(kRunningText, MessageStyle::Exclamation, "");
            return false;
        }
    }
    if (!m_batchRun &&
        m_ui->ShowMessage("Are you sure you want to exit Elastrix?", MessageStyle::Question, "Elastrix") !=
            MessageAnswer::Yes)
        return false;
    for (const auto& doc : Documents())
        if (!SaveModified(*doc)) return false;
    return true;
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!SaveAllModified()) {
        event->ignore();
        return;
    }
    m_closingAll = true;
    m_mdi->closeAllSubWindows();
    m_closingAll = false;
    SaveWindowPlacement(QStringLiteral("General"));
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) OpenModel(url.toLocalFile().toStdString());
    event->acceptProposedAction();
}

// --- window placement --------------------------------------------------------

bool CMainFrame::SaveWindowPlacement(const QString& section) {
    QSettings settings;
    settings.beginGroup(section);
    const QRect normal = normalGeometry();
    const int showCmd = isMaximized() ? 3 : isMinimized() ? 2 : 1;
    const std::pair<const char*, int> values[] = {{"flags", 0},           {"showCmd", showCmd},
                                                  {"x1", normal.left()},   {"y1", normal.top()},
                                                  {"x2", normal.right() + 1}, {"y2", normal.bottom() + 1}};
    for (const auto& [key, value] : values) {
        settings.setValue(QString::fromUtf8(key), value);
        if (settings.status() != QSettings::NoError) return false;
    }
    settings.sync();
    return settings.status() == QSettings::NoError;
}

bool CMainFrame::RestoreWindowPlacement(const QString& section) {
    QSettings settings;
    settings.beginGroup(section);
    auto read = [&](const char* key) { return settings.value(QString::fromUtf8(key), -1).toInt(); };
    WindowPlacement placement;
    placement.flags = read("flags");
    placement.showCmd = read("showCmd");
    placement.x1 = read("x1");
    placement.y1 = read("y1");
    placement.x2 = read("x2");
    placement.y2 = read("y2");
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize size = screen ? screen->size() : QSize(1024, 768);
    const int icon = style()->pixelMetric(QStyle::PM_LargeIconSize);
    if (!PlacementUsable(placement, size.width(), size.height(), icon, icon)) return false;
    setGeometry(placement.x1, placement.y1, std::max(100, placement.x2 - placement.x1),
                std::max(100, placement.y2 - placement.y1));
    if (placement.showCmd == 3) setWindowState(windowState() | Qt::WindowMaximized);
    return true;
}

// --- commands ------------------------------------------------------------------

void CMainFrame::ShowCategory(CElixDoc& doc, const char* category) {
    if (!doc.LoadWorkingImage(true, nullptr)) {
        m_ui->ShowMessage(doc.MessageText(), MessageStyle::Exclamation, "");
        return;
    }
    doc.DisplayCategory = category;
    doc.RebuildDisplayBitmap();
    doc.UpdateAllViews('a');
}

void CMainFrame::SetZoom(CElixDoc& doc, double zoom) {
    doc.zoom = static_cast<float>(zoom);
    doc.UpdateAllViews('a');
}

void CMainFrame::SetDirectories() {
    CPathDlg dialog(m_directories, this);
    if (dialog.exec() != QDialog::Accepted) return;
    ApplyDirectories(dialog.Values(), m_paths.directoriesFile, m_directories, *m_ui);
}

void CMainFrame::RunMultiJobs() {
    if (!Documents().empty()) {
        m_ui->ShowMessage("To run multi jobs, please close all opened documents then try again.",
                          MessageStyle::Information, "");
        return;
    }
    OpenMultiJobsPanel(*this);
}

void CMainFrame::OpenLog() {
    if (!openExternalFile || !openExternalFile(m_paths.logFile))
        m_ui->ShowMessage(Format("Unable to open the log file '%s'.", m_paths.logFile), MessageStyle::Exclamation,
                          "");
}

void CMainFrame::About() {
    QMessageBox::about(this, QStringLiteral("About Elastrix"), Q(AboutText()));
}

void CMainFrame::PrintActiveView(QPrinter& printer) {
    if (PrintPlotWindow(m_mdi->activeSubWindow(), printer)) return;
    CChildFrame* frame = ActiveFrame();
    if (!frame) return;
    QPainter painter(&printer);
    const double sx = printer.logicalDpiX() / 60.0;
    const double sy = printer.logicalDpiY() / 60.0;
    frame->View()->Render(painter, QPoint(0, 0), sx, sy);
}

const CDirectories* CMainFrame::DirectoriesInForce() const {
    return FileExists(m_paths.directoriesFile) ? &m_directories : nullptr;
}

void CMainFrame::Execute(Cmd id) {
    if (!CommandEnabled(CommandInfoOf(id), ActiveDocument(), RunStepsComputed(ActiveDocument()))) return;
    CElixDoc* doc = ActiveDocument();
    if (doc) doc->SetDirectories(DirectoriesInForce());
    switch (id) {
        case Cmd::FileNew: NewModel(); break;
        case Cmd::FileOpen: {
            FileChooserRequest request;
            request.title = "Open";
            request.filter = kModelFilter;
            request.defaultExtension = "wmd";
            request.startFolder = m_directories[DirectoryKind::Model];
            request.fileMustExist = true;
            if (const auto path = m_ui->ChooseFileToOpen(request)) OpenModel(*path);
            break;
        }
        case Cmd::FileClose: CloseDocument(*doc); break;
        case Cmd::FileSave: SaveDocument(*doc, false); break;
        case Cmd::FileSaveAs: SaveDocument(*doc, true); break;
        case Cmd::FilePrint: {
            QPrintDialog dialog(m_printer.get(), this);
            if (dialog.exec() == QDialog::Accepted) PrintActiveView(*m_printer);
            break;
        }
        case Cmd::FilePrintPreview: {
            QPrintPreviewDialog preview(m_printer.get(), this);
            connect(&preview, &QPrintPreviewDialog::paintRequested, this,
                    [this](QPrinter* printer) { PrintActiveView(*printer); });
            preview.exec();
            break;
        }
        case Cmd::FilePrintSetup: {
            QPageSetupDialog dialog(m_printer.get(), this);
            dialog.exec();
            break;
        }
        case Cmd::RunMultiJobs: RunMultiJobs(); break;
        case Cmd::OpenLog: OpenLog(); break;
        case Cmd::Exit: close(); break;
        case Cmd::ViewToolbar: m_toolBar->setVisible(!m_toolBar->isVisible()); break;
        case Cmd::ViewElixToolbar: m_elixToolBar->setVisible(!m_elixToolBar->isVisible()); break;
        case Cmd::ViewStatusBar: statusBar()->setVisible(!statusBar()->isVisible()); break;
        case Cmd::ShowModel: ShowCategory(*doc, ""); break;
        case Cmd::ShowMaterials: ShowCategory(*doc, "MaterialProperties"); break;
        case Cmd::ShowBCs: ShowCategory(*doc, "BoundaryConditions"); break;
        case Cmd::ShowSources: ShowCategory(*doc, "Sources"); break;
        case Cmd::ShowReceivers: ShowCategory(*doc, "Receivers"); break;
        case Cmd::ShowElectrodePairs: ShowCategory(*doc, "ElectrodePairs"); break;
        case Cmd::ShowElectrodes: ShowCategory(*doc, "Electrodes"); break;
        case Cmd::ShowAll: ShowCategory(*doc, "All"); break;
        case Cmd::Zoom50: SetZoom(*doc, 0.5); break;
        case Cmd::Zoom70: SetZoom(*doc, 0.7); break;
        case Cmd::Zoom100: SetZoom(*doc, 1.0); break;
        case Cmd::Zoom150: SetZoom(*doc, 1.5); break;
        case Cmd::Zoom200: SetZoom(*doc, 2.0); break;
        case Cmd::ZoomOther: {
            CZoomDlg dialog(doc->zoom, this);
            if (dialog.exec() == QDialog::Accepted) SetZoom(*doc, dialog.Zoom());
            break;
        }
        case Cmd::ContrastEnhance:
            doc->contrastEnhance = !doc->contrastEnhance;
            RedrawRunningFrame(*doc);
            break;
        case Cmd::SaveGeometry: SaveGeometryCommand(*doc); break;
        case Cmd::LoadGeometry:
            if (LoadGeometryCommand(*doc)) doc->RebuildDisplayBitmap(), doc->UpdateAllViews('a');
            break;
        case Cmd::SetDirectories: SetDirectories(); break;
        case Cmd::Comment:
            if (m_ui->EditComment(doc->comment)) doc->SetModifiedFlag();
            break;
        case Cmd::PcxExport: PcxExportCommand(*doc); break;
        case Cmd::WindowNew:
            if (ActiveFrame()) AddFrame(ActiveFrame()->View()->SharedDocument());
            break;
        case Cmd::WindowCascade: m_mdi->cascadeSubWindows(); break;
        case Cmd::WindowTile: m_mdi->tileSubWindows(); break;
        case Cmd::WindowArrangeIcons: {
            // Minimised windows side by side along the bottom of the area.
            int x = 0;
            for (QMdiSubWindow* window : m_mdi->subWindowList()) {
                if (!window->isMinimized()) continue;
                window->move(x, m_mdi->viewport()->height() - window->height());
                x += window->width();
            }
            break;
        }
        case Cmd::HelpTopics: HelpSystemOf(*this).ShowHelpTopics(); break;
        case Cmd::About: About(); break;
        case Cmd::GeometryMenu: {
            QWidget* button = m_elixToolBar->widgetForAction(Action(Cmd::GeometryMenu));
            m_geometryMenu->popup(button ? button->mapToGlobal(QPoint(0, button->height())) : QCursor::pos());
            break;
        }
        default: ExecuteSubsystemCommand(*this, id, doc); break;
    }
    UpdateCommandUI();
}

}  // namespace elix

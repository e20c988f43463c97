// The main window: an MDI area of model windows, the short menu bar (no
// model open) and the full one (a model window active), the two toolbars,
// the status bar with its size and position panes, recent files, window
// placement and the exit checks.
#pragma once

#include <QMainWindow>
#include <QPrinter>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/commands.h"
#include "app/directories.h"
#include "app/qt_user_interface.h"

class QLabel;
class QMdiArea;
class QMenu;
class QToolBar;

namespace elix {

class CChildFrame;
class CElixDoc;
class CElixView;

// What the main window needs to know of the installation.
struct InstallationPaths {
    std::string rootFolder;
    std::string directoriesFile;
    std::string logFile;  // rootFolder + "/elix.log"
};

inline constexpr int kRecentFileCount = 5;
inline constexpr const char* kModelFilter = "Elastrix Files (*.wmd)|*.wmd|All Files (*.*)|*.*||";

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    CMainFrame(InstallationPaths paths, CDirectories directories, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // The door through which every dialog of the core is shown (tests put a
    // scripted one in).
    IDesktopUserInterface& UserInterface() { return *m_ui; }
    void SetUserInterface(IDesktopUserInterface* ui);

    // Opens files with the user's programs (the log in a text editor).
    std::function<bool(const std::string& path)> openExternalFile;

    CDirectories& Directories() { return m_directories; }
    // The directories models use for the files they make: these once the
    // directories file exists, none (beside the model) before.
    const CDirectories* DirectoriesInForce() const;
    const InstallationPaths& Paths() const { return m_paths; }
    void SetBatchRun(bool batchRun) { m_batchRun = batchRun; }
    bool BatchRun() const { return m_batchRun; }

    QAction* Action(Cmd id) const { return m_actions[static_cast<std::size_t>(id)]; }
    // Carries out a command as its menu item does.
    void Execute(Cmd id);
    // Enables, checks and titles every command for the active model.
    void UpdateCommandUI();
    // Removes the withdrawn items from the menus (once).
    void WithdrawMenuItems();
    bool FullMenuBarShown() const { return m_fullMenuShown; }
    QMenu* GeometryMenu() const { return m_geometryMenu; }

    // Documents and windows.
    CElixDoc* NewModel();
    // Opens a model file (the active window of it when it is open already).
    // False after a message when it cannot be read.
    bool OpenModel(const std::string& path);
    CChildFrame* ActiveFrame() const;
    CElixDoc* ActiveDocument() const;
    std::vector<CChildFrame*> Frames() const;
    std::vector<std::shared_ptr<CElixDoc>> Documents() const;
    QMdiArea* MdiArea() const { return m_mdi; }
    bool SaveDocument(CElixDoc& doc, bool askForName);
    // The save-changes prompt of one model; false when the user cancels or
    // saving fails.
    bool SaveModified(CElixDoc& doc);
    // Closes every window of doc after the checks; false when refused.
    bool CloseDocument(CElixDoc& doc);
    // The exit checks; false keeps the program open.
    bool SaveAllModified();

    // Status bar panes.
    QLabel* SizePane() const { return m_sizePane; }
    QLabel* PositionPane() const { return m_positionPane; }
    void SetStatusTexts(const QString& sizeText, const QString& positionText);

    // Recent files (most recent first) and window placement in the settings.
    const std::vector<std::string>& RecentFiles() const { return m_recent; }
    void AddRecentFile(const std::string& path);
    bool SaveWindowPlacement(const QString& section);
    bool RestoreWindowPlacement(const QString& section);

    // Renders the active model view for a printer (or a preview page).
    void PrintActiveView(QPrinter& printer);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateActions();
    void CreateMenus();
    void CreateToolBars();
    void CreateStatusBar();
    void ShowMenuBar(bool full);
    void UpdateRecentFileMenu();
    void LoadRecentFiles();
    void SaveRecentFiles() const;
    CChildFrame* AddFrame(const std::shared_ptr<CElixDoc>& doc);
    void UpdateFrameTitles();
    void OnSubWindowActivated();
    bool FrameMayClose(CChildFrame& frame);
    // Model commands.
    void ShowCategory(CElixDoc& doc, const char* category);
    void SetZoom(CElixDoc& doc, double zoom);
    void SetDirectories();
    void RunMultiJobs();
    void OpenLog();
    void About();

    InstallationPaths m_paths;
    CDirectories m_directories;
    std::unique_ptr<CQtUserInterface> m_qtUi;
    IDesktopUserInterface* m_ui;
    bool m_batchRun = false;
    bool m_fullMenuShown = false;
    bool m_withdrawn = false;
    bool m_closingAll = false;
    int m_untitledCount = 0;

    QMdiArea* m_mdi = nullptr;
    std::array<QAction*, static_cast<std::size_t>(Cmd::Count)> m_actions{};
    std::vector<QMenu*> m_shortMenus, m_fullMenus;
    QMenu* m_geometryMenu = nullptr;
    QMenu* m_shortFileMenu = nullptr;
    QMenu* m_fullFileMenu = nullptr;
    std::vector<QAction*> m_recentActions;
    QAction* m_recentPlaceholder = nullptr;
    QToolBar* m_toolBar = nullptr;
    QToolBar* m_elixToolBar = nullptr;
    QLabel* m_sizePane = nullptr;
    QLabel* m_positionPane = nullptr;
    std::vector<std::string> m_recent;
    std::unique_ptr<QPrinter> m_printer;
};

}  // namespace elix

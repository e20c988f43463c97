// The application object: the start-up sequence (single-instance lock,
// settings, root folder, directories file, main window, command line,
// splash), and the unattended run of a model named after -r.
#pragma once

#include <QLockFile>
#include <QSplashScreen>
#include <memory>
#include <string>
#include <vector>

#include "app/directories.h"
#include "app/main_frame.h"
#include "app/program_rules.h"

namespace elix {

// The single-instance lock's file: "Elastrix.lock" in the user's runtime
// folder.
QString SingleInstanceLockPath();
// The message shown when another copy of the program runs.
inline constexpr const char* kSingleInstanceText =
    "Another instance of Elastrix is already running. Multiple instances are not allowed.\n"
    "To run several jobs, run them as a batch through File > Run Multi Jobs.";

class CElixApp {
public:
    // programPath: the full path of the program file. ui: where start-up
    // messages go before the main window exists (and, when headless, after).
    CElixApp(std::string programPath, IDesktopUserInterface* headlessUi = nullptr);
    ~CElixApp();

    // The start-up sequence; false ends the program with ExitCode().
    bool InitInstance(const std::vector<std::string>& args);
    int ExitCode() const { return m_exitCode; }

    CMainFrame* MainFrame() const { return m_frame.get(); }
    const CDirectories& Directories() const { return m_frame->Directories(); }
    const std::string& RootFolder() const { return m_paths.rootFolder; }

    // The splash's display time in milliseconds (0: no splash shown).
    int SplashTime() const { return m_splashTime; }

private:
    IDesktopUserInterface& StartupUi();
    bool RunFromCommandLine(const std::string& modelPath);

    std::string m_programPath;
    IDesktopUserInterface* m_headlessUi;
    std::unique_ptr<CQtUserInterface> m_startupUi;
    std::unique_ptr<QLockFile> m_lock;
    InstallationPaths m_paths;
    std::unique_ptr<CMainFrame> m_frame;
    std::unique_ptr<QSplashScreen> m_splash;
    int m_splashTime = 0;
    int m_exitCode = 0;
};

}  // namespace elix

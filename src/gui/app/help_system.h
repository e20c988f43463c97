// Help Topics and context help. The manual is a folder of HTML pages, one
// per window and dialog, each named after its class ("CZoomDlg.html");
// F1 anywhere in the program opens the page of the active window, or the
// contents page when that window has none.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <string>
#include <string_view>

#include "app/help_window.h"

class QMetaObject;
class QWidget;

namespace elix {

class CMainFrame;

// Where the manual lies below an installation's root folder.
inline constexpr const char* kManualSubfolder = "share/doc/elastrix/manual";
inline constexpr const char* kManualIndex = "index.html";
inline constexpr const char* kNoManualText = "The manual is not installed: '%s' does not exist.";

// The manual folder of an installation root.
std::string ManualFolderOf(const std::string& rootFolder);
// The page name of a window class: "elix::CZoomDlg" gives "CZoomDlg.html".
std::string HelpPageName(std::string_view className);
// The page of a window of this class in the manual folder: the class's own
// page, else that of the nearest base class that has one, else the
// contents page.
QString HelpPageFor(const QMetaObject& type, const QString& manualFolder);

// Installed once per main window: answers F1 for every window of the
// program and owns the help window of Help Topics.
class CHelpSystem : public QObject {
    Q_OBJECT
public:
    explicit CHelpSystem(CMainFrame& frame);

    const QString& ManualFolder() const { return m_manualFolder; }
    void SetManualFolder(const QString& folder) { m_manualFolder = folder; }

    // Help Topics: the contents page in the program's help window.
    void ShowHelpTopics();
    // The page of a window (F1). The help window of a modal dialog belongs
    // to that dialog, so that it can be used while the dialog is open, and
    // closes with it.
    void ShowHelpFor(QWidget* window);
    // The help window of Help Topics and of the main window's F1 (null
    // until first shown).
    CHelpWindow* HelpWindow() const { return m_window; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool ManualPresent();
    void Show(CHelpWindow* window, const QString& page);

    CMainFrame& m_frame;
    QString m_manualFolder;
    QPointer<CHelpWindow> m_window;
};

// The help system of a main window (created on first use).
CHelpSystem& HelpSystemOf(CMainFrame& frame);

// The manual page of window, for its Help button: opened through the help
// system of the main window the window belongs to (false without one).
bool ShowHelpPageOf(QWidget* window);

}  // namespace elix

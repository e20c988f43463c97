// The desktop program's test fixture: a scripted user interface with the
// desktop's Yes/No/Cancel question, a main window over a fresh installation
// folder, example models copied into it, and a helper that acts on the next
// modal dialog.
#pragma once

#include <QApplication>
#include <QWidget>
#include <QTimer>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/directories.h"
#include "app/main_frame.h"
#include "app/qt_user_interface.h"
#include "model/elix_doc.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace elix::test {

// The scripted user interface with the desktop's Yes/No/Cancel question.
class ScriptedDesktopUi : public IDesktopUserInterface {
public:
    ScriptedUserInterface script;
    std::deque<MessageAnswer> yesNoCancel;  // Cancel when none is left
    std::vector<std::string> yesNoCancelTexts;

    MessageAnswer ShowMessage(const std::string& text, MessageStyle style, const std::string& title) override {
        return script.ShowMessage(text, style, title);
    }
    std::optional<std::string> ChooseFileToOpen(const FileChooserRequest& request) override {
        return script.ChooseFileToOpen(request);
    }
    std::optional<std::string> ChooseFileToSave(const FileChooserRequest& request) override {
        return script.ChooseFileToSave(request);
    }
    ImageFormatChoice ChooseImageFormat(const std::string& text) override { return script.ChooseImageFormat(text); }
    bool EditComment(std::string& comment) override { return script.EditComment(comment); }
    MessageAnswer AskYesNoCancel(const std::string& text) override {
        yesNoCancelTexts.push_back(text);
        if (yesNoCancel.empty()) return MessageAnswer::Cancel;
        const MessageAnswer answer = yesNoCancel.front();
        yesNoCancel.pop_front();
        return answer;
    }
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const auto& shown : script.shown) texts.push_back(shown.text);
        return texts;
    }
};

struct CurrentDirectoryGuard {
    std::filesystem::path saved = std::filesystem::current_path();
    ~CurrentDirectoryGuard() {
        std::error_code ec;
        std::filesystem::current_path(saved, ec);
    }
};

// Copies an example model and its geometry into dir; the model's path.
inline std::string CopyExample(const TempDir& dir, const std::string& name) {
    const std::filesystem::path from = std::filesystem::path(ELASTRIX_SOURCE_DIR) / "examples" / name;
    for (const auto& entry : std::filesystem::directory_iterator(from))
        std::filesystem::copy_file(entry.path(), std::filesystem::path(dir.Root()) / entry.path().filename(),
                      std::filesystem::copy_options::overwrite_existing);
    return dir.Path(name + ".wmd");
}

// A main window over a fresh installation folder, its dialogs scripted.
struct Window {
    TempDir dir;
    ScriptedDesktopUi ui;
    std::unique_ptr<CMainFrame> frame;

    Window() {
        frame = std::make_unique<CMainFrame>(
            InstallationPaths{dir.Root(), dir.Path("elastrix.dir"), dir.Path("elix.log")},
            CDirectories::Defaults(dir.Root()));
        frame->SetUserInterface(&ui);
        frame->resize(900, 600);
        frame->show();
    }
    ~Window() {
        for (const auto& doc : frame->Documents()) {
            doc->SetRunning(false);
            doc->SetModifiedFlag(false);
        }
        frame->SetBatchRun(true);
        frame->close();
    }

    std::string Example(const std::string& name) const { return CopyExample(dir, name); }

    CElixDoc& Doc() const { return *frame->ActiveDocument(); }
};

// Acts on the modal dialog of type T as soon as it is shown.
template <class T>
void WhenModal(std::function<void(T&)> act) {
    QTimer::singleShot(0, [act] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) act(*dialog);
    });
}


// The folder named by ELASTRIX_SCREENS_DIR, where the tests save pictures
// of their windows for the manual and the README (scripts/screenshot.sh);
// empty when pictures are not wanted.
inline QString ScreensFolder() { return QString::fromLocal8Bit(qgetenv("ELASTRIX_SCREENS_DIR")); }

// Saves widget at its preferred size as ScreensFolder()/name.png; false
// when no pictures are wanted or the file cannot be written.
inline bool SavePicture(QWidget& widget, const QString& name, bool fitContents = true) {
    const QString folder = ScreensFolder();
    if (folder.isEmpty()) return false;
    if (!widget.isVisible()) widget.show();
    if (fitContents) widget.adjustSize();
    QApplication::processEvents();
    return widget.grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}

}  // namespace elix::test

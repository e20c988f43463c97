// The one door through which core operations talk to the user. The desktop
// program implements it with dialogs, batch mode with the log (every
// question answered Yes), the command-line runner with stderr, and tests
// with a scripted double.
#pragma once

#include <optional>
#include <string>

namespace elix {

enum class MessageStyle {
    Plain,        // a message box without icon
    Information,
    Exclamation,  // warning
    Question,     // Yes/No
};

enum class MessageAnswer { Ok, Yes, No, Cancel };

// A file chooser request. filter uses the "Text (*.ext)|*.ext|...||" form.
struct FileChooserRequest {
    std::string title;
    std::string filter;
    std::string defaultExtension;
    std::string startFolder;
    std::string proposedName;
};

class IUserInterface {
public:
    virtual ~IUserInterface() = default;

    // Shows text in a message box of the given style (title empty: the
    // program's name) and returns the answer: Ok for a plain box, Yes or No
    // for a question.
    virtual MessageAnswer ShowMessage(const std::string& text, MessageStyle style, const std::string& title) = 0;

    // File choosers; an empty optional means the user cancelled.
    virtual std::optional<std::string> ChooseFileToOpen(const FileChooserRequest& request) = 0;
    virtual std::optional<std::string> ChooseFileToSave(const FileChooserRequest& request) = 0;
};

}  // namespace elix

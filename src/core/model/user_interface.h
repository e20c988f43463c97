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

// The answer of the "Warning" dialog that offers the two geometry formats
// when saving as PCX would lose resolution: its "&PCX" and "&GEO" buttons,
// or Cancel for "OK", "&Cancel" and closing the window.
enum class ImageFormatChoice { Pcx, Geo, Cancel };

// A file chooser request. filter uses the "Text (*.ext)|*.ext|...||" form.
struct FileChooserRequest {
    std::string title;
    std::string filter;
    std::string defaultExtension;
    std::string startFolder;
    std::string proposedName;
    bool fileMustExist = false;     // open: only an existing file may be chosen
    bool confirmOverwrite = false;  // save: choosing an existing file asks first
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

    // The "Warning" dialog of Save Geometry: shows text and offers the
    // buttons "&PCX", "&GEO", "OK" and "&Cancel".
    virtual ImageFormatChoice ChooseImageFormat(const std::string& text) = 0;

    // The comment editor on comment (lines separated by CR LF). Returns true
    // when the user pressed OK with a changed text, which is then in
    // comment; otherwise comment is left as it was.
    virtual bool EditComment(std::string& comment) = 0;
};

}  // namespace elix

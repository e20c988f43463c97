// The user-interface door of a desktop program started without a display:
// messages go to stderr, questions are answered Yes (as in batch runs),
// file choosers and editors are cancelled, and models are not saved
// unasked.
#pragma once

#include <cstdio>

#include "app/qt_user_interface.h"

namespace elix {

class CConsoleUserInterface : public IDesktopUserInterface {
public:
    MessageAnswer ShowMessage(const std::string& text, MessageStyle style, const std::string& /*title*/) override {
        std::fprintf(stderr, "elastrix: %s\n", text.c_str());
        return style == MessageStyle::Question ? MessageAnswer::Yes : MessageAnswer::Ok;
    }
    std::optional<std::string> ChooseFileToOpen(const FileChooserRequest& /*request*/) override {
        return std::nullopt;
    }
    std::optional<std::string> ChooseFileToSave(const FileChooserRequest& /*request*/) override {
        return std::nullopt;
    }
    ImageFormatChoice ChooseImageFormat(const std::string& /*text*/) override { return ImageFormatChoice::Cancel; }
    bool EditComment(std::string& /*comment*/) override { return false; }
    MessageAnswer AskYesNoCancel(const std::string& /*text*/) override { return MessageAnswer::No; }
};

}  // namespace elix

// A user-interface double for tests: records every message and returns
// planned answers (Yes by default for questions).
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "model/user_interface.h"

namespace elix::test {

class ScriptedUserInterface : public IUserInterface {
public:
    struct Shown {
        std::string text;
        MessageStyle style;
        std::string title;
    };

    std::vector<Shown> shown;
    std::deque<MessageAnswer> answers;  // consumed by questions, front first
    std::deque<std::optional<std::string>> files;
    // Every file chooser request, in order.
    std::vector<FileChooserRequest> fileRequests;
    // Answers of the PCX/GEO dialog (Cancel when none is left) and the
    // texts it was shown.
    std::deque<ImageFormatChoice> formatChoices;
    std::vector<std::string> formatTexts;
    // The comment editor: the comments it was opened on, and the text OK
    // leaves (none: the user cancels).
    std::vector<std::string> editedComments;
    std::optional<std::string> commentAfterEdit;

    MessageAnswer ShowMessage(const std::string& text, MessageStyle style, const std::string& title) override {
        shown.push_back({text, style, title});
        if (style != MessageStyle::Question) return MessageAnswer::Ok;
        if (answers.empty()) return MessageAnswer::Yes;
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::optional<std::string> ChooseFileToOpen(const FileChooserRequest& request) override {
        fileRequests.push_back(request);
        return NextFile();
    }
    std::optional<std::string> ChooseFileToSave(const FileChooserRequest& request) override {
        fileRequests.push_back(request);
        return NextFile();
    }

    ImageFormatChoice ChooseImageFormat(const std::string& text) override {
        formatTexts.push_back(text);
        if (formatChoices.empty()) return ImageFormatChoice::Cancel;
        const ImageFormatChoice choice = formatChoices.front();
        formatChoices.pop_front();
        return choice;
    }

    bool EditComment(std::string& comment) override {
        editedComments.push_back(comment);
        if (!commentAfterEdit || *commentAfterEdit == comment) return false;
        comment = *commentAfterEdit;
        return true;
    }

    std::string LastText() const { return shown.empty() ? std::string() : shown.back().text; }

private:
    std::optional<std::string> NextFile() {
        if (files.empty()) return std::nullopt;
        auto file = files.front();
        files.pop_front();
        return file;
    }
};

}  // namespace elix::test

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

    MessageAnswer ShowMessage(const std::string& text, MessageStyle style, const std::string& title) override {
        shown.push_back({text, style, title});
        if (style != MessageStyle::Question) return MessageAnswer::Ok;
        if (answers.empty()) return MessageAnswer::Yes;
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::optional<std::string> ChooseFileToOpen(const FileChooserRequest&) override { return NextFile(); }
    std::optional<std::string> ChooseFileToSave(const FileChooserRequest&) override { return NextFile(); }

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

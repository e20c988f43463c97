// The command-line runner's user interface: messages go to stderr, and
// questions are answered Yes (the runner works unattended), which is said
// on stderr too so nothing is decided silently.
#pragma once

#include <cstdio>
#include <optional>
#include <string>

#include "model/user_interface.h"

namespace elix::cli {

class TerminalUserInterface : public IUserInterface {
public:
    explicit TerminalUserInterface(std::FILE* out = stderr) : m_out(out) {}

    MessageAnswer ShowMessage(const std::string& text, MessageStyle style, const std::string& title) override;
    std::optional<std::string> ChooseFileToOpen(const FileChooserRequest& request) override;
    std::optional<std::string> ChooseFileToSave(const FileChooserRequest& request) override;
    // Unattended: GEO, the format that keeps the resolution exactly.
    ImageFormatChoice ChooseImageFormat(const std::string& text) override;
    // No editor on a terminal: the comment stays as it is.
    bool EditComment(std::string& comment) override;

    // The next open chooser is answered with path (once); without it
    // choosers are cancelled, as nobody can choose a file.
    void AnswerNextOpen(const std::string& path) { m_nextOpen = path; }
    // The next save chooser is answered with the name it proposes, in the
    // folder it starts in (once).
    void AcceptNextProposedSave() { m_acceptSave = true; }

    // Number of messages shown so far.
    int Count() const { return m_count; }
    const std::string& LastText() const { return m_last; }

private:
    std::FILE* m_out;
    int m_count = 0;
    std::string m_last;
    std::optional<std::string> m_nextOpen;
    bool m_acceptSave = false;
};

}  // namespace elix::cli

#include "terminal_ui.h"

namespace elix::cli {

MessageAnswer TerminalUserInterface::ShowMessage(const std::string& text, MessageStyle style,
                                                 const std::string& title) {
    ++m_count;
    m_last = text;
    const char* kind = style == MessageStyle::Exclamation ? "warning: " : "";
    if (!title.empty()) std::fprintf(m_out, "%s: ", title.c_str());
    std::fprintf(m_out, "%s%s\n", kind, text.c_str());
    if (style == MessageStyle::Question) {
        std::fprintf(m_out, "  (answered Yes)\n");
        return MessageAnswer::Yes;
    }
    return MessageAnswer::Ok;
}

std::optional<std::string> TerminalUserInterface::ChooseFileToOpen(const FileChooserRequest& request) {
    if (m_nextOpen) {
        std::optional<std::string> path;
        path.swap(m_nextOpen);
        return path;
    }
    std::fprintf(m_out, "%s: no file can be chosen on the command line\n", request.title.c_str());
    return std::nullopt;
}

std::optional<std::string> TerminalUserInterface::ChooseFileToSave(const FileChooserRequest& request) {
    if (m_acceptSave && !request.proposedName.empty()) {
        m_acceptSave = false;
        return request.startFolder + request.proposedName;
    }
    std::fprintf(m_out, "%s: no file can be chosen on the command line\n", request.title.c_str());
    return std::nullopt;
}

ImageFormatChoice TerminalUserInterface::ChooseImageFormat(const std::string& text) {
    ++m_count;
    m_last = text;
    std::fprintf(m_out, "Warning: %s\n  (answered GEO)\n", text.c_str());
    return ImageFormatChoice::Geo;
}

bool TerminalUserInterface::EditComment(std::string&) { return false; }

}  // namespace elix::cli

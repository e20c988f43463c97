// Shared by the fuzz targets that read files and reach the user: a private
// scratch folder for the input bytes, and a user interface that answers
// every question with a planned answer, offers planned files to the open
// chooser once each, cancels everything else and counts what it showed.
#pragma once

#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "fuzz_check.h"
#include "model/user_interface.h"

namespace elix::fuzz {

// One folder for the whole fuzzing run, removed at exit. The name is never
// destroyed, so the exit handler can still use it.
inline const std::string& ScratchFolder() {
    static const std::string* folder = [] {
        auto* name = new std::string("/tmp/elastrix-fuzz-XXXXXX");
        FUZZ_CHECK(mkdtemp(name->data()) != nullptr);
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(ScratchFolder(), ec);
        });
        return name;
    }();
    return *folder;
}

// Writes the input bytes to name in the scratch folder; returns its path.
inline std::string WriteScratchFile(const std::string& name, const std::uint8_t* data, std::size_t size) {
    const std::string path = ScratchFolder() + "/" + name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    FUZZ_CHECK(out.good());
    return path;
}

class FuzzUserInterface : public IUserInterface {
public:
    MessageAnswer questionAnswer = MessageAnswer::Yes;
    std::deque<std::string> filesToOpen;
    std::deque<std::string> filesToSave;
    int messages = 0;
    std::string lastText;

    MessageAnswer ShowMessage(const std::string& text, MessageStyle style, const std::string&) override {
        ++messages;
        lastText = text;
        return style == MessageStyle::Question ? questionAnswer : MessageAnswer::Ok;
    }
    std::optional<std::string> ChooseFileToOpen(const FileChooserRequest&) override { return Next(filesToOpen); }
    std::optional<std::string> ChooseFileToSave(const FileChooserRequest&) override { return Next(filesToSave); }
    ImageFormatChoice ChooseImageFormat(const std::string&) override { return ImageFormatChoice::Cancel; }
    bool EditComment(std::string&) override { return false; }

private:
    static std::optional<std::string> Next(std::deque<std::string>& files) {
        if (files.empty()) return std::nullopt;
        std::string path = files.front();
        files.pop_front();
        return path;
    }
};

}  // namespace elix::fuzz

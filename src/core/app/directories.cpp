#include "app/directories.h"

#include <cctype>
#include <cerrno>
#include <string_view>
#include <vector>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/files.h"
#include "platform/text_format.h"

namespace elix {

const std::array<DirectoryEntry, kDirectoryCount> kDirectoryTable = {{
    {"ElastrixModelDir", "Model Files", "Data"},
    {"ElastrixGeoDir", "Geometry Files", "Data"},
    {"ElastrixPcxDir", "PCX Files", "Data"},
    {"ElastrixLibDir", "Material Lib Files", "Library"},
    {"ElastrixRecOutputDir", "Receiver Output Files", "Data"},
    {"ElastrixSrcWaveformDir", "Source Waveform Files", "Data"},
    {"ElastrixDumpFrameDir", "Displacement Files", "Data"},
}};

namespace {

bool IsSpace(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// The table index of a directories-file key, or -1.
int KeyIndex(std::string_view word) {
    for (int k = 0; k < kDirectoryCount; ++k)
        if (EqualNoCase(word, kDirectoryTable[static_cast<std::size_t>(k)].key)) return k;
    return -1;
}

std::optional<std::string> CurrentDirectory() {
    std::vector<char> buffer(4096);
    for (;;) {
        if (getcwd(buffer.data(), buffer.size())) return std::string(buffer.data());
        if (errno != ERANGE || buffer.size() > (std::size_t{1} << 20)) return std::nullopt;
        buffer.resize(buffer.size() * 2);
    }
}

bool ChangeDirectory(const std::string& path) {
    return chdir(path.c_str()) == 0;
}

bool IsDirectory(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// Creates one folder unless it is already there as a directory.
bool EnsureFolder(const std::string& path) {
    if (IsDirectory(path)) return true;
    return mkdir(path.c_str(), 0777) == 0;
}

}  // namespace

CDirectories CDirectories::Defaults(const std::string& rootFolder) {
    CDirectories dirs;
    for (std::size_t k = 0; k < dirs.paths.size(); ++k)
        dirs.paths[k] = rootFolder + "/" + kDirectoryTable[k].subfolder;
    return dirs;
}

std::string ProgramFileFolder(const CDirectories* dirs, DirectoryKind kind, const std::string& modelPath) {
    std::string folder = dirs ? NormalizeSeparators((*dirs)[kind]) : NormalizeSeparators(DirectoryOf(modelPath));
    if (folder.empty()) {
        // A directory left empty in the file, or a model never stored.
        const std::optional<std::string> current = CurrentDirectory();
        folder = current ? *current : std::string(".");
    }
    return folder.back() == '/' ? folder : folder + "/";
}

std::optional<std::string> RootFolderOf(const std::string& programPath) {
    const std::size_t programSlash = programPath.rfind('/');
    if (programSlash == std::string::npos) return std::nullopt;
    const std::string folder = programPath.substr(0, programSlash);
    const std::size_t folderSlash = folder.rfind('/');
    if (folderSlash == std::string::npos) return std::nullopt;
    return folder.substr(0, folderSlash);
}

std::string DirectoriesFileOf(const std::string& programPath) {
    const std::size_t slash = programPath.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = programPath.rfind('.');
    if (dot == std::string::npos || dot < nameStart) return programPath + ".dir";
    return programPath.substr(0, dot) + ".dir";
}

bool ReadDirectoriesFile(const std::string& path, CDirectories& dirs) {
    std::string text;
    if (!ReadWholeFile(path, text)) return false;
    std::size_t pos = 0;
    for (int words = 0; words < kDirectoriesFileWordLimit; ++words) {
        while (pos < text.size() && IsSpace(text[pos])) ++pos;
        if (pos == text.size()) break;
        const std::size_t start = pos;
        while (pos < text.size() && !IsSpace(text[pos])) ++pos;
        const std::string_view word(text.data() + start, pos - start);
        if (word == "EndFile") break;
        const int key = KeyIndex(word);
        if (key < 0) continue;
        // The value: the rest of this line after the blanks that follow the key.
        while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
        const std::size_t newline = text.find('\n', pos);
        if (newline == std::string::npos) break;  // cut short: the value is not trusted
        std::size_t end = newline;
        if (end > pos && text[end - 1] == '\r') --end;
        dirs.paths[static_cast<std::size_t>(key)] = text.substr(pos, end - pos);
        pos = newline + 1;
    }
    return true;
}

std::string DirectoriesFileText(const CDirectories& dirs) {
    std::string text;
    for (std::size_t k = 0; k < dirs.paths.size(); ++k)
        text += Format("%s %s\n", kDirectoryTable[k].key, dirs.paths[k]);
    return text + "EndFile";
}

bool WriteDirectoriesFile(const std::string& path, const CDirectories& dirs) {
    return WriteFileAtomically(path, DirectoriesFileText(dirs));
}

bool CreateFolderPath(const std::string& path) {
    if (path.find('/') == std::string::npos) return true;
    for (std::size_t slash = path.find('/'); slash != std::string::npos; slash = path.find('/', slash + 1)) {
        // The empty prefix of an absolute path is the file-system root.
        if (slash == 0) continue;
        if (!EnsureFolder(path.substr(0, slash))) return false;
    }
    return EnsureFolder(path);
}

bool CheckFolder(const std::string& path, IUserInterface& ui) {
    bool ok = true;
    const std::optional<std::string> remembered = CurrentDirectory();
    if (!remembered) {
        ui.ShowMessage("Unable to get the current path", MessageStyle::Exclamation, "");
        ok = false;
    }
    if (!ChangeDirectory(path)) {
        const MessageAnswer answer =
            ui.ShowMessage(Format("Folder '%s' does not exist. Create a new one?", path), MessageStyle::Question, "");
        if (answer != MessageAnswer::Yes) {
            ok = false;  // the folder stays missing; the user knows, so nothing more is said
        } else if (!CreateFolderPath(path)) {
            ui.ShowMessage(Format("Unable to create folder '%s'.", path), MessageStyle::Exclamation, "");
            ok = false;
        }
    }
    // Without a remembered directory there is nothing to return to.
    if (remembered && !ChangeDirectory(*remembered)) {
        ui.ShowMessage(Format("Unable to change to '%s'.", *remembered), MessageStyle::Exclamation, "");
        ok = false;
    }
    return ok;
}

CDirectories LoadDirectories(const std::string& directoriesFile, const std::string& rootFolder,
                             IUserInterface& ui) {
    CDirectories dirs = CDirectories::Defaults(rootFolder);
    // Only a file that was read moves the program into its model directory;
    // at the first start the checks below come first.
    if (ReadDirectoriesFile(directoriesFile, dirs)) {
        const std::string& model = dirs[DirectoryKind::Model];
        if (!ChangeDirectory(model))
            ui.ShowMessage(Format("Unable to change to '%s'.", model), MessageStyle::Information, "");
    }
    for (const std::string& path : dirs.paths) CheckFolder(path, ui);
    return dirs;
}

void ApplyDirectories(const CDirectories& newValues, const std::string& directoriesFile, CDirectories& current,
                      IUserInterface& ui) {
    for (const std::string& path : newValues.paths) CheckFolder(path, ui);
    const std::string& model = newValues[DirectoryKind::Model];
    if (!ChangeDirectory(model))
        ui.ShowMessage(Format("Unable to change to '%s'.", model), MessageStyle::Exclamation, "");
    current = newValues;
    WriteDirectoriesFile(directoriesFile, current);
    if (!ChangeDirectory(current[DirectoryKind::Model]))
        ui.ShowMessage(Format("Unable to change to %s", current[DirectoryKind::Model]), MessageStyle::Information, "");
}

}  // namespace elix

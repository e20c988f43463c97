// The seven default directories of an installation, the directories file
// that keeps them beside the program, and the folder checks made when they
// are loaded or changed.
//
// Directories file: one line per directory in table order, "<key> <path>\n",
// then the word "EndFile" without a newline. A path may hold blanks: it is
// the rest of the line after the key, the blanks right after the key skipped.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "model/user_interface.h"

namespace elix {

// In the order in which they are read, written, checked and shown.
enum class DirectoryKind { Model, Geometry, Pcx, Library, ReceiverOutput, SourceWaveform, DumpFrame };
inline constexpr int kDirectoryCount = 7;

struct DirectoryEntry {
    const char* key;        // "ElastrixModelDir", ... (compared without regard to case)
    const char* label;      // "Model Files", ... (the Set Directories dialog)
    const char* subfolder;  // the default below the root folder: "Data" or "Library"
};
extern const std::array<DirectoryEntry, kDirectoryCount> kDirectoryTable;

// Words read from a directories file at most.
inline constexpr int kDirectoriesFileWordLimit = 1000;

struct CDirectories {
    std::array<std::string, kDirectoryCount> paths;

    std::string& operator[](DirectoryKind kind) { return paths[static_cast<std::size_t>(kind)]; }
    const std::string& operator[](DirectoryKind kind) const { return paths[static_cast<std::size_t>(kind)]; }

    // root + "/Data" for six of them, root + "/Library" for the library.
    static CDirectories Defaults(const std::string& rootFolder);
};

// The folder for the files the program makes or offers of one kind (images
// made inside the program, frame pictures, displacement dumps, restart
// files) and where its file choosers start: the directory of that kind when
// the program has a directories file (dirs set), otherwise the folder of the
// model file, or the current folder for a model never stored. Ends with '/'.
std::string ProgramFileFolder(const CDirectories* dirs, DirectoryKind kind, const std::string& modelPath);

// The root folder of an installation: the program's folder cut once more at
// its last '/'. A program whose folder has no '/' left ("/elastrix": its
// folder is "") has none: it may not be launched from a root folder.
std::optional<std::string> RootFolderOf(const std::string& programPath);

// The program's path cut at its last '.' (of the file name) with ".dir"
// appended; a name without '.' gets ".dir" appended.
std::string DirectoriesFileOf(const std::string& programPath);

// Reads the directories file over dirs (which the caller has set to the
// defaults): at most 1000 whitespace-separated words; "EndFile" or the end
// of the file stops; a word equal to a key (any case) takes the rest of its
// line, leading blanks skipped, as that directory, unless the file ends
// before the line's newline (then reading stops without storing it); any
// other word is skipped by itself. False when the file cannot be opened
// (dirs untouched).
bool ReadDirectoriesFile(const std::string& path, CDirectories& dirs);

// The file's text: "<key> %s\n" per directory in table order, then "EndFile".
std::string DirectoriesFileText(const CDirectories& dirs);
// Writes that text (atomically); false when the file cannot be written.
bool WriteDirectoriesFile(const std::string& path, const CDirectories& dirs);

// Creates the folder and each missing folder above it, outermost first. A
// path without any '/' counts as done. False at the first folder that
// cannot be created.
bool CreateFolderPath(const std::string& path);

// True when the folder exists, or did not and was created at the user's
// request ("Folder '%s' does not exist. Create a new one?"). The current
// directory is the same afterwards. Reports "Unable to get the current
// path", "Unable to create folder '%s'." and "Unable to change to '%s'."
// (exclamation) and returns false on those failures. No creates nothing and
// reports nothing further.
bool CheckFolder(const std::string& path, IUserInterface& ui);

// The start-up load: defaults for root, then the file over them; the model
// directory becomes the current directory ("Unable to change to '%s'.",
// information, when it cannot); then CheckFolder for each directory in
// table order.
CDirectories LoadDirectories(const std::string& directoriesFile, const std::string& rootFolder,
                             IUserInterface& ui);

// Set Directories after OK: CheckFolder for each new value in table order,
// then a change to the new model directory ("Unable to change to '%s'.",
// exclamation, when it fails). The new values are returned in force and
// written to the directories file (a write failure is not reported); then
// the program changes to the model directory, showing "Unable to change to
// %s" (information) when it cannot.
void ApplyDirectories(const CDirectories& newValues, const std::string& directoriesFile, CDirectories& current,
                      IUserInterface& ui);

}  // namespace elix

// The working copy of the geometry image. The document never edits the
// user's geometry file: editing and runs use a private copy next to it (or,
// for an image made inside the program, in the geometry folder), which is
// deleted when it is replaced and when the document goes away.
//
// Working file names carry a suffix from a process-wide counter: four
// decimal digits and "Tmp" (0000Tmp, 0001Tmp, ..., 9999Tmp, 0000Tmp, ...).
// A copy of plate.pcx is plate0000Tmp.pcx in the same folder; an image made
// inside the program is <folder><title without extension><suffix>.geo.
// A name that already exists is skipped, so no user file is overwritten.
#pragma once

#include <string>

namespace elix {

class CElixDoc;
struct CSource;

// A suffix counter: each request gives the counter as four digits followed
// by "Tmp" and advances it, back to 0 after 9999.
class WorkingFileCounter {
public:
    explicit WorkingFileCounter(int start = 0) : m_next((start % 10000 + 10000) % 10000) {}
    std::string Next();

private:
    int m_next;
};

// The process-wide counter's next suffix (thread-safe).
std::string NextWorkingFileSuffix();

// geometryPath up to (not including) the last '.' of its file name, then
// the suffix, then the last four characters of geometryPath.
std::string WorkingCopyName(const std::string& geometryPath, const std::string& suffix);

// The folder where images made inside the program and the geometry file
// choosers start: the geometry directory while the program has a
// directories file, the model's folder otherwise (ProgramFileFolder).
std::string GeometryDirectory(const CElixDoc& doc);
// Where exported and imported PCX pictures start, by the same rule with the
// PCX directory.
std::string PcxDirectory(const CElixDoc& doc);

// The geometry file that ImageFileName names, relative names taken from the
// model file's folder.
std::string GeometryFilePath(const CElixDoc& doc);

// Copies source to destination in blocks of 1024 bytes. The destination is
// replaced only once the copy is complete. False when either file cannot
// be opened or the copy fails.
bool CopyImageFile(const std::string& source, const std::string& destination);

// Copies the geometry file to a new working copy next to it, under a name
// of the first kind that no file has yet (the name is claimed atomically,
// so two programs never share one). name is the copy's name, or on failure
// the name that could not be made.
bool CreateWorkingCopy(const std::string& geometryPath, std::string& name);

// Replaces the document's working file by a new GEO file of the image made
// inside the program (Create Image, Set Resolution) and sets
// GeometryModified. False with "Unable to create a working file '%s'." in
// MessageText when it cannot be written; WorkingFileName is then "None".
bool ReplaceWithProgramWorkingFile(CElixDoc& doc);

// Reads the image file at path into the document's rows and resolution
// (format from the name's ending), clears ShowsFrame and rebuilds the
// display block; with restoreItems the items go back by the origin offset,
// source wedges are added again and vacuum backings cut (sourceToKeep, when
// its name matches a listed source, stands in for it). On failure the rows
// are freed and MessageText says why.
bool LoadGeometryImage(CElixDoc& doc, const std::string& path, bool restoreItems, const CSource* sourceToKeep);

// A resolution the image can take: a finite number above 0.
bool IsUsableResolution(double dotsPerInch);

// The message of a document without a working image.
inline constexpr const char* kNoImageLoadedText =
    "No Image Loaded! Please use 'Load Geometry' command under Elix -> Geometry menu to load an image"
    " or use 'Create Image' command under Elix -> Geometry menu to create a new one.";

}  // namespace elix

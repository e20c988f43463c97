// File and path helpers of the thin platform layer.
#pragma once

#include <string>
#include <string_view>

namespace elix {

// Stores content at path without ever destroying the previous file: the
// bytes go to a temporary file in the same folder, which is then renamed
// over the target. On failure the temporary file is removed, the old file
// is untouched, and false is returned.
bool WriteFileAtomically(const std::string& path, std::string_view content);

bool FileExists(const std::string& path);

// The whole content of a file; false when it cannot be opened or read (a
// folder, which opens as a stream but throws on the first read, included).
bool ReadWholeFile(const std::string& path, std::string& content);

// A path read from a file may use '\' or '/' as separators; this gives '/'.
std::string NormalizeSeparators(std::string path);

// The folder part of a path, up to and including its last separator
// ("" when there is none). Both separators are accepted.
std::string DirectoryOf(const std::string& path);

// The part after the last separator.
std::string FileNameOf(const std::string& path);

// A path named inside a model file, resolved against the model file's own
// folder when it is relative; absolute paths are kept. Separators become '/'.
std::string ResolveModelRelativePath(const std::string& modelPath, const std::string& name);

}  // namespace elix

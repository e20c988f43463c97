// File and path helpers of the thin platform layer.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace elix {

// Stores content at path without ever destroying the previous file: the
// bytes go to a temporary file in the same folder, which is then renamed
// over the target. On failure the temporary file is removed, the old file
// is untouched, and false is returned.
bool WriteFileAtomically(const std::string& path, std::string_view content);

// The same protocol for content written in pieces (large binary files):
// Open creates the temporary file, Write appends, Commit renames it over
// the target. A file never committed is removed by the destructor.
class CAtomicFile {
public:
    CAtomicFile() = default;
    CAtomicFile(const CAtomicFile&) = delete;
    CAtomicFile& operator=(const CAtomicFile&) = delete;
    ~CAtomicFile() { Discard(); }

    bool Open(const std::string& path);
    bool Write(const void* data, std::size_t size);
    bool Write(std::string_view text) { return Write(text.data(), text.size()); }
    bool Commit();
    void Discard();

private:
    std::string m_path, m_temp;
    int m_fd = -1;
    bool m_ok = false;
};

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

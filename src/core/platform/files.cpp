#include "platform/files.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/text_format.h"

namespace elix {

bool CAtomicFile::Open(const std::string& path) {
    Discard();
    m_path = path;
    m_temp = path + ".XXXXXX";
    m_fd = mkstemp(m_temp.data());
    m_ok = m_fd >= 0;
    if (!m_ok) return false;
    // mkstemp creates the file readable by its owner only; a saved file
    // gets the usual permissions (subject to the umask).
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(m_fd, 0666 & ~mask);
    return true;
}

bool CAtomicFile::Write(const void* data, std::size_t size) {
    const char* bytes = static_cast<const char*>(data);
    std::size_t done = 0;
    while (m_ok && done < size) {
        const ssize_t n = write(m_fd, bytes + done, size - done);
        if (n <= 0) m_ok = false;
        else done += static_cast<std::size_t>(n);
    }
    return m_ok;
}

bool CAtomicFile::Commit() {
    if (m_fd < 0) return false;
    if (close(m_fd) != 0) m_ok = false;
    m_fd = -1;
    if (m_ok && std::rename(m_temp.c_str(), m_path.c_str()) != 0) m_ok = false;
    if (!m_ok) std::remove(m_temp.c_str());
    m_temp.clear();
    return m_ok;
}

void CAtomicFile::Discard() {
    if (m_fd >= 0) close(m_fd);
    m_fd = -1;
    if (!m_temp.empty()) std::remove(m_temp.c_str());
    m_temp.clear();
    m_ok = false;
}

bool WriteFileAtomically(const std::string& path, std::string_view content) {
    CAtomicFile file;
    return file.Open(path) && file.Write(content) && file.Commit();
}

bool ReadWholeFile(const std::string& path, std::string& content) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) return false;
    try {
        std::ifstream in(path, std::ios::binary);
        if (!in) return false;
        content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        return !in.bad();
    } catch (const std::exception&) {
        return false;
    }
}

bool FileExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

std::string NormalizeSeparators(std::string path) {
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}

std::string DirectoryOf(const std::string& path) {
    const auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string FileNameOf(const std::string& path) {
    const auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string ResolveModelRelativePath(const std::string& modelPath, const std::string& name) {
    std::string normal = NormalizeSeparators(name);
    if (!normal.empty() && normal[0] == '/') return normal;
    return NormalizeSeparators(DirectoryOf(modelPath)) + normal;
}

}  // namespace elix

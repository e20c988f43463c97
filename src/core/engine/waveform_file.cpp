#include "engine/waveform_file.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "model/text_reader.h"
#include "platform/files.h"
#include "platform/text_format.h"

namespace elix {
namespace {

bool IsWhite(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// The content with every CR LF pair turned into LF.
std::string WithLineFeeds(std::string_view content) {
    std::string text;
    text.reserve(content.size());
    for (std::size_t k = 0; k < content.size(); ++k) {
        if (content[k] == '\r' && k + 1 < content.size() && content[k + 1] == '\n') continue;
        text += content[k];
    }
    return text;
}

}  // namespace

WaveformStatus ParseWaveformText(std::string_view content, CWaveformTable& table) {
    const std::string text = WithLineFeeds(content);
    const std::size_t size = text.size();

    // Header: the first white-space delimited word.
    std::size_t pos = 0;
    while (pos < size && IsWhite(text[pos])) ++pos;
    const std::size_t wordStart = pos;
    while (pos < size && !IsWhite(text[pos])) ++pos;
    const std::string_view header = std::string_view(text).substr(wordStart, pos - wordStart);
    if (header != kWaveformHeader && header != kOldWaveformHeader) return WaveformStatus::WrongFormat;

    // Comment: the first run of lines beginning with '#' after the header line.
    std::string comment;
    std::size_t dataStart = pos;
    std::size_t line = text.find('\n', pos);
    if (line != std::string::npos) {
        ++line;
        while (line < size && text[line] != '#') {
            const std::size_t end = text.find('\n', line);
            line = end == std::string::npos ? size : end + 1;
        }
        if (line < size) {
            while (line < size && text[line] == '#') {
                const std::size_t end = text.find('\n', line);
                if (end == std::string::npos) return WaveformStatus::WrongFormat;
                // A '#' line is never empty, so a non-empty comment means a
                // line before this one; the last line end is not kept.
                // A CR before the line end belongs to the line end.
                std::size_t stop = end;
                while (stop > line && text[stop - 1] == '\r') --stop;
                if (!comment.empty()) comment += '\n';
                comment.append(text, line, stop - line);
                line = end + 1;
            }
            dataStart = line;
        }
    }

    // Samples.
    CTextReader reader(std::string_view(text).substr(dataStart));
    long long count = 0;
    if (!reader.ReadLong(count) || count < 0) return WaveformStatus::WrongFormat;
    if (count == 0) return WaveformStatus::NotEnoughData;
    // Every number takes at least one character and one separator: a count
    // the rest of the file cannot hold fails before anything is allocated.
    const std::size_t rest = size - dataStart;
    if (static_cast<unsigned long long>(count) > rest / 2 + 1) return WaveformStatus::NotEnoughData;
    std::vector<float> values;
    values.reserve(static_cast<std::size_t>(count));
    for (long long k = 0; k < count; ++k) {
        double v = 0.0;
        if (!reader.ReadDouble(v)) return WaveformStatus::NotEnoughData;
        const float f = static_cast<float>(v);
        if (!std::isfinite(f)) return WaveformStatus::WrongFormat;
        values.push_back(f);
    }
    table.values = std::move(values);
    table.comment = std::move(comment);
    return WaveformStatus::Ok;
}

WaveformStatus ReadWaveformFile(const std::string& path, CWaveformTable& table) {
    std::string content;
    if (!ReadWholeFile(path, content)) return WaveformStatus::CannotOpen;
    return ParseWaveformText(content, table);
}

std::string WaveformFileMessage(WaveformStatus status, const std::string& path) {
    switch (status) {
        case WaveformStatus::Ok:
            return std::string();
        case WaveformStatus::CannotOpen:
            return Format("Unable to open file '%s'.\n", path) +
                   "Make sure the file exist or Choose 'Source Configuration' command under Elix menu to change user "
                   "time function files by click 'Change User Files' button.";
        case WaveformStatus::WrongFormat:
            return Format("'%s' has wrong format.", path);
        case WaveformStatus::NotEnoughData:
            return Format("Not enough data points in file '%s'.", path);
    }
    return std::string();
}

std::string SourceSignalFileMessage(WaveformStatus status, const std::string& path) {
    switch (status) {
        case WaveformStatus::Ok:
            return std::string();
        case WaveformStatus::CannotOpen:
            return Format("Unable to open source signal file '%s'.", path);
        case WaveformStatus::WrongFormat:
            return Format("Source signal file '%s' has wrong format.", path);
        case WaveformStatus::NotEnoughData:
            return Format("Not enough data points in source signal file '%s'.", path);
    }
    return std::string();
}

std::string NormalizeWaveformComment(std::string_view comment) {
    if (!comment.empty() && comment.back() == '\n') comment.remove_suffix(1);
    if (comment.empty()) return std::string();
    std::string result;
    result.reserve(comment.size() + 8);
    while (true) {
        const std::size_t end = comment.find('\n');
        std::string_view line = comment.substr(0, end);
        while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line.front() != '#') result += '#';
        result += line;
        if (end == std::string_view::npos) break;
        result += '\n';
        comment.remove_prefix(end + 1);
    }
    return result;
}

std::string WaveformFileText(const CWaveformTable& table) {
    std::string text = std::string(kWaveformHeader) + "\n";
    const std::string comment = NormalizeWaveformComment(table.comment);
    if (!comment.empty()) text += comment + "\n";
    text += Format("%d\n", static_cast<long long>(table.values.size()));
    for (float v : table.values) text += Format("%.9g\n", v);
    return text;
}

bool WriteWaveformFile(const std::string& path, const CWaveformTable& table) {
    return WriteFileAtomically(path, WaveformFileText(table));
}

bool UpdateWaveformComment(const std::string& path, const std::string& comment, std::string& message) {
    CWaveformTable table;
    const WaveformStatus status = ReadWaveformFile(path, table);
    if (status != WaveformStatus::Ok) {
        message = WaveformFileMessage(status, path);
        return false;
    }
    table.comment = comment;
    if (!WriteWaveformFile(path, table)) {
        message = kWaveformCommentNotUpdated;
        return false;
    }
    return true;
}

bool CWaveformStore::LoadUserWaveform(int index, const std::string& name, const std::string& modelPath,
                                      std::string& message) {
    if (index != 1 && index != 2) {
        message = Format("There is no user waveform %d; only User1 and User2 are loaded from files.", index);
        return false;
    }
    const std::string path = ResolveModelRelativePath(modelPath, name);
    CWaveformTable table;
    const WaveformStatus status = ReadWaveformFile(path, table);
    if (status != WaveformStatus::Ok) {
        message = WaveformFileMessage(status, path);
        return false;
    }
    (index == 1 ? user1 : user2) = std::move(table);
    return true;
}

const CWaveformTable* CWaveformStore::UserTable(int index) const {
    if (index == 1) return &user1;
    if (index == 2) return &user2;
    return nullptr;
}

const CWaveformFileEntry& CWaveformStore::FindOrLoadFile(const std::string& path) {
    for (const CWaveformFileEntry& entry : files)
        if (entry.path == path) return entry;
    CWaveformFileEntry entry;
    entry.path = path;
    entry.status = ReadWaveformFile(path, entry.table);
    files.push_back(std::move(entry));
    return files.back();
}

void CWaveformStore::ForgetFailedFiles() {
    std::erase_if(files, [](const CWaveformFileEntry& e) { return e.status != WaveformStatus::Ok; });
}

}  // namespace elix

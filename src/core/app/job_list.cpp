#include "app/job_list.h"

#include <algorithm>
#include <cstddef>

#include "model/model_file.h"
#include "platform/files.h"
#include "platform/text_format.h"

namespace elix {
namespace {

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// The first whitespace-delimited word of text and the position after it.
std::string_view LeadingWord(std::string_view text, std::size_t& end) {
    std::size_t begin = 0;
    while (begin < text.size() && IsBlank(text[begin])) ++begin;
    end = begin;
    while (end < text.size() && !IsBlank(text[end])) ++end;
    return text.substr(begin, end - begin);
}

// A line without the blanks at its start and the line end (CR LF or LF) and
// blanks at its end.
std::string_view TrimLine(std::string_view line) {
    std::size_t begin = 0;
    while (begin < line.size() && IsBlank(line[begin])) ++begin;
    std::size_t end = line.size();
    while (end > begin && IsBlank(line[end - 1])) --end;
    return line.substr(begin, end - begin);
}

// The job paths of a batch list text after its start marker: up to the end
// marker or the end of the text, blank lines skipped.
std::vector<std::string> JobLines(std::string_view text, std::size_t from) {
    std::vector<std::string> paths;
    // The rest of the start marker's line is not a job.
    std::size_t pos = text.find('\n', from);
    while (pos != std::string_view::npos) {
        const std::size_t begin = pos + 1;
        pos = text.find('\n', begin);
        const std::size_t end = pos == std::string_view::npos ? text.size() : pos;
        const std::string_view line = TrimLine(text.substr(begin, end - begin));
        if (line.empty()) continue;
        if (EqualsIgnoringCase(line, kBatchListEndMarker)) break;
        paths.emplace_back(line);
    }
    return paths;
}

}  // namespace

FileChooserRequest AddJobsRequest(const std::string& startFolder) {
    FileChooserRequest request{"Add jobs for this session", kModelFileFilter, "", startFolder, "", false, false};
    request.fileMustExist = true;
    return request;
}

FileChooserRequest LoadBatchListRequest(const std::string& startFolder) {
    FileChooserRequest request{
        "Load a batch job list file", kBatchFileFilter, kBatchFileExtension, startFolder, "", false, false};
    request.fileMustExist = true;
    return request;
}

FileChooserRequest SaveBatchListRequest(const std::string& startFolder) {
    FileChooserRequest request{
        "Save a batch job list file", kBatchFileFilter, kBatchFileExtension, startFolder, "", false, false};
    request.confirmOverwrite = true;
    return request;
}

std::vector<CJobList::Row> CJobList::ShownRows() const {
    std::vector<Row> rows;
    const int last = std::min(m_firstShown + kRowsPerPage, Count());
    for (int k = m_firstShown; k < last; ++k) rows.push_back({m_paths[static_cast<std::size_t>(k)], Marked(k)});
    return rows;
}

std::string CJobList::StatusText() const {
    if (Empty()) return Format("%s\nThere is no file in the list.", m_listFileName);
    const int last = std::min(m_firstShown + kRowsPerPage, Count());
    return Format("%s\nJob No.: %d-%d, total: %d", m_listFileName, m_firstShown + 1, last, Count());
}

void CJobList::StoreRows(const std::vector<Row>& rows) {
    const int shown = std::min({static_cast<int>(rows.size()), kRowsPerPage, Count() - m_firstShown});
    for (int k = 0; k < shown; ++k) {
        const auto index = static_cast<std::size_t>(m_firstShown + k);
        m_paths[index] = rows[static_cast<std::size_t>(k)].path;
        m_marks[index] = rows[static_cast<std::size_t>(k)].marked;
    }
}

bool CJobList::Up() {
    if (m_firstShown < kRowsPerPage) return false;
    m_firstShown -= kRowsPerPage;
    return true;
}

bool CJobList::Down() {
    if (m_firstShown >= Count() - kRowsPerPage) return false;
    m_firstShown += kRowsPerPage;
    return true;
}

int CJobList::AddFiles(const std::vector<std::string>& paths, IUserInterface& ui) {
    int added = 0;
    for (const std::string& path : paths) {
        if (Contains(path)) continue;
        if (Count() >= kMaxJobs) {
            ui.ShowMessage(Format("Selected jobs reached the maximum (%d), no more job can be added.", kMaxJobs),
                           MessageStyle::Exclamation, std::string());
            break;
        }
        Append(path);
        ++added;
    }
    return added;
}

bool CJobList::DeleteSelected(IUserInterface& ui) {
    if (ui.ShowMessage("Do you want to delete all marked jobs in the session?", MessageStyle::Question,
                       std::string()) != MessageAnswer::Yes)
        return false;
    std::vector<std::string> kept;
    for (int k = 0; k < Count(); ++k)
        if (!Marked(k)) kept.push_back(m_paths[static_cast<std::size_t>(k)]);
    m_paths = std::move(kept);
    m_marks.assign(m_paths.size(), false);
    ClampFirstShown();
    return true;
}

bool CJobList::DeleteAll(IUserInterface& ui) {
    if (ui.ShowMessage("Do you want to delete all jobs in the session?", MessageStyle::Question, std::string()) !=
        MessageAnswer::Yes)
        return false;
    m_paths.clear();
    m_marks.clear();
    m_firstShown = 0;
    return true;
}

bool CJobList::LoadBatchFile(const std::string& path, IUserInterface& ui) {
    std::string text;
    if (!ReadWholeFile(path, text)) {
        ui.ShowMessage(Format("Can't open the batch file '%s'.", path), MessageStyle::Exclamation, std::string());
        return false;
    }
    std::size_t afterMarker = 0;
    if (!EqualsIgnoringCase(LeadingWord(text, afterMarker), kBatchListStartMarker)) {
        ui.ShowMessage("Wrong file.", MessageStyle::Exclamation, std::string());
        return false;
    }
    for (const std::string& job : JobLines(text, afterMarker)) {
        if (Count() >= kMaxJobs) break;
        Append(job);
    }
    m_listFileName = path;
    return true;
}

std::string CJobList::BatchFileText(const std::vector<std::string>& paths) {
    std::string text = Format("%s\n", kBatchListStartMarker);
    for (const std::string& path : paths) text += Format("%s\n", path);
    text += Format("%s\n", kBatchListEndMarker);
    return text;
}

bool CJobList::SaveBatchFile(const std::string& path, IUserInterface& ui) {
    if (!WriteFileAtomically(path, BatchFileText(m_paths))) {
        ui.ShowMessage(Format("Batch job list file '%s' can't be saved.", path), MessageStyle::Exclamation,
                       std::string());
        return false;
    }
    m_listFileName = path;
    return true;
}

bool CJobList::Load(IUserInterface& ui, const std::string& startFolder) {
    const auto path = ui.ChooseFileToOpen(LoadBatchListRequest(startFolder));
    return path && LoadBatchFile(*path, ui);
}

bool CJobList::Save(IUserInterface& ui, const std::string& startFolder) {
    if (m_listFileName.empty()) return SaveAs(ui, startFolder);
    return SaveBatchFile(m_listFileName, ui);
}

bool CJobList::SaveAs(IUserInterface& ui, const std::string& startFolder) {
    const auto path = ui.ChooseFileToSave(SaveBatchListRequest(startFolder));
    return path && SaveBatchFile(*path, ui);
}

bool CJobList::Contains(const std::string& path) const {
    return std::any_of(m_paths.begin(), m_paths.end(),
                       [&path](const std::string& job) { return EqualsIgnoringCase(job, path); });
}

void CJobList::Append(const std::string& path) {
    m_paths.push_back(path);
    m_marks.push_back(false);
}

void CJobList::ClampFirstShown() {
    if (m_firstShown < Count()) return;
    m_firstShown = Empty() ? 0 : (Count() - 1) / kRowsPerPage * kRowsPerPage;
}

}  // namespace elix

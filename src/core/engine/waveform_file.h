// Sampled source signals: the waveform file (.wtf) and the waveform tables a
// document holds for a run (User1, User2 and the cache of File waveforms).
//
// A waveform file is text:
//   <<TimeFunction>>          (the older "<TimeFunction>" is read as well)
//   # optional comment lines,
//   # each beginning with '#'
//   N                         number of samples
//   w0 w1 ... w(N-1)          the samples, white-space separated
// The samples are stretched evenly over the duration of the excitation that
// uses them, so a file carries no time step.
#pragma once

#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace elix {

inline constexpr const char* kWaveformHeader = "<<TimeFunction>>";
inline constexpr const char* kOldWaveformHeader = "<TimeFunction>";
// Shown by the waveform dialogs for an empty comment, and when a comment
// edit could not be written back.
inline constexpr const char* kNoWaveformComment = "No comment in this file.";
inline constexpr const char* kWaveformCommentNotUpdated = "Comment has not been updated.";

// One sampled signal.
struct CWaveformTable {
    std::vector<float> values;  // the samples; their count is values.size()
    // The comment lines of the file exactly as read, '#' included, joined by
    // '\n', without the last line end; empty when the file has none.
    std::string comment;

    bool operator==(const CWaveformTable&) const = default;
};

enum class WaveformStatus { Ok, CannotOpen, WrongFormat, NotEnoughData };

// Reads waveform text already in memory. On failure the table is left as
// it was. Rules:
// - the first white-space delimited word must be the header;
// - the comment is the first run of consecutive lines beginning with '#'
//   after the header line; the samples follow it. With no such line the
//   samples follow the header directly and the comment is empty. A '#' line
//   that is the last of the file without a line end is a format error;
// - N (a "%d" token) must be at least 1 (0 samples: NotEnoughData; a
//   negative or missing count: WrongFormat);
// - fewer than N numbers before the end of the file or before a token that
//   is not a number: NotEnoughData (checked against the file size before
//   anything is allocated, so an absurd N costs nothing);
// - a sample that is not a finite float (nan, inf, 1e39): WrongFormat.
// Anything after the N samples is ignored. A CR LF pair counts as one line
// end, and CRs at the end of a comment line are not kept.
WaveformStatus ParseWaveformText(std::string_view content, CWaveformTable& table);

// Reads the whole file, then ParseWaveformText. A missing or unreadable
// file, or a folder, is CannotOpen.
WaveformStatus ReadWaveformFile(const std::string& path, CWaveformTable& table);

// The messages for a user waveform file (User1/User2) and for a File
// waveform of a source ("source signal file"); "" for Ok.
std::string WaveformFileMessage(WaveformStatus status, const std::string& path);
std::string SourceSignalFileMessage(WaveformStatus status, const std::string& path);

// The comment as the writer stores it: a final line end dropped, CRs at the
// end of each line removed, and every line that does not begin with '#'
// given one. A comment read from a file is returned unchanged.
std::string NormalizeWaveformComment(std::string_view comment);

// The file text: the header, the normalised comment lines, N and one sample
// per line. Samples are written "%.9g", which gives back every float exactly.
std::string WaveformFileText(const CWaveformTable& table);

// Writes WaveformFileText to path through a temporary file, so the previous
// file survives a failure.
bool WriteWaveformFile(const std::string& path, const CWaveformTable& table);

// Replaces the comment of an existing waveform file, keeping its samples.
// False with the read message when the file cannot be read, or with
// kWaveformCommentNotUpdated when it cannot be written.
bool UpdateWaveformComment(const std::string& path, const std::string& comment, std::string& message);

// A File waveform met during a run: the result of reading it is kept, good or
// bad, so the file is read once.
struct CWaveformFileEntry {
    std::string path;  // as opened (resolved against the model's folder)
    WaveformStatus status = WaveformStatus::Ok;
    CWaveformTable table;
};

// The waveform tables of a document.
struct CWaveformStore {
    CWaveformTable user1;
    CWaveformTable user2;
    // Every File waveform met so far, in the order met. A deque, so that a
    // reference to an entry stays valid while the cache grows.
    std::deque<CWaveformFileEntry> files;

    // Loads User1 (index 1) or User2 (index 2) from the file name, a path
    // relative to the folder of modelPath or absolute. On failure the table
    // keeps what it held and message says why.
    bool LoadUserWaveform(int index, const std::string& name, const std::string& modelPath, std::string& message);

    // User1 or User2; nullptr for any other index.
    const CWaveformTable* UserTable(int index) const;

    // The cache entry for an already resolved path, reading the file the
    // first time the path is met.
    const CWaveformFileEntry& FindOrLoadFile(const std::string& path);

    // Drops the entries whose file could not be read, so that a file the
    // user has since repaired is read again by the next run.
    void ForgetFailedFiles();
};

}  // namespace elix

// The job list of the Multi Jobs Control Panel (CMultiJobsDlg) without its
// window: up to 128 model paths in run order with their check marks, the
// page of ten rows on show, the batch list file (.wbf) it was last loaded
// from or saved to, and the status text under the rows. The panel moves the
// row contents in and out; every rule lives here.
//
// A batch list file is plain text, one item per line:
//   <<ElastrixBatchJobList>>
//   /full/path/of/model1.wmd
//   ...
//   <<EndElastrixBatchJobList>>
#pragma once

#include <string>
#include <vector>

#include "model/user_interface.h"

namespace elix {

inline constexpr const char* kBatchListStartMarker = "<<ElastrixBatchJobList>>";
inline constexpr const char* kBatchListEndMarker = "<<EndElastrixBatchJobList>>";
inline constexpr const char* kBatchFileFilter = "Elastrix Batch Files (*.wbf)|*.wbf|All Files (*.*)|*.*||";
inline constexpr const char* kBatchFileExtension = "wbf";

// The file choosers of the panel. startFolder is the model directory.
// Add Files lets the user pick several existing model files at once (the
// window's chooser allows 4096 characters of names).
FileChooserRequest AddJobsRequest(const std::string& startFolder);
FileChooserRequest LoadBatchListRequest(const std::string& startFolder);
FileChooserRequest SaveBatchListRequest(const std::string& startFolder);

class CJobList {
public:
    static constexpr int kMaxJobs = 128;
    static constexpr int kRowsPerPage = 10;

    // One row of the panel: its path field and its check box.
    struct Row {
        std::string path;
        bool marked = false;
    };

    int Count() const { return static_cast<int>(m_paths.size()); }
    bool Empty() const { return m_paths.empty(); }
    const std::vector<std::string>& Paths() const { return m_paths; }
    bool Marked(int index) const { return m_marks[static_cast<std::size_t>(index)]; }
    // Index of the job in the first visible row.
    int FirstShown() const { return m_firstShown; }
    // The batch list file last loaded or saved; empty at first.
    const std::string& ListFileName() const { return m_listFileName; }

    // The rows that show a job, from the first shown job on (at most ten).
    std::vector<Row> ShownRows() const;
    // "%s\nThere is no file in the list." or "%s\nJob No.: %d-%d, total: %d"
    // with the list file name, the first and last shown job numbers (from
    // 1) and the job count.
    std::string StatusText() const;

    // Takes the edited paths and ticks of the visible rows back into the
    // list (what "&Up", "&Down" and "Del Selected" do first). rows[k] is
    // row k of the page; rows that show no job are ignored.
    void StoreRows(const std::vector<Row>& rows);

    // Previous / next ten jobs; false (nothing changes) on the first / last
    // page.
    bool Up();
    bool Down();

    // Appends each path that is not in the list yet (compared without
    // regard to letter case). When the list is full, the first refused path
    // gives "Selected jobs reached the maximum (%d), no more job can be
    // added." and the rest are dropped. Returns the number added.
    int AddFiles(const std::vector<std::string>& paths, IUserInterface& ui);

    // Asks "Do you want to delete all marked jobs in the session?"; Yes
    // removes the ticked jobs, keeps the others in their order and clears
    // every tick. Returns true when the list changed.
    bool DeleteSelected(IUserInterface& ui);
    // Asks "Do you want to delete all jobs in the session?"; Yes empties it.
    bool DeleteAll(IUserInterface& ui);

    // Appends the jobs of a batch list file (up to the capacity; further
    // paths are ignored) and makes it the list file name. On failure the
    // list is unchanged and the message was shown.
    bool LoadBatchFile(const std::string& path, IUserInterface& ui);
    // Writes the list to path (atomically) and makes it the list file name;
    // failure: "Batch job list file '%s' can't be saved.".
    bool SaveBatchFile(const std::string& path, IUserInterface& ui);

    // "&Load": the chooser, then LoadBatchFile. False when cancelled or failed.
    bool Load(IUserInterface& ui, const std::string& startFolder);
    // "&Save": to the list file name, or as "Save As" when there is none.
    bool Save(IUserInterface& ui, const std::string& startFolder);
    // "Save As": the save chooser, then SaveBatchFile.
    bool SaveAs(IUserInterface& ui, const std::string& startFolder);

    // The text of a batch list file holding paths.
    static std::string BatchFileText(const std::vector<std::string>& paths);

private:
    bool Contains(const std::string& path) const;
    void Append(const std::string& path);
    // Keeps the first shown job on a page that shows at least one job.
    void ClampFirstShown();

    std::vector<std::string> m_paths;
    std::vector<bool> m_marks;
    int m_firstShown = 0;
    std::string m_listFileName;
};

}  // namespace elix

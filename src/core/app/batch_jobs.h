// Batch jobs: a list of models run one after another without a user at the
// screen. One document runs every job with the batch log attached, so every
// message a job would show is appended to the log (time line, then
// "(title) text") and every question it asks is answered Yes. The window
// (or the command-line runner) supplies the run monitors through an
// observer and shows the few questions the batch itself asks.
#pragma once

#include <fstream>
#include <ostream>
#include <string>
#include <vector>

#include "model/user_interface.h"

namespace elix {

class CElixDoc;
class IRunMonitor;

// How one job of a batch ended.
enum class BatchJobResult {
    NotOpened,  // the model file could not be read; the reason is in the log
    Finished,   // ran to its last step
    Stopped,    // the user stopped its run
    Failed,     // its run failed (the reason is in the log) or did not start
};

struct BatchJobInfo {
    int number = 0;  // from 1
    int count = 0;
    std::string path;
    std::string statusText;  // "Job %d of %d", for the status bar
};

// The caller's side of a batch: a monitor for each run and word of each end.
class IBatchObserver {
public:
    virtual ~IBatchObserver() = default;
    // The job's model is open in doc and is about to run. The monitor
    // returned must stay valid until JobEnded of this job. The observer may
    // adjust doc's job parameters (the command line's thread count).
    virtual IRunMonitor& MonitorFor(const BatchJobInfo& job, CElixDoc& doc) = 0;
    // True when the job goes on from a restart file (chosen through the
    // document's user interface) instead of starting at step 0.
    virtual bool RestartJob(const BatchJobInfo& job) {
        (void)job;
        return false;
    }
    // After every job, run or not; doc still holds the job's model when it
    // opened (its receivers name the output files written).
    virtual void JobEnded(const BatchJobInfo& job, const CElixDoc& doc, BatchJobResult result) {
        (void)job;
        (void)doc;
        (void)result;
    }
};

struct BatchSummary {
    int finished = 0;
    int failed = 0;           // not opened, failed or not started
    int stopped = 0;          // stopped by the user
    bool endedEarly = false;  // the user chose not to go on after a stop
    // True when every one of count jobs ran to its end.
    bool AllFinished(int count) const { return finished == count; }
};

// "Job %d of %d".
std::string JobStatusText(int number, int count);

// The question asked before a batch starts, naming the log file.
std::string RunJobsReadyQuestion(const std::string& logPath);
// The question asked after a batch, offering to open the log file.
std::string JobsFinishedQuestion(const std::string& logPath);

// Opens the log file for appending (earlier entries stay). On failure shows
// "Unable to open log file %s. Jobs are aborted." and returns false.
bool OpenBatchLog(const std::string& logPath, std::ofstream& log, IUserInterface& ui);

// Runs the jobs in list order in one document whose messages go to log.
// A model that does not open is skipped (its reason logged) and the next
// one runs; after a job the user stopped, unless it is the last, ui asks
// "You just aborted the current job. Continue to run other jobs?" and No
// ends the batch. The working file of each job's geometry is deleted after
// it.
BatchSummary RunJobList(const std::vector<std::string>& jobs, std::ostream& log, IUserInterface& ui,
                        IBatchObserver& observer);

// File > Run Multi Jobs after "&Run": the ready question, the log, the
// batch and the finished question. An empty list runs nothing and asks
// nothing.
struct MultiJobsOutcome {
    bool ran = false;  // the user was ready and the log opened
    BatchSummary summary;
    bool openLog = false;  // the user asked to see the log in the text editor
};
MultiJobsOutcome RunMultiJobs(const std::vector<std::string>& jobs, const std::string& logPath, IUserInterface& ui,
                              IBatchObserver& observer);

// The unattended run of one model named on the command line, with its
// messages appended to the log. False when the log cannot be opened (the
// message was shown and nothing ran); summary receives the job's end.
bool RunJobsFromCommandLine(const std::string& modelPath, const std::string& logPath, IUserInterface& ui,
                            IBatchObserver& observer, BatchSummary* summary = nullptr);

}  // namespace elix

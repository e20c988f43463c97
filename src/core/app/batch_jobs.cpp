#include "app/batch_jobs.h"

#include "engine/run.h"
#include "model/elix_doc.h"
#include "platform/files.h"
#include "platform/text_format.h"

namespace elix {
namespace {

BatchJobResult ResultOf(RunOutcome outcome) {
    switch (outcome) {
        case RunOutcome::Finished:
            return BatchJobResult::Finished;
        case RunOutcome::Stopped:
            return BatchJobResult::Stopped;
        case RunOutcome::Declined:
        case RunOutcome::Failed:
            break;
    }
    return BatchJobResult::Failed;
}

void Count(BatchSummary& summary, BatchJobResult result) {
    switch (result) {
        case BatchJobResult::Finished:
            ++summary.finished;
            break;
        case BatchJobResult::Stopped:
            ++summary.stopped;
            break;
        case BatchJobResult::NotOpened:
        case BatchJobResult::Failed:
            ++summary.failed;
            break;
    }
}

// Opens the job's model into doc and runs it to its end. The model reader
// leaves the reason of a failure in the message text without showing it:
// it goes to the log here, under the job's file name.
BatchJobResult RunOneJob(CElixDoc& doc, const BatchJobInfo& job, IBatchObserver& observer) {
    if (!doc.ReadModel(job.path)) {
        if (!doc.MessageText().empty()) {
            doc.SetTitle(FileNameOf(job.path));
            doc.ReportMessage(doc.MessageText(), MessageStyle::Exclamation);
        }
        return BatchJobResult::NotOpened;
    }
    IRunMonitor& monitor = observer.MonitorFor(job, doc);
    return ResultOf(Run(doc, monitor, observer.RestartJob(job)));
}

bool AskToContinueAfterStop(IUserInterface& ui) {
    return ui.ShowMessage("You just aborted the current job. Continue to run other jobs?", MessageStyle::Question,
                          std::string()) == MessageAnswer::Yes;
}

}  // namespace

std::string JobStatusText(int number, int count) {
    return Format("Job %d of %d", number, count);
}

std::string RunJobsReadyQuestion(const std::string& logPath) {
    return Format("This program is going to run the jobs and a log file %s will be created. ", logPath) +
           "All warning and error messages will be saved in the log file.\n" +
           "Note: Newer receiver output files may overwrite older ones.\n\n" +
           "Press F1 for more information. Are you ready to run the jobs?";
}

std::string JobsFinishedQuestion(const std::string& logPath) {
    return Format("Jobs are finished. Please check log file %s to see if ", logPath) +
           "there are any warning and error messages.\n" + "To open the log file, click 'Yes'. Otherwise click 'No'";
}

bool OpenBatchLog(const std::string& logPath, std::ofstream& log, IUserInterface& ui) {
    log.open(logPath, std::ios::out | std::ios::app);
    if (log.is_open()) return true;
    ui.ShowMessage(Format("Unable to open log file %s. Jobs are aborted.", logPath), MessageStyle::Exclamation,
                   std::string());
    return false;
}

BatchSummary RunJobList(const std::vector<std::string>& jobs, std::ostream& log, IUserInterface& ui,
                        IBatchObserver& observer) {
    BatchSummary summary;
    CElixDoc doc;
    doc.SetUserInterface(&ui);
    doc.SetBatchLog(&log);
    const int count = static_cast<int>(jobs.size());
    for (int k = 0; k < count; ++k) {
        const BatchJobInfo job{k + 1, count, jobs[static_cast<std::size_t>(k)], JobStatusText(k + 1, count)};
        const BatchJobResult result = RunOneJob(doc, job, observer);
        Count(summary, result);
        observer.JobEnded(job, doc, result);
        doc.DeleteWorkingFile();
        if (result == BatchJobResult::Stopped && k + 1 < count && !AskToContinueAfterStop(ui)) {
            summary.endedEarly = true;
            break;
        }
    }
    doc.SetBatchLog(nullptr);
    log.flush();
    return summary;
}

MultiJobsOutcome RunMultiJobs(const std::vector<std::string>& jobs, const std::string& logPath, IUserInterface& ui,
                              IBatchObserver& observer) {
    MultiJobsOutcome outcome;
    if (jobs.empty()) return outcome;
    if (ui.ShowMessage(RunJobsReadyQuestion(logPath), MessageStyle::Question, std::string()) != MessageAnswer::Yes)
        return outcome;
    std::ofstream log;
    if (!OpenBatchLog(logPath, log, ui)) return outcome;
    outcome.ran = true;
    outcome.summary = RunJobList(jobs, log, ui, observer);
    log.close();
    outcome.openLog =
        ui.ShowMessage(JobsFinishedQuestion(logPath), MessageStyle::Question, std::string()) == MessageAnswer::Yes;
    return outcome;
}

bool RunJobsFromCommandLine(const std::string& modelPath, const std::string& logPath, IUserInterface& ui,
                            IBatchObserver& observer, BatchSummary* summary) {
    std::ofstream log;
    if (!OpenBatchLog(logPath, log, ui)) return false;
    const BatchSummary result = RunJobList({modelPath}, log, ui, observer);
    log.close();
    if (summary) *summary = result;
    return true;
}

}  // namespace elix

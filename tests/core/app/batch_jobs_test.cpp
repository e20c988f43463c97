#include "app/batch_jobs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <sstream>

#include "core/engine/run_test_model.h"
#include "engine/run.h"
#include "model/elix_doc.h"
#include "platform/files.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace elix {
namespace {

using test::ReadFileText;

// Records what the batch told its caller, and is the monitor of every run:
// counts its steps and stops it after stopAfter steps when that is set.
class RecordingObserver : public IBatchObserver, public IRunMonitor {
public:
    int stopAfter = 0;
    std::vector<std::string> statusTexts;
    std::vector<BatchJobResult> results;
    std::vector<std::string> workingFiles;  // of each ended job
    std::vector<int> steps;                 // of each ended job

    IRunMonitor& MonitorFor(const BatchJobInfo& job, CElixDoc&) override {
        statusTexts.push_back(job.statusText);
        return *this;
    }
    void Progress(int, int, const std::string&) override { ++m_steps; }
    bool StopRequested() override { return stopAfter > 0 && m_steps >= stopAfter; }
    void JobEnded(const BatchJobInfo&, const CElixDoc& doc, BatchJobResult result) override {
        results.push_back(result);
        workingFiles.push_back(doc.WorkingFileName);
        steps.push_back(m_steps);
        m_steps = 0;
    }

private:
    int m_steps = 0;
};

// The run tests' steel plate as a model file with its GEO geometry beside
// it; its receivers write echo.txt and bottom.txt beside it.
std::string WritePlateModel(test::TempDir& dir, const std::string& name) {
    CElixDoc doc;
    test::MakeModel(doc, dir);
    const std::string geometry = name + ".geo";
    EXPECT_TRUE(doc.WriteImageFile(dir.Path(geometry)));
    doc.ImageFileName = geometry;
    const std::string path = dir.Path(name + ".wmd");
    EXPECT_TRUE(doc.WriteModel(path));
    return path;
}

// The log's entries: pairs of lines, the local time in the 24-character
// calendar form, then "(title) text" (whose text may run over more lines).
bool IsTimeLine(const std::string& line) {
    static const std::regex kTime(R"([A-Z][a-z]{2} [A-Z][a-z]{2} [ 0-9][0-9] [0-9]{2}:[0-9]{2}:[0-9]{2} [0-9]{4})");
    return std::regex_match(line, kTime);
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

class BatchJobsTest : public ::testing::Test {
protected:
    test::TempDir dir;
    test::ScriptedUserInterface ui;
    RecordingObserver observer;
};

TEST_F(BatchJobsTest, AModelThatDoesNotOpenIsLoggedAndTheNextOneRuns) {
    const std::string missing = dir.Path("missing.wmd");
    const std::string plate = WritePlateModel(dir, "plate");
    std::ostringstream log;
    const BatchSummary summary = RunJobList({missing, plate}, log, ui, observer);
    EXPECT_EQ(summary.finished, 1);
    EXPECT_EQ(summary.failed, 1);
    EXPECT_FALSE(summary.endedEarly);
    EXPECT_FALSE(summary.AllFinished(2));
    EXPECT_EQ(observer.results, (std::vector<BatchJobResult>{BatchJobResult::NotOpened, BatchJobResult::Finished}));
    // Only the job that opened got a monitor, with its status text.
    EXPECT_EQ(observer.statusTexts, std::vector<std::string>{"Job 2 of 2"});
    EXPECT_TRUE(ui.shown.empty()) << ui.LastText();

    const auto lines = Lines(log.str());
    ASSERT_EQ(lines.size(), 2u) << log.str();
    EXPECT_TRUE(IsTimeLine(lines[0])) << lines[0];
    EXPECT_EQ(lines[1], "(missing.wmd) Unable to open file '" + missing + "'.");

    // The run wrote one line per step into the receiver file beside the
    // model, and the geometry's working copy is gone after the job.
    const std::string samples = ReadFileText(dir.Path("bottom.txt"));
    ASSERT_GT(observer.steps[1], 10);
    EXPECT_EQ(static_cast<int>(std::count(samples.begin(), samples.end(), '\n')), observer.steps[1]);
    ASSERT_NE(observer.workingFiles[1], "None");
    EXPECT_FALSE(FileExists(observer.workingFiles[1]));
}

TEST_F(BatchJobsTest, AQuestionOfAJobIsLoggedAndAnsweredYesAfterEarlierEntries) {
    const std::string plate = WritePlateModel(dir, "plate");
    dir.Write("bottom.txt", "older samples\n");
    const std::string logPath = dir.Write("elix.log", "Mon Jan  1 00:00:00 2024\n(old.wmd) An earlier entry.\n");
    BatchSummary summary;
    ASSERT_TRUE(RunJobsFromCommandLine(plate, logPath, ui, observer, &summary));
    EXPECT_EQ(summary.finished, 1);
    EXPECT_TRUE(ui.shown.empty()) << ui.LastText();

    const std::string text = ReadFileText(logPath);
    const auto lines = Lines(text);
    ASSERT_GE(lines.size(), 4u) << text;
    EXPECT_EQ(lines[1], "(old.wmd) An earlier entry.");
    EXPECT_TRUE(IsTimeLine(lines[2])) << lines[2];
    EXPECT_EQ(lines[3], "(plate.wmd) Do you want to overwrite following receiver output file(s)?");
    // Yes: the run went ahead and replaced the old samples.
    EXPECT_EQ(ReadFileText(dir.Path("bottom.txt")).find("older samples"), std::string::npos);
}

TEST_F(BatchJobsTest, AfterAStoppedJobTheUserDecidesWhetherTheBatchGoesOn) {
    const std::string a = WritePlateModel(dir, "a");
    const std::string b = WritePlateModel(dir, "b");
    const std::string kQuestion = "You just aborted the current job. Continue to run other jobs?";
    observer.stopAfter = 3;
    std::ostringstream log;
    ui.answers = {MessageAnswer::No};
    BatchSummary summary = RunJobList({a, b}, log, ui, observer);
    EXPECT_TRUE(summary.endedEarly);
    EXPECT_EQ(summary.stopped, 1);
    EXPECT_EQ(observer.statusTexts, std::vector<std::string>{"Job 1 of 2"});
    // The question is shown on the screen, not written to the log.
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, kQuestion);
    EXPECT_EQ(ui.shown[0].style, MessageStyle::Question);
    EXPECT_EQ(log.str().find(kQuestion), std::string::npos);

    // Yes goes on; the last job is not followed by the question.
    RecordingObserver again;
    again.stopAfter = 3;
    ui.shown.clear();
    summary = RunJobList({a, b}, log, ui, again);
    EXPECT_FALSE(summary.endedEarly);
    EXPECT_EQ(summary.stopped, 2);
    EXPECT_EQ(again.steps, (std::vector<int>{3, 3}));
    EXPECT_EQ(std::count_if(ui.shown.begin(), ui.shown.end(), [&](const auto& s) { return s.text == kQuestion; }), 1);
}

TEST_F(BatchJobsTest, RunMultiJobsAsksBeforeAndAfterTheBatchAndNeedsItsLog) {
    const std::string logPath = dir.Path("elix.log");
    const std::string ready = "This program is going to run the jobs and a log file " + logPath +
                              " will be created. All warning and error messages will be saved in the log file.\n"
                              "Note: Newer receiver output files may overwrite older ones.\n\n"
                              "Press F1 for more information. Are you ready to run the jobs?";
    const std::string finished = "Jobs are finished. Please check log file " + logPath +
                                 " to see if there are any warning and error messages.\n"
                                 "To open the log file, click 'Yes'. Otherwise click 'No'";
    const std::vector<std::string> jobs{dir.Path("missing.wmd")};

    ui.answers = {MessageAnswer::No};
    EXPECT_FALSE(RunMultiJobs(jobs, logPath, ui, observer).ran);
    EXPECT_EQ(ui.LastText(), ready);
    EXPECT_FALSE(FileExists(logPath));

    ui.answers = {MessageAnswer::Yes, MessageAnswer::Yes};
    const MultiJobsOutcome outcome = RunMultiJobs(jobs, logPath, ui, observer);
    EXPECT_TRUE(outcome.ran);
    EXPECT_TRUE(outcome.openLog);
    EXPECT_EQ(outcome.summary.failed, 1);
    EXPECT_EQ(ui.LastText(), finished);
    EXPECT_NE(ReadFileText(logPath).find("(missing.wmd) Unable to open file"), std::string::npos);

    ui.answers = {MessageAnswer::Yes, MessageAnswer::No};
    EXPECT_FALSE(RunMultiJobs(jobs, logPath, ui, observer).openLog);

    // A log that cannot be opened: the message, and nothing runs.
    const std::string badLog = dir.Path("no-such-folder/elix.log");
    const std::string message = "Unable to open log file " + badLog + ". Jobs are aborted.";
    ui.answers = {MessageAnswer::Yes};
    EXPECT_FALSE(RunMultiJobs(jobs, badLog, ui, observer).ran);
    EXPECT_EQ(ui.LastText(), message);
    EXPECT_EQ(ui.shown.back().style, MessageStyle::Exclamation);
    EXPECT_FALSE(RunJobsFromCommandLine(jobs[0], badLog, ui, observer));
    EXPECT_EQ(ui.LastText(), message);
    EXPECT_EQ(observer.results.size(), 2u);  // the two batches that ran
}

}  // namespace
}  // namespace elix

// elastrix-cli run: runs models and batch lists unattended, with a progress
// display; Ctrl-C stops the running model after its current step and saves
// a restart file beside it.
#include <atomic>
#include <cctype>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <unistd.h>

#include "analysis/svg_writer.h"
#include "app/batch_jobs.h"
#include "app/job_list.h"
#include "commands.h"
#include "engine/node_grid.h"
#include "engine/run.h"
#include "model/elix_doc.h"
#include "platform/files.h"
#include "terminal_ui.h"
#include "view/frame_dump.h"

namespace elix::cli {
namespace {

constexpr const char* kRunHelp =
    "Usage: elastrix-cli run [--threads N] [--log FILE] [--restart FILE.res] [--plots] MODEL.wmd|LIST.wbf ...\n"
    "       elastrix-cli run --job-index K [options] LIST.wbf\n"
    "\n"
    "Runs each model to its last time step, unattended, one after another; a\n"
    "batch list file (.wbf) stands for the models it lists. Questions are\n"
    "answered Yes, and every message goes to stderr, or with --log to the log\n"
    "file, appended as two lines each: the time, then \"(model) message\".\n"
    "Receiver output files are written where the model names them (relative\n"
    "names beside the model); frame pictures and displacement dumps, when the\n"
    "model asks for them, beside the model.\n"
    "\n"
    "Ctrl-C stops the running model after its current step, saves a restart\n"
    "file \"<model>.res\" beside it and ends the batch; --restart goes on from\n"
    "such a file.\n"
    "\n"
    "With --job-index K only job K (from 1) of the one batch list given runs,\n"
    "and its messages go to its own log \"<list>.<K>.log\" beside the list (unless\n"
    "--log names another): a list then runs as a job array of a cluster\n"
    "scheduler, one job per task (see docs/cluster.md).\n"
    "\n"
    "Options:\n"
    "  --threads N        threads to compute with, 1 to 4 (default: the model's)\n"
    "  --log FILE         write messages to FILE instead of stderr\n"
    "  --restart FILE.res go on from a restart file of the (one) model given\n"
    "  --plots            write each model's receiver plot as <model>_receivers.svg\n"
    "  --job-index K      run only job K of the batch list, logging to <list>.<K>.log\n"
    "  -h, --help         show this help\n"
    "\n"
    "Exit status: 0 when every model ran to its end, 1 otherwise, 2 on a usage error.\n";

std::atomic<bool> g_stop{false};

extern "C" void OnInterrupt(int) { g_stop.store(true); }

// Progress on stderr: a redrawn bar on a terminal, a line every 10 %
// otherwise.
class CliMonitor : public IRunMonitor {
public:
    CliMonitor() : m_terminal(isatty(STDERR_FILENO) != 0) {}

    void Begin(int totalSteps) override {
        IRunMonitor::Begin(totalSteps);
        m_start = std::chrono::steady_clock::now();
        m_nextTenth = 0;
        m_first = -1;
    }
    void Progress(int step, int totalSteps, const std::string& text) override {
        if (m_first < 0) m_first = step;
        const double elapsed = Seconds();
        const int done = step + 1 - m_first, total = totalSteps - m_first;
        const double rate = elapsed > 0 ? done / elapsed : 0.0;
        const double left = rate > 0 ? (total - done) / rate : 0.0;
        const int percent = totalSteps > 0 ? (step + 1) * 100 / totalSteps : 100;
        const bool last = step + 1 == totalSteps;
        if (m_terminal) {
            if (step % 10 != 0 && !last) return;
            const int width = 30, filled = percent * width / 100;
            std::fprintf(stderr, "\r[%.*s%*s] %3d%%  %s  %.1f M node-updates/s  %.0f s left   ", filled,
                         "##############################", width - filled, "", percent, text.c_str(),
                         rate * static_cast<double>(m_nodes) * 1e-6, left);
            if (last) std::fputc('\n', stderr);
        } else if (percent >= m_nextTenth || last) {
            std::fprintf(stderr, "%s\n", text.c_str());
            while (m_nextTenth <= percent) m_nextTenth += 10;
        }
        m_steps = done;
    }
    bool StopRequested() override { return g_stop.load() || IRunMonitor::StopRequested(); }
    void Frame(int, const CNodeGrid& grid) override { m_nodes = grid.NodeCount(); }

    double Seconds() const {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
    }
    int Steps() const { return m_steps; }

private:
    bool m_terminal;
    std::size_t m_nodes = 0;
    std::chrono::steady_clock::time_point m_start{};
    int m_steps = 0;
    int m_first = -1;
    int m_nextTenth = 0;
};

// After Ctrl-C nobody wants the rest of the batch: the question whether to
// go on is answered No.
class RunUserInterface : public TerminalUserInterface {
public:
    MessageAnswer ShowMessage(const std::string& text, MessageStyle style, const std::string& title) override {
        if (style == MessageStyle::Question && g_stop.load()) {
            std::fprintf(stderr, "%s\n  (answered No: interrupted)\n", text.c_str());
            return MessageAnswer::No;
        }
        return TerminalUserInterface::ShowMessage(text, style, title);
    }
};

struct RunOptions {
    int threads = 0;
    std::string logPath;
    std::string restartPath;
    bool plots = false;
    int jobIndex = 0;  // from 1; 0: every job
    std::vector<std::string> inputs;
};

// Tells the user where a job's results went.
void ReportOutputs(const CElixDoc& doc, const RunOptions& options, BatchJobResult result) {
    const auto& receivers = doc.Receivers();
    for (int k = 0; k < receivers.Count(); ++k)
        if (!receivers[k].outputFile.empty())
            std::fprintf(stderr, "Receiver '%s': %s\n", receivers[k].name.c_str(),
                         ResolveModelRelativePath(doc.PathName(), receivers[k].outputFile).c_str());
    const std::string folder = DirectoryOf(doc.PathName());
    if (doc.job.SaveDisp == 1 && doc.job.DispFreq >= 1)
        std::fprintf(stderr, "Frame pictures: %s, %s, ... (every %d steps)\n",
                     FramePicturePath(folder, doc.Title(), 0).c_str(),
                     FramePicturePath(folder, doc.Title(), doc.job.DispFreq).c_str(), doc.job.DispFreq);
    if (doc.job.DumpDisplacement[2] > 0)
        std::fprintf(stderr, "Displacement dumps: %s (steps %d to %d, every %d)\n",
                     DisplacementDumpPath(folder, doc.Title(), doc.job.DumpDisplacement[0]).c_str(),
                     doc.job.DumpDisplacement[0], doc.job.DumpDisplacement[1], doc.job.DumpDisplacement[2]);
    const std::string restart = folder + TitleStem(doc.Title()) + ".res";
    if (result == BatchJobResult::Stopped && FileExists(restart))
        std::fprintf(stderr, "Restart file: %s (go on with: elastrix-cli run --restart %s %s)\n", restart.c_str(),
                     restart.c_str(), doc.PathName().c_str());
    if (options.plots && result != BatchJobResult::NotOpened) {
        const std::string svg = folder + TitleStem(doc.Title()) + "_receivers.svg";
        std::string error;
        if (WritePlotSvg(doc.plotData[kReceiverPlot], svg, 800, 500, error))
            std::fprintf(stderr, "Receiver plot: %s\n", svg.c_str());
        else
            std::fprintf(stderr, "%s\n", error.c_str());
    }
}

class CliObserver : public IBatchObserver {
public:
    CliObserver(const RunOptions& options, RunUserInterface& ui) : m_options(options), m_ui(ui) {}

    IRunMonitor& MonitorFor(const BatchJobInfo& job, CElixDoc& doc) override {
        std::fprintf(stderr, "== %s: %s\n", job.statusText.c_str(), job.path.c_str());
        if (m_options.threads > 0) doc.job.ThreadTotal = static_cast<std::int16_t>(m_options.threads);
        // A stop saves its restart file under the name proposed, beside the model.
        m_ui.AcceptNextProposedSave();
        m_monitor = std::make_unique<CliMonitor>();
        return *m_monitor;
    }
    bool RestartJob(const BatchJobInfo&) override {
        if (m_options.restartPath.empty()) return false;
        m_ui.AnswerNextOpen(m_options.restartPath);
        return true;
    }
    void JobEnded(const BatchJobInfo&, const CElixDoc& doc, BatchJobResult result) override {
        switch (result) {
            case BatchJobResult::Finished:
                std::fprintf(stderr, "Finished %d steps in %.2f s.\n", m_monitor->Steps(), m_monitor->Seconds());
                break;
            case BatchJobResult::Stopped:
                std::fprintf(stderr, "\nStopped after %d steps.\n", m_monitor->Steps());
                break;
            case BatchJobResult::NotOpened:
                std::fprintf(stderr, "The model could not be opened.\n");
                return;
            case BatchJobResult::Failed:
                std::fprintf(stderr, "The run did not end normally.\n");
                break;
        }
        ReportOutputs(doc, m_options, result);
    }

private:
    const RunOptions& m_options;
    RunUserInterface& m_ui;
    std::unique_ptr<CliMonitor> m_monitor;
};

bool EndsWithNoCase(const std::string& text, const std::string& suffix) {
    if (text.size() < suffix.size()) return false;
    for (std::size_t k = 0; k < suffix.size(); ++k)
        if (std::tolower(static_cast<unsigned char>(text[text.size() - suffix.size() + k])) != suffix[k])
            return false;
    return true;
}

// Parses the options; kContinue when the run goes on.
int ParseOptions(const Arguments& args, RunOptions& options) {
    for (std::size_t k = 0; k < args.size(); ++k) {
        const std::string& arg = args[k];
        const bool hasValue = k + 1 < args.size();
        if (arg == "--threads" && hasValue) {
            const std::string& value = args[++k];
            if (value.size() != 1 || value[0] < '1' || value[0] > '4') {
                std::fprintf(stderr, "elastrix-cli run: --threads takes a number from 1 to 4\n");
                return kExitUsage;
            }
            options.threads = value[0] - '0';
        } else if (arg == "--log" && hasValue) {
            options.logPath = args[++k];
        } else if (arg == "--restart" && hasValue) {
            options.restartPath = args[++k];
        } else if (arg == "--job-index" && hasValue) {
            const std::string& value = args[++k];
            const bool digits = !value.empty() && value.size() <= 6 &&
                                value.find_first_not_of("0123456789") == std::string::npos;
            options.jobIndex = digits ? std::stoi(value) : 0;
            if (options.jobIndex < 1) {
                std::fprintf(stderr, "elastrix-cli run: --job-index takes a job number from 1\n");
                return kExitUsage;
            }
        } else if (arg == "--plots") {
            options.plots = true;
        } else if (arg.starts_with("-")) {
            std::fprintf(stderr, "elastrix-cli run: unknown option or missing value '%s'\n\n%s", arg.c_str(),
                         kRunHelp);
            return kExitUsage;
        } else {
            options.inputs.push_back(arg);
        }
    }
    if (options.inputs.empty()) {
        std::fputs(kRunHelp, stderr);
        return kExitUsage;
    }
    if (options.jobIndex > 0 && (options.inputs.size() != 1 || !EndsWithNoCase(options.inputs.front(), ".wbf"))) {
        std::fprintf(stderr, "elastrix-cli run: --job-index goes with exactly one batch list (.wbf)\n");
        return kExitUsage;
    }
    return kContinue;
}

// The models to run: model files as given, batch lists by their jobs.
// False when a batch list could not be read (its message was shown).
bool CollectJobs(const RunOptions& options, IUserInterface& ui, std::vector<std::string>& jobs) {
    bool ok = true;
    for (const std::string& input : options.inputs) {
        if (!EndsWithNoCase(input, ".wbf")) {
            jobs.push_back(input);
            continue;
        }
        CJobList list;
        if (!list.LoadBatchFile(input, ui)) {
            ok = false;
            continue;
        }
        jobs.insert(jobs.end(), list.Paths().begin(), list.Paths().end());
    }
    return ok;
}

}  // namespace

int RunCommand(const Arguments& args) {
    if (WantsHelp(args)) {
        std::fputs(kRunHelp, stdout);
        return kExitOk;
    }
    RunOptions options;
    if (const int status = ParseOptions(args, options); status != kContinue) return status;
    RunUserInterface ui;
    std::vector<std::string> jobs;
    const bool listsRead = CollectJobs(options, ui, jobs);
    if (options.jobIndex == 0 && !options.restartPath.empty() && jobs.size() != 1) {
        std::fprintf(stderr, "elastrix-cli run: --restart goes with exactly one model\n");
        return kExitUsage;
    }
    if (jobs.empty()) return kExitFailure;
    if (options.jobIndex > 0) {
        // One task of a job array: job K alone, with a log of its own so
        // that tasks running at once do not write into one file.
        const std::string& list = options.inputs.front();
        if (static_cast<std::size_t>(options.jobIndex) > jobs.size()) {
            std::fprintf(stderr, "elastrix-cli run: --job-index %d is out of range: %s holds %zu jobs\n",
                         options.jobIndex, list.c_str(), jobs.size());
            return kExitUsage;
        }
        std::fprintf(stderr, "== Job %d of %zu of %s\n", options.jobIndex, jobs.size(), list.c_str());
        jobs = {jobs[static_cast<std::size_t>(options.jobIndex - 1)]};
        if (options.logPath.empty())
            options.logPath = list.substr(0, list.size() - 4) + "." + std::to_string(options.jobIndex) + ".log";
    }
    if (!options.restartPath.empty() && jobs.size() != 1) {
        std::fprintf(stderr, "elastrix-cli run: --restart goes with exactly one model\n");
        return kExitUsage;
    }

    std::ofstream logFile;
    if (!options.logPath.empty() && !OpenBatchLog(options.logPath, logFile, ui)) return kExitFailure;
    std::ostream& log = logFile.is_open() ? static_cast<std::ostream&>(logFile) : std::cerr;

    g_stop.store(false);
    std::signal(SIGINT, OnInterrupt);
    CliObserver observer(options, ui);
    const BatchSummary summary = RunJobList(jobs, log, ui, observer);
    std::signal(SIGINT, SIG_DFL);
    if (jobs.size() > 1)
        std::fprintf(stderr, "%d of %zu jobs finished, %d failed, %d stopped.\n", summary.finished, jobs.size(),
                     summary.failed, summary.stopped);
    return listsRead && summary.AllFinished(static_cast<int>(jobs.size())) ? kExitOk : kExitFailure;
}

}  // namespace elix::cli

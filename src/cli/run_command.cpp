// elastrix-cli run: runs models unattended, with a progress display and
// Ctrl-C to stop after the current step.
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <string>
#include <unistd.h>

#include "commands.h"
#include "engine/node_grid.h"
#include "engine/run.h"
#include "model/elix_doc.h"
#include "platform/files.h"
#include "terminal_ui.h"

namespace elix::cli {
namespace {

constexpr const char* kRunHelp =
    "Usage: elastrix-cli run [--threads N] [--log FILE] MODEL.wmd ...\n"
    "\n"
    "Runs each model to its last time step, unattended: questions are answered\n"
    "Yes, and messages go to stderr (or, with --log, to the log file, appended\n"
    "as two lines each: the time, then \"(model) message\"). Receiver output\n"
    "files are written where the model names them (relative names beside the\n"
    "model). Ctrl-C stops the running model after its current step.\n"
    "\n"
    "Options:\n"
    "  --threads N   threads to compute with, 1 to 4 (default: the model's)\n"
    "  --log FILE    write messages to FILE instead of stderr\n"
    "  -h, --help    show this help\n";

std::atomic<bool> g_stop{false};

extern "C" void OnInterrupt(int) { g_stop.store(true); }

// Progress on stderr: a redrawn bar on a terminal, a line every 10 %
// otherwise.
class CliMonitor : public IRunMonitor {
public:
    explicit CliMonitor(std::size_t nodes) : m_nodes(nodes), m_terminal(isatty(STDERR_FILENO) != 0) {}

    void Begin(int totalSteps) override {
        m_start = std::chrono::steady_clock::now();
        m_total = totalSteps;
        m_nextTenth = 0;
    }
    void Progress(int step, int totalSteps, const std::string& text) override {
        const double elapsed = Seconds();
        const int done = step + 1;
        const double rate = elapsed > 0 ? done / elapsed : 0.0;
        const double left = rate > 0 ? (totalSteps - done) / rate : 0.0;
        const int percent = totalSteps > 0 ? done * 100 / totalSteps : 100;
        if (m_terminal) {
            if (step % 10 != 0 && done != totalSteps) return;
            const int width = 30, filled = percent * width / 100;
            std::fprintf(stderr, "\r[%.*s%*s] %3d%%  %s  %.1f M node-updates/s  %.0f s left   ", filled,
                         "##############################", width - filled, "", percent, text.c_str(),
                         rate * static_cast<double>(m_nodes) * 1e-6, left);
            if (done == totalSteps) std::fputc('\n', stderr);
        } else if (percent >= m_nextTenth || done == totalSteps) {
            std::fprintf(stderr, "%s\n", text.c_str());
            while (m_nextTenth <= percent) m_nextTenth += 10;
        }
        m_steps = done;
    }
    bool StopRequested() override { return g_stop.load(); }

    double Seconds() const {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
    }
    int Steps() const { return m_steps; }
    void SetNodes(std::size_t nodes) { m_nodes = nodes; }
    void Frame(int, const CNodeGrid& grid) override { m_nodes = grid.NodeCount(); }

private:
    std::size_t m_nodes;
    bool m_terminal;
    std::chrono::steady_clock::time_point m_start{};
    int m_total = 0;
    int m_steps = 0;
    int m_nextTenth = 0;
};

}  // namespace

int RunCommand(const Arguments& args) {
    if (WantsHelp(args)) {
        std::fputs(kRunHelp, stdout);
        return kExitOk;
    }
    int threads = 0;
    std::string logPath;
    std::vector<std::string> models;
    for (std::size_t k = 0; k < args.size(); ++k) {
        const std::string& arg = args[k];
        if (arg == "--threads" && k + 1 < args.size()) {
            const std::string& value = args[++k];
            if (value.size() != 1 || value[0] < '1' || value[0] > '4') {
                std::fprintf(stderr, "elastrix-cli run: --threads takes a number from 1 to 4\n");
                return kExitUsage;
            }
            threads = value[0] - '0';
        } else if (arg == "--log" && k + 1 < args.size()) {
            logPath = args[++k];
        } else if (arg.starts_with("-")) {
            std::fprintf(stderr, "elastrix-cli run: unknown option '%s'\n\n%s", arg.c_str(), kRunHelp);
            return kExitUsage;
        } else {
            models.push_back(arg);
        }
    }
    if (models.empty()) {
        std::fputs(kRunHelp, stderr);
        return kExitUsage;
    }
    std::ofstream log;
    if (!logPath.empty()) {
        log.open(logPath, std::ios::app);
        if (!log) {
            std::fprintf(stderr, "elastrix-cli run: unable to open the log file '%s'\n", logPath.c_str());
            return kExitFailure;
        }
    }
    std::signal(SIGINT, OnInterrupt);
    int status = kExitOk;
    for (const std::string& model : models) {
        if (g_stop.load()) break;
        TerminalUserInterface ui;
        CElixDoc doc;
        doc.SetUserInterface(&ui);
        if (log.is_open()) doc.SetBatchLog(&log);
        std::fprintf(stderr, "== %s\n", model.c_str());
        if (!doc.ReadModel(model)) {
            if (!doc.MessageText().empty()) {
                if (log.is_open()) doc.ReportMessage(doc.MessageText());
                std::fprintf(stderr, "%s\n", doc.MessageText().c_str());
            }
            status = kExitFailure;
            continue;
        }
        if (threads > 0) doc.job.ThreadTotal = static_cast<std::int16_t>(threads);
        CliMonitor monitor(0);
        const RunOutcome outcome = Run(doc, monitor);
        const double seconds = monitor.Seconds();
        switch (outcome) {
            case RunOutcome::Finished:
                std::fprintf(stderr, "Finished %d steps in %.2f s.\n", monitor.Steps(), seconds);
                break;
            case RunOutcome::Stopped:
                std::fprintf(stderr, "\nStopped after %d steps.\n", monitor.Steps());
                status = kExitFailure;
                break;
            case RunOutcome::Declined:
            case RunOutcome::Failed:
                if (!doc.MessageText().empty()) std::fprintf(stderr, "%s\n", doc.MessageText().c_str());
                status = kExitFailure;
                break;
        }
        const auto& receivers = doc.Receivers();
        for (int k = 0; k < receivers.Count() && outcome != RunOutcome::Failed; ++k)
            if (!receivers[k].outputFile.empty())
                std::fprintf(stderr, "Receiver '%s': %s\n", receivers[k].name.c_str(),
                             ResolveModelRelativePath(doc.PathName(), receivers[k].outputFile).c_str());
    }
    std::signal(SIGINT, SIG_DFL);
    return status;
}

}  // namespace elix::cli

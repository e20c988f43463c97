#include "engine/run.h"

#include <cmath>
#include <cstdio>
#include <chrono>
#include <memory>
#include <optional>
#include <thread>

#include "app/directories.h"
#include "engine/absorbing_sides.h"
#include "engine/boundary_conditions.h"
#include "engine/excitation_setup.h"
#include "engine/fast_kernels.h"
#include "engine/grid_builder.h"
#include "engine/model_check.h"
#include "engine/node_grid.h"
#include "engine/receivers.h"
#include "engine/restart_file.h"
#include "engine/row_workers.h"
#include "engine/run_data.h"
#include "engine/sources.h"
#include "engine/time_step.h"
#include "model/elix_doc.h"
#include "platform/files.h"
#include "platform/text_format.h"
#include "view/frame_dump.h"
#include "view/wavefield_frame.h"

namespace elix {
namespace {

// Run preparation in its fixed order; the first failing step leaves its
// message in error.
bool Prepare(CElixDoc& doc, RunData& run, std::string& error) {
    if (doc.image.ShowsFrame && !doc.LoadWorkingImage(false, nullptr)) {
        error = doc.MessageText();
        return false;
    }
    if (!ComputeRunGeometry(doc, run.geometry, error)) return false;
    const CRunGeometry& g = run.geometry;
    // The array and pressure-source checks refuse what the grid cannot
    // drive; their truncation warnings alone let the run go on.
    std::string arrays;
    if (!CheckSourceReceiverArrays(doc, g, arrays)) {
        error = arrays;
        return false;
    }
    if (!arrays.empty()) doc.ReportMessage(arrays, MessageStyle::Information);
    std::string memory;
    if (!CheckMemory(g.nx, g.ny, true, memory)) {
        error = memory;
        return false;
    }
    if (!CheckZeroLengths(doc, error)) return false;
    RegionMap region;
    if (!BuildRegionMap(doc, g, region, error)) return false;
    if (!BuildNodeGrid(doc, g, region, run.grid, error)) return false;
    if (!PrepareSources(doc, run.grid, region, g.hx, g.hy, g.dt, run.sources, error)) return false;
    if (!PrepareReceivers(doc, run.grid, region, g.hx, g.hy, g.dt, run.receivers, error)) return false;
    run.conditions = PrepareBoundaryRuns(doc, g.hx, g.hy, g.nx, g.ny);
    if (!run.sides.Build(run.grid, region, doc.job.InfiniteBCIndex, error)) return false;
    if (!LoadUserWaveforms(doc, error)) return false;
    region.clear();
    region.shrink_to_fit();
    if (!AllocateFields(run.grid, error)) return false;
    run.moduli = StressModuliOf(doc);
    return true;
}

// The points of the conditions and sources, of the active ones only or of
// all: the held points, whose 3 x 3 neighbourhood keeps second-order
// stencils, or every point that can ever be held.
std::vector<std::pair<int, int>> HeldPoints(const RunData& run, bool activeOnly) {
    std::vector<std::pair<int, int>> points;
    for (const CBoundaryRun& bc : run.conditions)
        if (bc.active || !activeOnly)
            for (const GridPoint& p : bc.points) points.emplace_back(p.x, p.y);
    for (const CSourceRun& source : run.sources)
        if (source.active || !activeOnly)
            for (const CSourcePoint& p : source.points) points.emplace_back(p.at.x, p.at.y);
    return points;
}

// The node flags and the row plan of the fast kernels before the first
// step: the fourth-order marks of the whole grid once, then only the
// neighbourhoods of the condition and source points are watched.
void PrepareStepping(CElixDoc& doc, RunData& run, CHighOrderMarks& marks, CFastKernels& fast) {
    CNodeGrid& grid = run.grid;
    const std::vector<std::pair<int, int>> allPoints = HeldPoints(run, false);
    grid.highOrderScheme = doc.job.HighOrderScheme != 0;
    if (grid.highOrderScheme) {
        marks.Prepare(grid, run.geometry, doc.job.TimeStepScale, doc.job.DtScaleThresh, allPoints);
        marks.Remark(grid, HeldPoints(run, true));
    }
    fast.Build(grid);
    fast.Watch(grid, NeighbourhoodNodes(grid, allPoints, 1));
}

// Held flags for this step from the conditions and sources still active.
// Only their points can hold besides vacuum, so only those are freed first.
bool SetHeldNodes(RunData& run) {
    FreeBoundaryHeldNodes(run.grid, run.conditions);
    FreeSourceHeldNodes(run.grid, run.sources);
    bool ok = SetBoundaryHeldNodes(run.grid, run.conditions, false);
    return SetSourceHeldNodes(run.grid, run.sources) && ok;
}

// The receiver plot: two curves per receiver, then two per source, each
// holding total steps + 1 samples spaced dt.
void CreateReceiverPlot(CElixDoc& doc, const RunData& run) {
    CPlotData& plot = doc.plotData[kReceiverPlot];
    const int curves = 2 * static_cast<int>(run.receivers.size() + run.sources.size());
    plot.AllocateCurves(curves, run.geometry.totalSteps + 1, run.geometry.dt);
    int k = 0;
    for (const CReceiverRun& r : run.receivers) {
        for (const char* prefix : {"L - ", "T - "}) {
            plot.SetLegend(k, prefix + r.name);
            plot.SetCurvePosition(k, static_cast<float>(r.centreX), static_cast<float>(r.centreY));
            plot.SetDelayedSignal(k, r.array);
            ++k;
        }
    }
    for (const CSourceRun& s : run.sources) {
        plot.SetLegend(k++, "L - " + s.name + " (S)");
        plot.SetLegend(k++, "T - " + s.name + " (S)");
    }
    plot.titles.main = doc.Title();
}

FileChooserRequest RestartFileRequest(const CElixDoc& doc, bool save) {
    FileChooserRequest request;
    request.title = save ? "Save a restart file" : "Load a restart file";
    request.filter = kRestartFilter;
    request.defaultExtension = "res";
    request.startFolder = ProgramFileFolder(doc.Directories(), DirectoryKind::DumpFrame, doc.PathName());
    request.proposedName = save ? TitleStem(doc.Title()) + ".res" : std::string();
    request.fileMustExist = !save;
    request.confirmOverwrite = save;
    return request;
}

// Asks for a restart file and loads it, offering another try after a
// failure. False when the user gives up (the run then ends).
bool LoadRestartFromUser(CElixDoc& doc, RunData& run, int& firstStep) {
    IUserInterface* ui = doc.UserInterface();
    for (;;) {
        const std::optional<std::string> path = ui ? ui->ChooseFileToOpen(RestartFileRequest(doc, false)) : std::nullopt;
        if (!path) return false;
        std::string error;
        if (LoadRestart(*path, doc, run, firstStep, error)) return true;
        doc.SetMessageText(error);
        if (!error.empty()) doc.ReportMessage(error, MessageStyle::Exclamation);
        if (doc.ReportMessage("Failed to load the restart file. Try again?", MessageStyle::Question) !=
            MessageAnswer::Yes)
            return false;
    }
}

// After a stop: the offer to save the run so that it can go on later.
void OfferRestartSave(CElixDoc& doc, const RunData& run, int step) {
    if (doc.ReportMessage("Do you want to save a restart file?", MessageStyle::Question) != MessageAnswer::Yes) return;
    IUserInterface* ui = doc.UserInterface();
    for (;;) {
        const std::optional<std::string> path = ui ? ui->ChooseFileToSave(RestartFileRequest(doc, true)) : std::nullopt;
        if (!path) return;
        std::string error;
        if (SaveRestart(*path, doc, run, step, error)) return;
        doc.SetMessageText(error);
        doc.ReportMessage(error, MessageStyle::Exclamation);
        if (doc.ReportMessage("Failed to save the restart file. Try again?", MessageStyle::Question) !=
            MessageAnswer::Yes)
            return;
    }
}

// A run that goes on after step lastStep: the releasing sources and
// conditions whose excitation was over by then are free already, as they
// were in the run that was saved.
void ReleaseFinishedExcitations(RunData& run, int lastStep) {
    const double t = lastStep * run.geometry.dt;
    for (CSourceRun& source : run.sources)
        if (ReleasedAt(source, t)) source.active = false;
    for (CBoundaryRun& bc : run.conditions)
        if (ReleasedAt(bc, t)) bc.active = false;
}

// The end of every run that got past preparation: the receiver files are
// closed, the grid released, the message cleared unless the run failed.
RunOutcome EndRun(CElixDoc& doc, std::unique_ptr<RunData>& run, RunOutcome outcome) {
    run.reset();
    doc.SetRunning(false);
    if (outcome != RunOutcome::Failed) doc.SetMessageText(std::string());
    doc.UpdateAllViews('r');
    return outcome;
}

}  // namespace

void IRunMonitor::Begin(int totalSteps) {
    m_targetStep = totalSteps - 1;
    m_paused = false;
    m_stopped = false;
}

void IRunMonitor::WhilePaused() { std::this_thread::sleep_for(std::chrono::milliseconds(10)); }

void IRunMonitor::RunToStep(int step, int currentStep) {
    m_targetStep = step;
    m_paused = step <= currentStep;
}

RunOutcome Run(CElixDoc& doc, IRunMonitor& monitor, bool restart) {
    if (doc.job.ThreadTotal > CRowWorkers::kMaxThreads) {
        doc.ReportMessage(Format("The maximum thread number is %d. The total thread number is reset to %d.",
                                 CRowWorkers::kMaxThreads, CRowWorkers::kMaxThreads),
                          MessageStyle::Information);
        doc.job.ThreadTotal = CRowWorkers::kMaxThreads;
    }
    if (!restart && !ConfirmReceiverOverwrite(doc)) return RunOutcome::Declined;

    // Every item takes part from the start of a run.
    for (int k = 0; k < doc.BoundaryConditions().Count(); ++k) doc.BoundaryConditions()[k].active = true;
    for (int k = 0; k < doc.Sources().Count(); ++k) doc.Sources()[k].active = true;

    auto run = std::make_unique<RunData>();
    std::string error;
    if (!Prepare(doc, *run, error)) {
        doc.SetMessageText(error);
        doc.ReportMessage(error, MessageStyle::Exclamation);
        doc.UpdateAllViews('a');
        return RunOutcome::Failed;
    }
    doc.SetRunning(true);
    const CRunGeometry& g = run->geometry;
    CNodeGrid& grid = run->grid;

    run->outputs.assign(run->receivers.size(), nullptr);
    for (std::size_t k = 0; k < run->receivers.size(); ++k) {
        const std::string& name = run->receivers[k].outputFile;
        if (name.empty()) continue;
        const std::string path = ResolveModelRelativePath(doc.PathName(), name);
        run->outputs[k] = std::fopen(path.c_str(), restart ? "a+" : "w");
        if (!run->outputs[k])
            doc.ReportMessage(Format("Unable to Open file \"%s\". Please use 'Receiver Configuration' command under "
                                     "Elix menu to change receiver output file name.",
                                     name),
                              MessageStyle::Exclamation);
    }
    CreateReceiverPlot(doc, *run);

    monitor.Begin(g.totalSteps);
    int firstStep = 0;
    if (restart) {
        if (!LoadRestartFromUser(doc, *run, firstStep)) return EndRun(doc, run, RunOutcome::Declined);
        ReleaseFinishedExcitations(*run, firstStep - 1);
    }

    const TimeFunctionContext context = TimeFunctionContextOf(doc);
    CRowWorkers workers(doc.job.ThreadTotal);
    if (!workers.Started()) {
        doc.SetMessageText("Failed to create multithreads\n");
        doc.ReportMessage(doc.MessageText(), MessageStyle::Exclamation);
        return EndRun(doc, run, RunOutcome::Failed);
    }
    CHighOrderMarks marks;
    CFastKernels fast;
    PrepareStepping(doc, *run, marks, fast);
    monitor.Attach(&grid, g.hx, g.hy);

    RunOutcome outcome = RunOutcome::Finished;
    CPlotData& plot = doc.plotData[kReceiverPlot];
    const int receiverCurves = 2 * static_cast<int>(run->receivers.size());
    for (int step = firstStep; step < g.totalSteps; ++step) {
        bool ok = SetHeldNodes(*run);
        fast.Refresh(grid);
        workers.Pass(grid, &fast);
        run->sides.Apply(grid, g.cL, g.cT, doc.job.InfiniteFactor);
        UpdatePressureSupport(grid, run->sources, g.hx, g.hy);
        ok = ApplyBoundaryConditions(grid, run->conditions, step, g.dt, context) && ok;
        const std::vector<SourceCurveValue> sourceCurves = ApplySources(grid, run->sources, step, g.dt, context);
        if (!ok) {
            doc.SetMessageText(Format("A boundary condition or source has no valid orientation at step %d.", step));
            outcome = RunOutcome::Failed;
            break;
        }
        if (grid.highOrderScheme) marks.Remark(grid, HeldPoints(*run, true));
        grid.fields.Rotate();

        // Dumps and frame pictures go to the displacement and PCX
        // directories, or beside the model without a directories file.
        const std::string dumpFolder = ProgramFileFolder(doc.Directories(), DirectoryKind::DumpFrame, doc.PathName());
        const std::string pictureFolder = ProgramFileFolder(doc.Directories(), DirectoryKind::Pcx, doc.PathName());
        if (!WriteDumpIfDue(doc, grid, step, dumpFolder)) doc.ReportMessage(doc.MessageText(), MessageStyle::Exclamation);
        if (doc.job.DispFreq >= 1 && step % doc.job.DispFreq == 0) {
            MakeWavefieldFrame(doc, grid, step, g.hx, g.hy, doc.contrastEnhance);
            doc.RebuildDisplayBitmap();
            doc.UpdateAllViews('r');
            if (!SaveFramePictureIfWanted(doc, step, pictureFolder))
                doc.ReportMessage(doc.MessageText(), MessageStyle::Exclamation);
            monitor.Frame(step, grid);
        }

        // Receivers: after the rotation U holds level n+1, Uold level n and
        // Unew level n-1.
        const float t = static_cast<float>(step * g.dt);
        bool finite = true;
        for (std::size_t k = 0; k < run->receivers.size(); ++k) {
            const WaveFields& f = grid.fields;
            const ReceiverSample sample = RecordReceiver(run->receivers[k], grid, f.U, f.V, f.Uold, f.Vold, f.Unew,
                                                         f.Vnew, step, g.dt, g.hx, g.hy, run->moduli);
            finite = finite && std::isfinite(sample.averageL) && std::isfinite(sample.averageT);
            if (sample.written && run->outputs[k]) std::fputs(sample.line.c_str(), run->outputs[k]);
            plot.SetPoint(t, sample.averageL, static_cast<int>(2 * k), step);
            plot.SetPoint(t, sample.averageT, static_cast<int>(2 * k + 1), step);
        }
        for (std::size_t k = 0; k < sourceCurves.size(); ++k) {
            plot.SetPoint(t, sourceCurves[k].l, receiverCurves + static_cast<int>(2 * k), step);
            plot.SetPoint(t, sourceCurves[k].t, receiverCurves + static_cast<int>(2 * k + 1), step);
        }
        if (!finite) {
            doc.SetMessageText(Format(
                "The simulation became unstable at step %d. Please reduce the Time Step Scale or check the materials.",
                step));
            outcome = RunOutcome::Failed;
            break;
        }
        const double percent = g.totalSteps > 1 ? step * 100.0 / (g.totalSteps - 1) : 100.0;
        monitor.Progress(step, g.totalSteps,
                         Format("Step = %d, Time = %.3f us, (%.0f%%)", step, step * g.dt * 1e6, percent));
        // Run to Step: the monitor pauses at its target unless that is the
        // last step; while paused the user interface goes on.
        if (step == monitor.TargetStep() && step < g.totalSteps - 1) monitor.Pause();
        while (monitor.Paused() && !monitor.StopRequested()) monitor.WhilePaused();
        if (monitor.StopRequested()) {
            outcome = RunOutcome::Stopped;
            OfferRestartSave(doc, *run, step);
            break;
        }
    }
    monitor.Attach(nullptr, g.hx, g.hy);
    if (outcome == RunOutcome::Failed) doc.ReportMessage(doc.MessageText(), MessageStyle::Exclamation);
    return EndRun(doc, run, outcome);
}

}  // namespace elix

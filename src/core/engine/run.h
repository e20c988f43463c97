// The run loop: prepares the grid, steps the fields to the end (or until
// the user stops), records the receivers into their files and the receiver
// plot, and releases everything. It knows no window: a monitor supplies
// stop requests and receives the progress.
#pragma once

#include <string>

namespace elix {

class CElixDoc;
struct CNodeGrid;

class IRunMonitor {
public:
    virtual ~IRunMonitor() = default;
    // The run starts with totalSteps steps; the target step becomes the
    // last one and the monitor is neither paused nor stopped.
    virtual void Begin(int totalSteps);
    // After every step: "Step = %d, Time = %.3f us, (%.0f%%)".
    virtual void Progress(int step, int totalSteps, const std::string& text) = 0;
    // Polled after every step: true ends the run after this step.
    virtual bool StopRequested() { return m_stopped; }
    // Every DispFreq steps, with the grid of the step just done.
    virtual void Frame(int step, const CNodeGrid& grid) {
        (void)step;
        (void)grid;
    }
    // The grid of the run once it steps, with its spacing hx, hy (m), and
    // nullptr when the step loop has ended: the window dumps the current
    // fields and remakes the current frame from it on demand.
    virtual void Attach(const CNodeGrid* grid, double hx, double hy) {
        (void)grid;
        (void)hx;
        (void)hy;
    }
    // Called over and over while the run is paused: the desktop program
    // handles its window events here. The default waits 10 ms.
    virtual void WhilePaused();

    // The controls of the progress monitor. Pause and Resume are its
    // "&Pause"/"&Run" button, RunToStep the Run to Step dialog, Stop its
    // stop button.
    void Pause() { m_paused = true; }
    void Resume() { m_paused = false; }
    void Stop() { m_stopped = true; }
    // The run pauses when the current step reaches step; a step not after
    // the current one leaves the monitor paused.
    void RunToStep(int step, int currentStep);
    bool Paused() const { return m_paused; }
    int TargetStep() const { return m_targetStep; }
    // The label of the pause button: "&Pause" while running, "&Run" while paused.
    const char* ButtonLabel() const { return m_paused ? "&Run" : "&Pause"; }

private:
    int m_targetStep = 0;
    bool m_paused = false;
    bool m_stopped = false;
};

enum class RunOutcome {
    Finished,  // every step was computed
    Stopped,   // the monitor asked to stop
    Declined,  // the user declined to overwrite receiver files, or gave up loading a restart file
    Failed,    // preparation or a step failed; the document's message says why
};

// Runs the document's model from step 0, or, with restart, from the step
// after the one saved in a restart file that the user chooses. The document
// is marked running for the duration; messages go through its ReportMessage.
RunOutcome Run(CElixDoc& doc, IRunMonitor& monitor, bool restart = false);

// The file chooser filter of restart files.
inline constexpr const char* kRestartFilter = "Restart Files (*.res)|*.res|All Files (*.*)|*.*||";

// The document's plot kinds.
inline constexpr int kReceiverPlot = 0;
inline constexpr int kSpectrumPlot = 1;
inline constexpr int kAttenuationPlot = 2;
inline constexpr int kGainPlot = 3;

}  // namespace elix

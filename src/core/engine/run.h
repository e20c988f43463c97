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
    // The run starts with totalSteps steps.
    virtual void Begin(int totalSteps) { (void)totalSteps; }
    // After every step: "Step = %d, Time = %.3f us, (%.0f%%)".
    virtual void Progress(int step, int totalSteps, const std::string& text) = 0;
    // Polled after every step: true ends the run after this step.
    virtual bool StopRequested() { return false; }
    // Every DispFreq steps, with the grid of the step just done.
    virtual void Frame(int step, const CNodeGrid& grid) {
        (void)step;
        (void)grid;
    }
};

enum class RunOutcome {
    Finished,  // every step was computed
    Stopped,   // the monitor asked to stop
    Declined,  // the user declined to overwrite receiver files
    Failed,    // preparation or a step failed; the document's message says why
};

// Runs the document's model from step 0. The document is marked running
// for the duration; messages go through its ReportMessage.
RunOutcome Run(CElixDoc& doc, IRunMonitor& monitor);

// The document's plot kinds.
inline constexpr int kReceiverPlot = 0;
inline constexpr int kSpectrumPlot = 1;
inline constexpr int kAttenuationPlot = 2;
inline constexpr int kGainPlot = 3;

}  // namespace elix

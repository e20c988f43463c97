// libFuzzer target: loading a restart file (LoadRestart) into a prepared
// run, through the run command with restart on: the user interface offers
// the input file once and answers No to every question, the monitor stops
// the run after its first step.
//
// Invariants checked:
// - a refused file ends the run as Declined, after the question "Failed to
//   load the restart file. Try again?", with nothing stepped;
// - an accepted file goes on from the step after the saved one: the run
//   stops after one step, ends because no step was left, or stops because
//   the loaded fields were not finite;
// - the document is never left running.
//
// Seeds: with ELASTRIX_RESTART_FUZZ_SEED=FILE in the environment the target
// first runs its model for a few steps and saves the restart file FILE
// (fuzz/corpus/restart/ holds one made that way).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/run.h"
#include "fuzz_check.h"
#include "fuzz_support.h"
#include "model/elix_doc.h"

namespace {

using namespace elix;

// The path the model claims; restart files name it on their second line.
// Nothing is ever written beside it.
constexpr const char* kModelPath = "/elastrix-restart-fuzz/plate.wmd";

CMaterialProperty Steel() {
    CMaterialProperty m;
    m.name = "Steel";
    m.grayLevel = 0;
    m.density = 7850.0f;
    m.mu = 7850.0f * 3230.0f * 3230.0f;
    m.lambda = 7850.0f * 5900.0f * 5900.0f - 2.0f * m.mu;
    return m;
}

// A 2 mm x 1.5 mm steel plate at 4 pixels per mm (8 x 6 cells), a source
// on top, a plain receiver on the bottom and a focused array receiver on
// top, whose delay lines a restart file carries too.
void BuildModel(CElixDoc& doc) {
    doc.SetPathName(kModelPath);
    doc.AddItem(Steel());
    doc.image.ImageWidth = 8;
    doc.image.ImageHeight = 6;
    doc.image.Rows.assign(6, std::vector<std::uint8_t>(8, 0));
    doc.image.ResolutionX = doc.image.ResolutionY = 4.0f * 25.4f;
    CSource source;
    source.name = "Tx";
    source.x1 = 0.0005f;
    source.x2 = 0.0015f;
    source.y1 = source.y2 = 0.0f;
    source.longitudinalTimeFunction = "Sine Pulse,2,1,5e+06";
    source.longitudinalDuration = 2e-7f;
    doc.AddItem(source);
    CReceiver bottom;
    bottom.name = "Bottom";
    bottom.x1 = 0.0005f;
    bottom.x2 = 0.0015f;
    bottom.y1 = bottom.y2 = 0.0015f;
    doc.AddItem(bottom);
    CReceiver array = bottom;
    array.name = "Array";
    array.y1 = array.y2 = 0.0f;
    array.curveArrayFlags = kArrayFocusingBlock;
    array.shearMode = 0;  // an array records one wave type only
    array.focusing.delayLaw = 1;
    array.focusing.a[0] = 1.0f;
    doc.AddItem(array);
    doc.job.MinWaveLength = 0.0025f;
    doc.job.Duration = 4e-7f;
    doc.job.InfiniteBCIndex = 4 | 8;
    doc.job.DispFreq = 0;
}

CElixDoc& Model() {
    static CElixDoc* doc = [] {
        auto* d = new CElixDoc;
        BuildModel(*d);
        return d;
    }();
    return *doc;
}

class StepMonitor : public IRunMonitor {
public:
    int steps = 0;
    int stopAfter = 1;
    void Progress(int, int, const std::string&) override { ++steps; }
    bool StopRequested() override { return steps >= stopAfter; }
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const char* seed = std::getenv("ELASTRIX_RESTART_FUZZ_SEED");
    if (!seed) return 0;
    fuzz::FuzzUserInterface ui;
    ui.filesToSave = {seed};
    CElixDoc& doc = Model();
    doc.SetUserInterface(&ui);
    StepMonitor monitor;
    monitor.stopAfter = 6;
    FUZZ_CHECK(Run(doc, monitor) == RunOutcome::Stopped);
    doc.SetUserInterface(nullptr);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzz::WriteScratchFile("run.res", data, size);
    fuzz::FuzzUserInterface ui;
    ui.filesToOpen = {path};
    ui.questionAnswer = MessageAnswer::No;
    CElixDoc& doc = Model();
    doc.SetUserInterface(&ui);
    StepMonitor monitor;
    const RunOutcome outcome = Run(doc, monitor, true);
    doc.SetUserInterface(nullptr);
    FUZZ_CHECK(!doc.IsRunning());
    switch (outcome) {
        case RunOutcome::Declined:
            FUZZ_CHECK(ui.lastText == "Failed to load the restart file. Try again?");
            FUZZ_CHECK(monitor.steps == 0);
            break;
        case RunOutcome::Stopped:
            FUZZ_CHECK(monitor.steps == 1);
            break;
        case RunOutcome::Finished:
            FUZZ_CHECK(monitor.steps == 0);
            break;
        case RunOutcome::Failed:
            FUZZ_CHECK(doc.MessageText().rfind("The simulation became unstable at step ", 0) == 0);
            break;
    }
    return 0;
}

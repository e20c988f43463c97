// The cost of running in the window: a 1024 x 1024 node model with a frame
// every 10 steps, run once through Elix > Run (the progress monitor, event
// pumping, frame painting in the model view; offscreen platform) and once
// headless through the core's Run, on the same model file. Prints both
// times and the window's overhead in percent.
#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "bench_materials.h"
#include "engine/run.h"
#include "engine/time_step.h"
#include "model/elix_doc.h"
#include "support/gui_window.h"

namespace elix {
namespace {

using Clock = std::chrono::steady_clock;
constexpr int kSide = 1024;
constexpr int kSteps = 300;

// Steel, 0.1 mm cells, a line source on top and a receiver below it,
// written as a model with its GEO geometry beside it.
std::string WriteModel(const test::TempDir& dir) {
    CElixDoc doc;
    doc.AddItem(bench::Material("Steel", 0, 7850, 5900, 3230, false));
    const int cells = kSide - 1;
    doc.image.ImageWidth = doc.image.ImageHeight = cells;
    doc.image.ResolutionX = doc.image.ResolutionY = 254.0f;
    doc.image.Rows.assign(static_cast<std::size_t>(cells), std::vector<std::uint8_t>(static_cast<std::size_t>(cells), 0));
    doc.job.CMax = 1u << 20;
    doc.job.DispFreq = 10;
    const float width = static_cast<float>(cells) * 1e-4f;
    bench::AddTopTransducer(doc, width, false);
    CReceiver receiver;
    receiver.name = "Rx";
    receiver.outputFile = "rx.txt";
    receiver.x1 = 0.45f * width;
    receiver.x2 = 0.55f * width;
    receiver.y1 = receiver.y2 = 0.5f * width;
    doc.AddItem(receiver);
    // The duration of kSteps steps of the model's time step.
    CRunGeometry geometry;
    std::string error;
    doc.image.ShowsFrame = false;
    if (!ComputeRunGeometry(doc, geometry, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        std::exit(1);
    }
    doc.job.Duration = static_cast<float>((kSteps - 0.5) * geometry.dt);
    doc.WriteImageFile(dir.Path("plate.geo"));
    doc.ImageFileName = "plate.geo";
    const std::string path = dir.Path("plate.wmd");
    doc.WriteModel(path);
    return path;
}

double Seconds(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

}  // namespace
}  // namespace elix

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    using namespace elix;
    test::Window w;
    const std::string model = WriteModel(w.dir);

    CElixDoc headless;
    test::ScriptedUserInterface ui;
    headless.SetUserInterface(&ui);
    if (!headless.ReadModel(model)) {
        std::fprintf(stderr, "Cannot open the model: %s\n", headless.MessageText().c_str());
        return 1;
    }
    struct : IRunMonitor {
        void Progress(int, int, const std::string&) override {}
    } plain;
    if (!w.frame->OpenModel(model)) return 1;
    w.frame->Execute(Cmd::Zoom100);
    // Alternating runs, the best of each: the machine's other load
    // touches both alike.
    double headlessSeconds = 1e30, windowSeconds = 1e30;
    for (int round = 0; round < 3; ++round) {
        auto start = Clock::now();
        if (Run(headless, plain) != RunOutcome::Finished) {
            std::fprintf(stderr, "Headless run failed: %s\n", headless.MessageText().c_str());
            return 1;
        }
        headlessSeconds = std::min(headlessSeconds, Seconds(start));
        start = Clock::now();
        w.frame->Execute(Cmd::RunModel);
        windowSeconds = std::min(windowSeconds, Seconds(start));
        const std::string written = test::ReadFileText(w.dir.Path("rx.txt"));
        if (std::count(written.begin(), written.end(), '\n') < kSteps - 1) {
            std::fprintf(stderr, "The window's run did not finish: %s\n", w.Doc().MessageText().c_str());
            return 1;
        }
    }
    std::printf("%d x %d nodes, %d steps, DispFreq 10\n", kSide, kSide, kSteps);
    std::printf("headless  %.3f s\nwindow    %.3f s\noverhead  %+.1f %%\n", headlessSeconds, windowSeconds,
                100.0 * (windowSeconds / headlessSeconds - 1.0));
    return 0;
}

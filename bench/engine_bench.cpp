// The engine's speed on standard models: node-updates per second of the
// reference kernels and of the fast path for one and two threads, of the
// whole run loop (DispFreq 0), the preparation time, the bytes per node,
// and the machine's copy bandwidth measured the same way as STREAM's Copy.
//
// Usage: engine_bench [--sizes 512,2048,4096] [--models homogeneous,holes,damped,fourth,grains]
//                     [--seconds 1.5]
// Each kernel figure is the best of twelve short timed repetitions that
// last about --seconds together.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "engine/fast_kernels.h"
#include "engine/grid_builder.h"
#include "engine/kernels.h"
#include "engine/row_workers.h"
#include "engine/run.h"
#include "bench_materials.h"
#include "model/elix_doc.h"

namespace {

using namespace elix;
using Clock = std::chrono::steady_clock;

double Since(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// Bytes one node update moves at the least: U, V, Uold, Vold read and
// Unew, Vnew written, counted as STREAM counts (no write-allocate).
constexpr double kBytesPerUpdate = 24.0;

struct Options {
    std::vector<int> sizes{512, 2048, 4096};
    std::vector<std::string> models{"homogeneous", "holes", "damped", "fourth", "grains"};
    double seconds = 1.5;
};

using bench::Material;

// A mixing hash of two lattice coordinates and a salt.
std::uint32_t LatticeHash(int x, int y, std::uint32_t salt) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 0x9E3779B1u ^ static_cast<std::uint32_t>(y) * 0x85EBCA77u ^ salt;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    return h;
}

// Steel microstructure: Voronoi grains around one seed per cell of a
// 12-pixel lattice, each seed jittered inside its cell, each grain one of
// eight steels (gray levels 2..9) whose speeds differ by up to 3.5 %.
// About a third of the nodes lie on grain boundaries and are composite.
void PaintGrains(CElixDoc& doc, int cells) {
    constexpr int kPitch = 12;
    for (int k = 0; k < 8; ++k) {
        const double scale = 1.0 + 0.005 * k;
        doc.AddItem(Material(("Steel " + std::to_string(k + 1)).c_str(), static_cast<std::uint8_t>(2 + k), 7850,
                             5900 * scale, 3230 * scale, false));
    }
    auto seed = [](int cx, int cy, int& sx, int& sy) {
        sx = cx * kPitch + static_cast<int>(LatticeHash(cx, cy, 1) % kPitch);
        sy = cy * kPitch + static_cast<int>(LatticeHash(cx, cy, 2) % kPitch);
    };
    for (int y = 0; y < cells; ++y)
        for (int x = 0; x < cells; ++x) {
            const int cx = x / kPitch, cy = y / kPitch;
            long best = -1;
            std::uint8_t gray = 2;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    int sx = 0, sy = 0;
                    seed(cx + dx, cy + dy, sx, sy);
                    const long d = static_cast<long>(sx - x) * (sx - x) + static_cast<long>(sy - y) * (sy - y);
                    if (best < 0 || d < best) {
                        best = d;
                        gray = static_cast<std::uint8_t>(2 + LatticeHash(cx + dx, cy + dy, 3) % 8);
                    }
                }
            doc.image.Rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = gray;
        }
}

// A model of side x side nodes ((side - 1)^2 cells of 0.1 mm): steel, or
// steel with round holes 4 cells across on a 6-cell pitch (about a third of
// the nodes composite), or damped epoxy, or steel with the fourth-order
// scheme, or a steel microstructure of 12-pixel grains. A line source on
// the top edge and a receiver below it.
void MakeModel(CElixDoc& doc, const std::string& model, int side) {
    doc.AddItem(Material("Steel", 0, 7850, 5900, 3230, false));
    doc.AddItem(Material("Epoxy", 1, 1200, 2600, 1100, true));
    const int cells = side - 1;
    const std::uint8_t fill = model == "damped" ? 1 : 0;
    doc.image.ImageWidth = doc.image.ImageHeight = cells;
    doc.image.ResolutionX = doc.image.ResolutionY = 254.0f;  // 0.1 mm pixels, one per cell
    doc.image.Rows.assign(static_cast<std::size_t>(cells), std::vector<std::uint8_t>(static_cast<std::size_t>(cells), fill));
    if (model == "grains") PaintGrains(doc, cells);
    if (model == "holes")
        for (int y = 0; y < cells; ++y)
            for (int x = 0; x < cells; ++x) {
                const int dx = x % 6 - 2, dy = y % 6 - 2;
                if (dx * dx + dy * dy <= 2) doc.image.Rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = 255;
            }
    doc.job.CMax = 1u << 20;
    doc.job.DispFreq = 0;
    if (model == "fourth") {
        doc.job.HighOrderScheme = 1;
        doc.job.TimeStepScale = 0.5f;
    }
    const float width = static_cast<float>(cells) * 1e-4f;
    bench::AddTopTransducer(doc, width);
    CReceiver receiver;
    receiver.name = "Rx";
    receiver.x1 = 0.45f * width;
    receiver.x2 = 0.55f * width;
    receiver.y1 = receiver.y2 = 0.5f * width;
    doc.AddItem(receiver);
}

struct Prepared {
    CRunGeometry geometry;
    CNodeGrid grid;
    double seconds = 0.0;
};

// The preparation a run does for the grid: geometry, region map, node
// grid and sets, fields, and (fourth order) the marks.
bool PrepareGrid(const CElixDoc& doc, Prepared& p) {
    std::string error;
    RegionMap region;
    const Clock::time_point start = Clock::now();
    if (!ComputeRunGeometry(doc, p.geometry, error) || !BuildRegionMap(doc, p.geometry, region, error) ||
        !BuildNodeGrid(doc, p.geometry, region, p.grid, error) || !AllocateFields(p.grid, error)) {
        std::fprintf(stderr, "preparation failed: %s\n", error.c_str());
        return false;
    }
    if (p.grid.highOrderScheme)
        MarkHighOrderNodes(p.grid, p.geometry, doc.job.TimeStepScale, doc.job.DtScaleThresh, {});
    p.seconds = Since(start);
    return true;
}

// Best node-updates per second of pass() over kRepetitions timed
// repetitions of a few steps each, about `seconds` in all. The best short
// repetition is the one least disturbed by other work on a shared machine.
template <class Pass>
double Throughput(CNodeGrid& grid, double seconds, Pass pass) {
    constexpr int kRepetitions = 12;
    const double nodes = static_cast<double>(grid.NodeCount());
    Clock::time_point start = Clock::now();
    pass();  // warm-up, and a first estimate of the step time
    grid.fields.Rotate();
    const double once = std::max(Since(start), 1e-6);
    const int steps = std::clamp(static_cast<int>(seconds / kRepetitions / once), 1, 5000);
    double best = 0.0;
    for (int rep = 0; rep < kRepetitions; ++rep) {
        start = Clock::now();
        for (int s = 0; s < steps; ++s) {
            pass();
            grid.fields.Rotate();
        }
        best = std::max(best, nodes * steps / Since(start));
    }
    return best;
}

// Times the steps of a whole run from the end of the first step on, so
// preparation is not included. Like the kernel figures, the rate is the
// best over kRepetitions consecutive groups of steps.
class TimingMonitor : public IRunMonitor {
public:
    static constexpr int kRepetitions = 12;

    void Progress(int, int, const std::string&) override { m_ends.push_back(Clock::now()); }
    double StepsPerSecond() const {
        const int steps = static_cast<int>(m_ends.size()) - 1;  // timed steps, after the first
        if (steps < 1) return 0.0;
        const int groups = std::min(kRepetitions, steps);
        double best = 0.0;
        for (int g = 0; g < groups; ++g) {
            const int from = g * steps / groups, to = (g + 1) * steps / groups;
            const double t = std::chrono::duration<double>(m_ends[static_cast<std::size_t>(to)] -
                                                           m_ends[static_cast<std::size_t>(from)])
                                 .count();
            if (t > 0.0) best = std::max(best, (to - from) / t);
        }
        return best;
    }

private:
    std::vector<Clock::time_point> m_ends;
};

// Node-updates per second through Run with DispFreq 0, steps after the first.
double WholeRun(const std::string& model, int side, int threads, int steps, double dt) {
    CElixDoc doc;
    MakeModel(doc, model, side);
    doc.job.ThreadTotal = static_cast<std::int16_t>(threads);
    doc.job.Duration = static_cast<float>((steps + 0.25) * dt);
    TimingMonitor monitor;
    if (Run(doc, monitor) != RunOutcome::Finished) {
        std::fprintf(stderr, "whole run failed: %s\n", doc.MessageText().c_str());
        return 0.0;
    }
    return monitor.StepsPerSecond() * static_cast<double>(side) * static_cast<double>(side);
}

// Bytes held per node by the grid: flags, indices, fields, sets and plan.
double BytesPerNode(const CNodeGrid& grid, const CFastKernels& plan) {
    const WaveFields& f = grid.fields;
    std::size_t bytes = grid.flags.capacity() + grid.index.capacity() * sizeof(std::uint32_t) + plan.PlanBytes();
    for (const FieldArray* a : {&f.U, &f.V, &f.Uold, &f.Vold, &f.Unew, &f.Vnew, &f.W})
        bytes += a->capacity() * sizeof(float);
    for (const CoefficientSet& set : grid.sets) bytes += (set.u.capacity() + set.v.capacity()) * sizeof(float);
    return static_cast<double>(bytes) / static_cast<double>(grid.NodeCount());
}

// STREAM-style Copy (b[i] = a[i], 8 bytes moved per element) with the
// given number of threads over arrays far larger than the caches; bytes/s.
double CopyBandwidth(int threads) {
    const std::size_t n = std::size_t{1} << 26;  // 256 MB per array
    std::unique_ptr<float[]> a(new float[n]), b(new float[n]);
    std::fill(a.get(), a.get() + n, 1.0f);
    std::fill(b.get(), b.get() + n, 0.0f);
    double best = 0.0;
    for (int rep = 0; rep < 5; ++rep) {
        const Clock::time_point start = Clock::now();
        std::vector<std::thread> pool;
        for (int t = 0; t < threads; ++t)
            pool.emplace_back([&, t] {
                const std::size_t lo = n * static_cast<std::size_t>(t) / static_cast<std::size_t>(threads);
                const std::size_t hi = n * static_cast<std::size_t>(t + 1) / static_cast<std::size_t>(threads);
                std::memcpy(b.get() + lo, a.get() + lo, (hi - lo) * sizeof(float));
            });
        for (std::thread& th : pool) th.join();
        best = std::max(best, 8.0 * static_cast<double>(n) / Since(start));
    }
    if (b[n / 2] != 1.0f) std::fprintf(stderr, "copy check failed\n");
    return best;
}

void Report(const Options& options) {
    const double copy1 = CopyBandwidth(1), copy2 = CopyBandwidth(2);
    std::printf("Copy bandwidth (STREAM-style): %.1f GB/s with 1 thread, %.1f GB/s with 2 threads\n", copy1 * 1e-9,
                copy2 * 1e-9);
    std::printf("Bandwidth limit at %.0f bytes per node-update: %.0f M/s (1 thread), %.0f M/s (2 threads)\n",
                kBytesPerUpdate, copy1 / kBytesPerUpdate * 1e-6, copy2 / kBytesPerUpdate * 1e-6);
    std::printf("Span loops: %s\n\n", FastKernelsUseAvx2() ? "AVX2" : "baseline x86-64");
    std::printf("%-12s %5s %8s %7s | %8s %8s | %8s %8s %5s | %8s %8s | %6s %6s | %6s\n", "model", "side",
                "prep s", "B/node", "ref 1T", "ref 2T", "fast 1T", "fast 2T", "x ref", "run 1T", "run 2T", "bw 1T",
                "bw 2T", "prep%");
    for (int side : options.sizes)
        for (const std::string& model : options.models) {
            CElixDoc doc;
            MakeModel(doc, model, side);
            Prepared p;
            if (!PrepareGrid(doc, p)) continue;
            CNodeGrid& grid = p.grid;
            grid.fields.U[grid.Offset(side / 2, side / 2)] = 1.0f;
            CFastKernels plan;
            const Clock::time_point planStart = Clock::now();
            plan.Build(grid);
            const double prepare = p.seconds + Since(planStart);
            double ref[2], fast[2];
            for (int threads : {1, 2}) {
                CRowWorkers workers(threads);
                ref[threads - 1] = Throughput(grid, options.seconds * 0.5, [&] { workers.Pass(grid); });
                fast[threads - 1] = Throughput(grid, options.seconds, [&] { workers.Pass(grid, &plan); });
            }
            const double bytes = BytesPerNode(grid, plan);
            const double nodes = static_cast<double>(grid.NodeCount());
            const double dt = p.geometry.dt;
            grid = CNodeGrid{};  // the whole runs build their own
            const int runSteps = std::clamp(static_cast<int>(options.seconds * fast[0] / nodes), 13, 5000);
            const double run1 = WholeRun(model, side, 1, runSteps, dt);
            const double run2 = WholeRun(model, side, 2, runSteps, dt);
            // Preparation against a 1000-step run at the fast path's speed.
            const double prepPercent = 100.0 * prepare / (1000.0 * nodes / fast[0] + prepare);
            std::printf("%-12s %5d %8.3f %7.1f | %8.1f %8.1f | %8.1f %8.1f %5.2f | %8.1f %8.1f | %6.2f %6.2f | %6.2f\n",
                        model.c_str(), side, prepare, bytes, ref[0] * 1e-6, ref[1] * 1e-6, fast[0] * 1e-6,
                        fast[1] * 1e-6, fast[0] / ref[0], run1 * 1e-6, run2 * 1e-6,
                        fast[0] * kBytesPerUpdate / copy1, fast[1] * kBytesPerUpdate / copy2, prepPercent);
            std::fflush(stdout);
        }
    std::printf("\nThroughputs in million node-updates per second; bw = fast path's fraction of the copy bandwidth;\n"
                "prep%% = preparation as a share of a 1000-step run at the fast path's 1-thread speed.\n");
}

std::vector<std::string> SplitList(const char* text) {
    std::vector<std::string> items;
    std::stringstream in(text);
    for (std::string item; std::getline(in, item, ',');)
        if (!item.empty()) items.push_back(item);
    return items;
}

bool ParseOptions(int argc, char** argv, Options& options) {
    for (int k = 1; k + 1 < argc; k += 2) {
        const std::string key = argv[k];
        if (key == "--sizes") {
            options.sizes.clear();
            for (const std::string& s : SplitList(argv[k + 1])) options.sizes.push_back(std::atoi(s.c_str()));
        } else if (key == "--models") {
            options.models = SplitList(argv[k + 1]);
        } else if (key == "--seconds") {
            options.seconds = std::atof(argv[k + 1]);
        } else {
            return false;
        }
    }
    return argc % 2 == 1 && options.seconds > 0.0 &&
           std::all_of(options.sizes.begin(), options.sizes.end(), [](int s) { return s >= 16 && s <= 16384; });
}

}  // namespace

int main(int argc, char** argv) {
    const char* usage =
        "usage: engine_bench [--sizes 512,2048,4096] [--models homogeneous,holes,damped,fourth,grains] "
        "[--seconds 1.5]\n";
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(usage, stdout);
        return 0;
    }
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fputs(usage, stderr);
        return 2;
    }
    Report(options);
    return 0;
}

// Node updates per second of the reference kernels on generated models:
// a homogeneous steel block and a block full of interfaces (steel, water,
// damped epoxy and vacuum holes). Usage: grid_bench [cells-per-side] [steps]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/grid_builder.h"
#include "engine/kernels.h"
#include "bench_materials.h"
#include "model/elix_doc.h"

namespace {

using namespace elix;

using bench::Material;

void Run(const char* label, bool interfaces, int side, int steps) {
    CElixDoc doc;
    doc.AddItem(Material("Steel", 0, 7850, 5900, 3230, false));
    doc.AddItem(Material("Water", 1, 1000, 1480, 0, false));
    doc.AddItem(Material("Epoxy", 2, 1200, 2600, 1100, true));
    doc.image.ImageWidth = doc.image.ImageHeight = side;
    doc.image.ResolutionX = doc.image.ResolutionY = 254.0f;  // 0.1 mm pixels = cells
    doc.image.Rows.assign(static_cast<std::size_t>(side), std::vector<std::uint8_t>(static_cast<std::size_t>(side), 0));
    if (interfaces)
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x) {
                const int pattern = (x / 5 + 2 * (y / 7)) % 4;
                doc.image.Rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] =
                    static_cast<std::uint8_t>(pattern == 3 ? 255 : pattern);
            }
    doc.job.CMax = 1 << 20;
    CRunGeometry geometry;
    RegionMap region;
    CNodeGrid grid;
    std::string error;
    const auto prepareStart = std::chrono::steady_clock::now();
    if (!ComputeRunGeometry(doc, geometry, error) || !BuildRegionMap(doc, geometry, region, error) ||
        !BuildNodeGrid(doc, geometry, region, grid, error) || !AllocateFields(grid, error)) {
        std::fprintf(stderr, "%s: %s\n", label, error.c_str());
        std::exit(1);
    }
    const double prepare = std::chrono::duration<double>(std::chrono::steady_clock::now() - prepareStart).count();
    grid.fields.U[grid.Offset(grid.nx / 2, grid.ny / 2)] = 1.0f;
    const auto start = std::chrono::steady_clock::now();
    for (int step = 0; step < steps; ++step) {
        AdvanceRows(grid, 0, grid.ny);
        grid.fields.Rotate();
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double updates = static_cast<double>(grid.NodeCount()) * steps;
    std::printf("%-12s %5d x %-5d nodes, %4zu sets, preparation %.3f s, %d steps in %.3f s: %.1f M node-updates/s\n",
                label, grid.nx + 1, grid.ny + 1, grid.sets.size(), prepare, steps, seconds, updates / seconds * 1e-6);
}

}  // namespace

int main(int argc, char** argv) {
    const int side = argc > 1 ? std::atoi(argv[1]) : 1000;
    const int steps = argc > 2 ? std::atoi(argv[2]) : 50;
    if (side < 4 || steps < 1) {
        std::fprintf(stderr, "usage: grid_bench [cells-per-side >= 4] [steps >= 1]\n");
        return 2;
    }
    Run("homogeneous", false, side, steps);
    Run("interfaces", true, side, steps);
    return 0;
}

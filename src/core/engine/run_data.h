// Everything a run holds between preparation and its end: the grid, the
// prepared sources, receivers, boundary conditions and absorbing sides,
// and the open receiver output files.
#pragma once

#include <cstdio>
#include <vector>

#include "engine/absorbing_sides.h"
#include "engine/boundary_conditions.h"
#include "engine/node_grid.h"
#include "engine/receivers.h"
#include "engine/sources.h"
#include "engine/time_step.h"

namespace elix {

struct RunData {
    CRunGeometry geometry;
    CNodeGrid grid;
    CAbsorbingSides sides;
    std::vector<CBoundaryRun> conditions;
    std::vector<CSourceRun> sources;
    std::vector<CReceiverRun> receivers;
    std::vector<StressModuli> moduli;
    std::vector<std::FILE*> outputs;  // one per receiver, null when not written

    RunData() = default;
    RunData(const RunData&) = delete;
    RunData& operator=(const RunData&) = delete;
    ~RunData() {
        for (std::FILE* f : outputs)
            if (f) std::fclose(f);
    }
};

}  // namespace elix

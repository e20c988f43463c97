// Sources during a run: their point lists (with array delays and
// directions, and the cell materials of pressure sources), the excitation
// written into level n+1 every step, and the values of their source curves.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "engine/grid_builder.h"
#include "engine/node_grid.h"
#include "engine/segment_points.h"
#include "engine/time_functions.h"

namespace elix {

class CElixDoc;
struct CSource;

struct CSourcePoint {
    GridPoint at;
    int delayL = 0;  // array delays in steps
    int delayT = 0;
    double c = 1.0;  // direction of this point (the source's own unless an array law turns it)
    double s = 0.0;
    // Pressure sources: the moduli (x 1e-12) of the four cells around the
    // point (cell 1 = (j, i), 2 = (j, i-1), 3 = (j-1, i-1), 4 = (j-1, i)),
    // and the support values of this step.
    std::array<double, 4> lambda{}, mx{}, my{};
    double q0 = 0.0, q1 = 0.0;
};

struct CSourceRun {
    std::string name;
    bool active = true;
    SegmentDirection direction;
    double startTime = 0.0;  // t0, s
    bool modeL = false, modeT = false;
    double durationL = 0.0, durationT = 0.0;  // s
    TimeFunctionSpec functionL, functionT;
    bool pressure = false;
    bool holdsBoth = false;  // a point source holds both components
    bool release = false;
    double frontDelay = 0.0, backDelay = 0.0;  // s
    std::vector<CSourcePoint> points;
    float meanWeightL = 0.0f, meanWeightT = 0.0f;
    int curveDelay = 0;  // array sources: mean of the smallest and largest point delay
    TimeFunctionMemo memoL, memoT;
};

// Builds the run data of every source. False with the message ("The size of
// Source '%s' is too small.", "No material is defined for gray level %d in
// source '%s'.") when a source cannot be prepared.
bool PrepareSources(const CElixDoc& doc, const CNodeGrid& grid, const RegionMap& region, double hx, double hy,
                    double dt, std::vector<CSourceRun>& sources, std::string& error);

// True when a releasing source's excitation is over at time t (s): from
// that step on its nodes are free.
bool ReleasedAt(const CSourceRun& source, double t);

// Sets FLAG_FIX_U / FLAG_FIX_V along every active source (after the
// boundary conditions set theirs). False for a class outside 0..2.
bool SetSourceHeldNodes(CNodeGrid& grid, const std::vector<CSourceRun>& sources);

// Frees the held flags (FreeHeldNode) at every point of every source,
// active or not.
void FreeSourceHeldNodes(CNodeGrid& grid, const std::vector<CSourceRun>& sources);

// The support values of the pressure-source points from the level n+1
// values the kernels just computed.
void UpdatePressureSupport(const CNodeGrid& grid, std::vector<CSourceRun>& sources, double hx, double hy);

// The value pair of one source's curves at a step.
struct SourceCurveValue {
    float l = 0.0f;
    float t = 0.0f;
};

// Writes every active source's excitation into level n+1 at step n and
// returns the values of the source curves (one pair per source, 0 for an
// inactive one).
std::vector<SourceCurveValue> ApplySources(CNodeGrid& grid, std::vector<CSourceRun>& sources, int step, double dt,
                                           const TimeFunctionContext& context);

}  // namespace elix

// Boundary conditions during a run: each active condition prescribes the
// displacement of its points every step, rotated by its segment's normal,
// and holds those node components so the kernels leave them alone.
#pragma once

#include <string>
#include <vector>

#include "engine/node_grid.h"
#include "engine/segment_points.h"
#include "engine/time_functions.h"

namespace elix {

class CBoundaryCondition;

// The engine's view of one boundary condition.
struct CBoundaryRun {
    std::string name;
    bool active = true;
    SegmentDirection direction;
    double startTime = 0.0;  // s
    bool modeL = false;      // longitudinal component (along the normal) prescribed
    bool modeT = false;      // shear component (along the segment) prescribed
    double durationL = 0.0;  // s
    double durationT = 0.0;  // s
    TimeFunctionSpec functionL, functionT;
    bool release = false;  // active in duration only
    std::vector<GridPoint> points;
    TimeFunctionMemo memoL, memoT;
};

// The run data of a record on a grid of spacing hx, hy and nx x ny cells.
CBoundaryRun MakeBoundaryRun(const CBoundaryCondition& record, double hx, double hy, int nx, int ny);

// Whether an excitation that started at startTime is over at time t, by
// its orientation class: class 0 when both components are over (both
// durations count), classes 1 and 2 when every component that is on is
// over. A component is over when t > startTime + its duration.
bool ExcitationOver(int orientationClass, bool modeL, bool modeT, double t, double startTime, double durationL,
                    double durationT);

// True when a releasing condition's excitation is over at time t (s): from
// that step on its nodes are free.
bool ReleasedAt(const CBoundaryRun& bc, double t);

// Which grid components a point of an excitation holds: class 0 both when
// either mode is on; class 1 U with the longitudinal and V with the shear
// mode; class 2 U with the shear and V with the longitudinal mode. False
// for a class outside 0..2.
bool HeldComponents(int orientationClass, bool modeL, bool modeT, bool& holdU, bool& holdV);

// Clears FLAG_FIX_U and FLAG_FIX_V on every node that is not vacuum (vacuum
// nodes stay held), then sets them along every active condition. False
// when a condition has a class outside 0..2.
bool SetBoundaryHeldNodes(CNodeGrid& grid, const std::vector<CBoundaryRun>& conditions, bool clearFirst = true);

// Clears FLAG_FIX_U and FLAG_FIX_V at node (x, y) unless it is a vacuum
// node (those stay held).
void FreeHeldNode(CNodeGrid& grid, int x, int y);

// Frees the held flags at every point of every condition, active or not.
// Only condition and source points are ever held besides vacuum, so this
// and FreeSourceHeldNodes do the clearing of SetBoundaryHeldNodes in
// O(points) instead of over the whole grid.
void FreeBoundaryHeldNodes(CNodeGrid& grid, const std::vector<CBoundaryRun>& conditions);

// Writes the prescribed displacement of every active condition into level
// n+1 at step n (t = n dt), releasing conditions whose excitation is over.
// False when a condition has a class outside 0..2.
bool ApplyBoundaryConditions(CNodeGrid& grid, std::vector<CBoundaryRun>& conditions, int step, double dt,
                             const TimeFunctionContext& context);

}  // namespace elix

#include "engine/boundary_conditions.h"

#include <cmath>

#include "model/boundary_condition.h"

namespace elix {

CBoundaryRun MakeBoundaryRun(const CBoundaryCondition& record, double hx, double hy, int nx, int ny) {
    CBoundaryRun run;
    run.name = record.name;
    run.active = record.active;
    run.direction = DirectionOf(record.x1, record.y1, record.x2, record.y2);
    run.startTime = record.timeDelay;
    run.modeL = record.longitudinalFixed != 0;
    run.modeT = record.shearFixed != 0;
    run.durationL = record.longitudinalDuration;
    run.durationT = record.shearDuration;
    run.functionL = ParseTimeFunction(record.longitudinalSignalName);
    run.functionT = ParseTimeFunction(record.shearSignalName);
    run.release = record.activeInDurationOnly != 0;
    run.points = SegmentPoints(record.x1, record.y1, record.x2, record.y2, hx, hy, nx, ny,
                               record.longitudinalDistribution, record.shearDistribution);
    return run;
}

bool ExcitationOver(int orientationClass, bool modeL, bool modeT, double t, double startTime, double durationL,
                    double durationT) {
    const bool overL = t > startTime + durationL;
    const bool overT = t > startTime + durationT;
    if (orientationClass == 0) return (!modeL && !modeT) || (overL && overT);
    return (!modeL || overL) && (!modeT || overT);
}

bool HeldComponents(int orientationClass, bool modeL, bool modeT, bool& holdU, bool& holdV) {
    switch (orientationClass) {
        case 0: holdU = holdV = modeL || modeT; return true;
        case 1: holdU = modeL; holdV = modeT; return true;
        case 2: holdU = modeT; holdV = modeL; return true;
        default: holdU = holdV = false; return false;
    }
}

void FreeHeldNode(CNodeGrid& grid, int x, int y) {
    const std::size_t n = grid.Offset(x, y);
    if (grid.index[n] != VACUUM_INDEX)
        grid.flags[n] = static_cast<std::uint8_t>(grid.flags[n] & ~(FLAG_FIX_U | FLAG_FIX_V));
}

void FreeBoundaryHeldNodes(CNodeGrid& grid, const std::vector<CBoundaryRun>& conditions) {
    for (const CBoundaryRun& bc : conditions)
        for (const GridPoint& p : bc.points) FreeHeldNode(grid, p.x, p.y);
}

bool SetBoundaryHeldNodes(CNodeGrid& grid, const std::vector<CBoundaryRun>& conditions, bool clearFirst) {
    if (clearFirst)
        for (std::size_t n = 0; n < grid.flags.size(); ++n)
            if (grid.index[n] != VACUUM_INDEX)
                grid.flags[n] = static_cast<std::uint8_t>(grid.flags[n] & ~(FLAG_FIX_U | FLAG_FIX_V));
    bool ok = true;
    for (const CBoundaryRun& bc : conditions) {
        if (!bc.active) continue;
        bool holdU = false, holdV = false;
        if (!HeldComponents(bc.direction.orientationClass, bc.modeL, bc.modeT, holdU, holdV)) {
            ok = false;
            continue;
        }
        const std::uint8_t bits = static_cast<std::uint8_t>((holdU ? FLAG_FIX_U : 0) | (holdV ? FLAG_FIX_V : 0));
        for (const GridPoint& p : bc.points) grid.flags[grid.Offset(p.x, p.y)] |= bits;
    }
    return ok;
}

bool ReleasedAt(const CBoundaryRun& bc, double t) {
    return bc.release && ExcitationOver(bc.direction.orientationClass, bc.modeL, bc.modeT, t, bc.startTime,
                                        bc.durationL, bc.durationT);
}

bool ApplyBoundaryConditions(CNodeGrid& grid, std::vector<CBoundaryRun>& conditions, int step, double dt,
                             const TimeFunctionContext& context) {
    const double t = step * dt;
    for (CBoundaryRun& bc : conditions) {
        if (!bc.active) continue;
        const int delay = dt > 0.0 ? static_cast<int>(std::trunc(bc.startTime / dt + 0.5)) : 0;
        const int cls = bc.direction.orientationClass;
        if (ReleasedAt(bc, t)) {
            bc.active = false;  // the nodes are free from now on
            continue;
        }
        if (cls < 0 || cls > 2) return false;
        bc.memoL.Reset();
        bc.memoT.Reset();
        const double c = bc.direction.c, s = bc.direction.s;
        const float fdt = static_cast<float>(dt);
        for (const GridPoint& p : bc.points) {
            const double a = bc.modeL ? static_cast<double>(bc.memoL.Evaluate(step - delay, fdt, 0.0f,
                                                                                static_cast<float>(bc.durationL),
                                                                                bc.functionL, context)) *
                                            p.weightL
                                      : 0.0;
            const double b = bc.modeT ? static_cast<double>(bc.memoT.Evaluate(step - delay, fdt, 0.0f,
                                                                                static_cast<float>(bc.durationT),
                                                                                bc.functionT, context)) *
                                            p.weightT
                                      : 0.0;
            const std::size_t node = grid.Offset(p.x, p.y);
            const float u = static_cast<float>(c * a - s * b);
            const float v = static_cast<float>(c * b + s * a);
            const bool writeU = cls == 0 || (cls == 1 && bc.modeL) || (cls == 2 && bc.modeT);
            const bool writeV = cls == 0 || (cls == 1 && bc.modeT) || (cls == 2 && bc.modeL);
            if (writeU) grid.fields.Unew[node] = u;
            if (writeV) grid.fields.Vnew[node] = v;
        }
    }
    return true;
}

}  // namespace elix

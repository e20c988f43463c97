#include "engine/sources.h"

#include <algorithm>
#include <memory>
#include <tuple>
#include <cmath>

#include "engine/array_law.h"
#include "engine/boundary_conditions.h"
#include "engine/time_step.h"
#include "model/elix_doc.h"
#include "platform/text_format.h"

namespace elix {
namespace {

// The moduli a pressure source needs of one cell, scaled by 1e-12:
// lambda and the normal moduli along x and y.
void PressureModuli(const CMaterialProperty& m, double& lambda, double& mx, double& my) {
    if (m.orthotropic) {
        lambda = m.c[4] * 1e-12;
        mx = m.c[3] * 1e-12;
        my = m.c[5] * 1e-12;
    } else {
        lambda = m.lambda * 1e-12;
        mx = my = (static_cast<double>(m.lambda) + 2.0 * m.mu) * 1e-12;
    }
}

}  // namespace

bool PrepareSources(const CElixDoc& doc, const CNodeGrid& grid, const RegionMap& region, double hx, double hy,
                    double dt, std::vector<CSourceRun>& sources, std::string& error) {
    sources.clear();
    const auto& list = doc.Sources();
    const auto& materials = doc.Materials();
    const int nx = grid.nx, ny = grid.ny;
    for (int k = 0; k < list.Count(); ++k) {
        const CSource& record = list[k];
        CSourceRun run;
        run.name = record.name;
        run.active = record.active;
        const double dx = static_cast<double>(record.x2) - record.x1, dy = static_cast<double>(record.y2) - record.y1;
        const double length = std::sqrt(dx * dx + dy * dy);
        if (!(length > 0.0)) {
            error = Format("The size of Source '%s' is too small.", record.name);
            return false;
        }
        run.direction = DirectionOf(record.x1, record.y1, record.x2, record.y2);
        run.startTime = record.timeDelay;
        run.modeL = record.longitudinalMode != 0;
        run.modeT = record.shearMode != 0;
        run.durationL = record.longitudinalDuration;
        run.durationT = record.shearDuration;
        run.functionL = ParseTimeFunction(record.longitudinalTimeFunction);
        run.functionT = ParseTimeFunction(record.shearTimeFunction);
        run.pressure = record.signalType == 1;
        run.holdsBoth = record.pointSource != 0;
        // A source lets go of its nodes once its excitation is over: a
        // record has no switch for it, and a surface held at rest after the
        // pulse would reflect the echoes it is meant to receive.
        run.release = true;
        run.frontDelay = record.frontDelay;
        run.backDelay = record.backDelay;

        const bool array = IsArrayItem(record.curveArrayFlags);
        std::unique_ptr<CArrayLaw> law;
        if (array) {
            ArrayLawInput in;
            if (!MakeArrayLawInput(doc, record, dt, in, error)) return false;
            law = std::make_unique<CArrayLaw>(in);
        }
        double sumL = 0.0, sumT = 0.0;
        int minDelay = 0, maxDelay = 0;
        bool first = true;
        for (const GridPoint& at : SegmentPoints(record.x1, record.y1, record.x2, record.y2, hx, hy, nx, ny,
                                                 record.longitudinalApodization, record.shearApodization)) {
            CSourcePoint p;
            p.at = at;
            p.c = run.direction.c;
            p.s = run.direction.s;
            if (law) {
                if (!law->Place(at.s, p)) continue;
                const int delay = run.modeL ? p.delayL : p.delayT;
                minDelay = first ? delay : std::min(minDelay, delay);
                maxDelay = first ? delay : std::max(maxDelay, delay);
                first = false;
            }
            if (run.pressure) {
                const int i = at.x, j = at.y;
                const int cellRows[4] = {j, j, j - 1, j - 1}, cellCols[4] = {i, i - 1, i - 1, i};
                for (std::size_t c = 0; c < 4; ++c) {
                    const int r = cellRows[c], col = cellCols[c];
                    if (r < 0 || r >= ny || col < 0 || col >= nx) continue;
                    const std::uint8_t m = region[static_cast<std::size_t>(r) * nx + col];
                    if (m == VACUUM_CELL || m >= materials.Count()) continue;
                    PressureModuli(materials[m], p.lambda[c], p.mx[c], p.my[c]);
                }
            }
            sumL += at.weightL;
            sumT += at.weightT;
            run.points.push_back(p);
        }
        const double count = static_cast<double>(run.points.size());
        run.meanWeightL = run.modeL && count > 0 ? static_cast<float>(sumL / count) : 0.0f;
        run.meanWeightT = run.modeT && count > 0 ? static_cast<float>(sumT / count) : 0.0f;
        run.curveDelay = (minDelay + maxDelay) / 2;
        sources.push_back(std::move(run));
    }
    return true;
}

bool ReleasedAt(const CSourceRun& source, double t) {
    return source.release && ExcitationOver(source.direction.orientationClass, source.modeL, source.modeT, t,
                                            source.frontDelay + source.backDelay + source.startTime,
                                            source.durationL, source.durationT);
}

bool SetSourceHeldNodes(CNodeGrid& grid, const std::vector<CSourceRun>& sources) {
    bool ok = true;
    for (const CSourceRun& source : sources) {
        if (!source.active) continue;
        bool holdU = false, holdV = false;
        if (!HeldComponents(source.direction.orientationClass, source.modeL, source.modeT, holdU, holdV)) {
            ok = false;
            continue;
        }
        if (source.holdsBoth) holdU = holdV = true;
        const auto bits = static_cast<std::uint8_t>((holdU ? FLAG_FIX_U : 0) | (holdV ? FLAG_FIX_V : 0));
        for (const CSourcePoint& p : source.points) grid.flags[grid.Offset(p.at.x, p.at.y)] |= bits;
    }
    return ok;
}

void FreeSourceHeldNodes(CNodeGrid& grid, const std::vector<CSourceRun>& sources) {
    for (const CSourceRun& source : sources)
        for (const CSourcePoint& p : source.points) FreeHeldNode(grid, p.at.x, p.at.y);
}

void UpdatePressureSupport(const CNodeGrid& grid, std::vector<CSourceRun>& sources, double hx, double hy) {
    const FieldArray& U = grid.fields.Unew;
    const FieldArray& V = grid.fields.Vnew;
    for (CSourceRun& source : sources) {
        if (!source.active || !source.pressure) continue;
        const double c = source.direction.c, s = source.direction.s;
        for (CSourcePoint& p : source.points) {
            const int i = p.at.x, j = p.at.y;
            const auto& l = p.lambda;
            const auto& mx = p.mx;
            const auto& my = p.my;
            const double SX = mx[0] + mx[1] + mx[2] + mx[3];
            const double SY = my[0] + my[1] + my[2] + my[3];
            p.q0 = p.q1 = 0.0;
            if (std::fabs(SX) <= 1e-20 || std::fabs(SY) <= 1e-20) continue;
            // Neighbours at the grid edge are replaced by the node itself.
            const int ip = std::min(i + 1, grid.nx), im = std::max(i - 1, 0);
            const int jp = std::min(j + 1, grid.ny), jm = std::max(j - 1, 0);
            const double Ur = U[grid.Offset(ip, j)], Uc = U[grid.Offset(i, j)], Ul = U[grid.Offset(im, j)];
            const double Vu = V[grid.Offset(i, jp)], Vc = V[grid.Offset(i, j)], Vd = V[grid.Offset(i, jm)];
            // The normal displacement for which the discrete normal stress
            // of the surrounding cells equals the prescribed pressure.
            if (std::fabs(c) > std::fabs(s)) {
                p.q0 = ((mx[3] + mx[0]) * Ur + (mx[2] + mx[1]) * Ul +
                        ((l[0] - l[1]) * (Vu - Vc) / hy + (l[3] - l[2]) * (Vc - Vd) / hy) * hx) /
                       SX;
                p.q1 = 2.0 * c * hx / SX;
                if (j == 0 || j == grid.ny) p.q1 /= 2.0;
            } else {
                p.q0 = ((my[1] + my[0]) * Vu + (my[3] + my[2]) * Vd +
                        ((l[1] - l[2]) * (Uc - Ul) / hx + (l[0] - l[3]) * (Ur - Uc) / hx) * hy) /
                       SY;
                p.q1 = 2.0 * s * hy / SY;
                if (i == 0 || i == grid.nx) p.q1 /= 2.0;
            }
        }
    }
}

std::vector<SourceCurveValue> ApplySources(CNodeGrid& grid, std::vector<CSourceRun>& sources, int step, double dt,
                                           const TimeFunctionContext& context) {
    std::vector<SourceCurveValue> curves(sources.size());
    // Every point of every active source starts from zero, so sources that
    // share points add.
    for (const CSourceRun& source : sources) {
        if (!source.active) continue;
        for (const CSourcePoint& p : source.points) {
            const std::size_t node = grid.Offset(p.at.x, p.at.y);
            grid.fields.Unew[node] = 0.0f;
            grid.fields.Vnew[node] = 0.0f;
        }
    }
    const double t = step * dt;
    const float fdt = static_cast<float>(dt);
    for (std::size_t k = 0; k < sources.size(); ++k) {
        CSourceRun& source = sources[k];
        if (!source.active) continue;
        const int delay = dt > 0.0 ? static_cast<int>(std::trunc(source.startTime / dt + 0.5)) : 0;
        if (ReleasedAt(source, t)) {
            source.active = false;
            continue;
        }
        const float t0 = static_cast<float>(source.frontDelay);
        const float durationL = static_cast<float>(source.durationL), durationT = static_cast<float>(source.durationT);
        source.memoL.Reset();
        source.memoT.Reset();
        for (const CSourcePoint& p : source.points) {
            const double a =
                source.modeL
                    ? static_cast<double>(source.memoL.Evaluate(step - delay - p.delayL, fdt, t0, durationL,
                                                                source.functionL, context)) *
                          p.at.weightL
                    : 0.0;
            const double b =
                source.modeT
                    ? static_cast<double>(source.memoT.Evaluate(step - delay - p.delayT, fdt, t0, durationT,
                                                                source.functionT, context)) *
                          p.at.weightT
                    : 0.0;
            const std::size_t node = grid.Offset(p.at.x, p.at.y);
            if (source.pressure) {
                // The normal component is set so that the normal stress
                // equals the pressure a.
                const float value = static_cast<float>(p.q1 * a + p.q0);
                if (std::fabs(source.direction.c) > std::fabs(source.direction.s)) grid.fields.Unew[node] = value;
                else grid.fields.Vnew[node] = value;
            } else {
                grid.fields.Unew[node] = static_cast<float>(grid.fields.Unew[node] + (p.c * a - p.s * b));
                grid.fields.Vnew[node] = static_cast<float>(grid.fields.Vnew[node] + (p.s * a + p.c * b));
            }
        }
        const int curveStep = step - delay - source.curveDelay;
        if (source.modeL)
            curves[k].l = EvaluateTimeFunction(curveStep, fdt, t0, durationL, source.functionL, context) *
                          source.meanWeightL;
        if (source.modeT)
            curves[k].t = EvaluateTimeFunction(curveStep, fdt, t0, durationT, source.functionT, context) *
                          source.meanWeightT;
    }
    return curves;
}

}  // namespace elix

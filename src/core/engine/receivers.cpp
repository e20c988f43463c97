#include "engine/receivers.h"

#include <cmath>
#include <filesystem>
#include <memory>
#include <tuple>

#include "engine/array_law.h"
#include "engine/time_step.h"
#include "model/elix_doc.h"
#include "platform/files.h"
#include "platform/text_format.h"

namespace elix {

std::vector<StressModuli> StressModuliOf(const CElixDoc& doc) {
    std::vector<StressModuli> moduli;
    const auto& materials = doc.Materials();
    for (int k = 0; k < materials.Count(); ++k) {
        const CMaterialProperty& m = materials[k];
        StressModuli s;
        if (m.orthotropic) {
            s.c11 = m.c[3] * 1e-12;  // C22
            s.c12 = m.c[4] * 1e-12;  // C23
            s.c22 = m.c[5] * 1e-12;  // C33
            s.c66 = m.c[6] * 1e-12;  // C44
        } else {
            const double lambda = m.lambda * 1e-12, mu = m.mu * 1e-12;
            s.c11 = s.c22 = 2.0 * mu + lambda;
            s.c12 = lambda;
            s.c66 = mu;
        }
        moduli.push_back(s);
    }
    return moduli;
}

bool PrepareReceivers(const CElixDoc& doc, const CNodeGrid& grid, const RegionMap& region, double hx, double hy,
                      double dt, std::vector<CReceiverRun>& receivers, std::string& error) {
    receivers.clear();
    const auto& list = doc.Receivers();
    const int nx = grid.nx, ny = grid.ny;
    for (int k = 0; k < list.Count(); ++k) {
        const CReceiver& record = list[k];
        CReceiverRun run;
        run.name = record.name;
        run.outputFile = record.outputFile;
        run.direction = DirectionOf(record.x1, record.y1, record.x2, record.y2);
        run.modeL = record.longitudinalMode != 0;
        run.modeT = record.shearMode != 0;
        run.dataType = record.dataType;
        run.phaseType = record.phaseType;
        run.gain = record.gainFactor;
        run.blanking = record.blanking;
        run.duration = record.duration;
        run.averagedOnly = record.averagedOnly != 0;
        run.array = IsArrayItem(record.curveArrayFlags);
        run.centreX = (static_cast<double>(record.x1) + record.x2) / 2.0;
        run.centreY = (static_cast<double>(record.y1) + record.y2) / 2.0;
        std::unique_ptr<CArrayLaw> law;
        if (run.array) {
            ArrayLawInput in;
            if (!MakeArrayLawInput(doc, record, dt, in, error)) return false;
            law = std::make_unique<CArrayLaw>(in);
        }
        for (const GridPoint& at : SegmentPoints(record.x1, record.y1, record.x2, record.y2, hx, hy, nx, ny,
                                                 record.longitudinalApodization, record.shearApodization)) {
            if (nx <= 0 || ny <= 0) break;
            const std::uint8_t cell =
                region[static_cast<std::size_t>(std::min(at.y, ny - 1)) * nx + std::min(at.x, nx - 1)];
            if (cell == VACUUM_CELL) continue;
            CReceiverPoint p;
            p.at = at;
            p.cell = cell;
            p.c = run.direction.c;
            p.s = run.direction.s;
            if (law) {
                if (!law->Place(at.s, p)) continue;
                const int length = std::max(std::max(p.delayL, p.delayT), 0) + 1;
                p.lineL.assign(static_cast<std::size_t>(length), 0.0f);
                p.lineT.assign(static_cast<std::size_t>(length), 0.0f);
            }
            run.points.push_back(std::move(p));
        }
        receivers.push_back(std::move(run));
    }
    return true;
}

namespace {

double Phase(int phaseType, double value) {
    if (phaseType == 1) return std::fabs(value);
    if (phaseType == 2) return value * value;
    return value;
}

}  // namespace

ReceiverSample RecordReceiver(CReceiverRun& r, const CNodeGrid& grid, const FieldArray& U, const FieldArray& V,
                              const FieldArray& Uprev, const FieldArray& Vprev, const FieldArray& Uprev2,
                              const FieldArray& Vprev2, int step, double dt, double hx, double hy,
                              const std::vector<StressModuli>& moduli) {
    ReceiverSample sample;
    const double t = step * dt;
    sample.written = r.blanking <= t;
    if (sample.written) sample.line = Format("%d %8.5f", step, t * 1e6);

    std::vector<double> valuesL, valuesT;
    valuesL.reserve(r.points.size());
    valuesT.reserve(r.points.size());
    double sumL = 0.0, sumT = 0.0;
    for (CReceiverPoint& p : r.points) {
        const int i = p.at.x, j = p.at.y;
        const std::size_t node = grid.Offset(i, j);
        double l = 0.0, tr = 0.0;
        if (r.dataType == 3) {
            // Strains from forward differences (backward on the last column
            // or row), stresses of the cell's material, rotated to the
            // receiver: normal and shear stress.
            const std::size_t right = i < grid.nx ? grid.Offset(i + 1, j) : grid.Offset(i - 1, j);
            const std::size_t below = j < grid.ny ? grid.Offset(i, j + 1) : grid.Offset(i, j - 1);
            const double signX = i < grid.nx ? 1.0 : -1.0, signY = j < grid.ny ? 1.0 : -1.0;
            const double exx = signX * (static_cast<double>(U[right]) - U[node]) / hx;
            const double eyy = signY * (static_cast<double>(V[below]) - V[node]) / hy;
            const double exy = (signY * (static_cast<double>(U[below]) - U[node]) / hy +
                                signX * (static_cast<double>(V[right]) - V[node]) / hx) /
                               2.0;
            const StressModuli m = p.cell < moduli.size() ? moduli[p.cell] : StressModuli{};
            const double sxx = m.c11 * exx + m.c12 * eyy;
            const double syy = m.c12 * exx + m.c22 * eyy;
            const double sxy = 2.0 * m.c66 * exy;
            const double c = p.c, s = p.s;
            l = syy * s * s + sxx * c * c + 2.0 * sxy * c * s;
            tr = s * c * (sxx - syy) + (s * s - c * c) * sxy;
        } else {
            double first = U[node], second = V[node];
            if (r.dataType == 1) {
                first = (static_cast<double>(U[node]) - Uprev[node]) * 1e-6 / dt;
                second = (static_cast<double>(V[node]) - Vprev[node]) * 1e-6 / dt;
            } else if (r.dataType == 2) {
                first = (static_cast<double>(U[node]) + Uprev2[node] - 2.0 * Uprev[node]) * 1e-12 / (dt * dt);
                second = (static_cast<double>(V[node]) + Vprev2[node] - 2.0 * Vprev[node]) * 1e-12 / (dt * dt);
            }
            l = p.c * first + p.s * second;
            tr = p.c * second - p.s * first;
        }
        if (r.array && !p.lineL.empty()) {
            // Delay lines: everything moves one place toward the front, the
            // new values go in at the point's delay, the front is used.
            p.lineL.pop_front();
            p.lineL.push_back(0.0f);
            p.lineT.pop_front();
            p.lineT.push_back(0.0f);
            const std::size_t at = static_cast<std::size_t>(std::max(r.modeL ? p.delayL : p.delayT, 0));
            if (at < p.lineL.size()) {
                p.lineL[at] = static_cast<float>(l);
                p.lineT[at] = static_cast<float>(tr);
            }
            l = p.lineL.front();
            tr = p.lineT.front();
        }
        l = Phase(r.phaseType, l * p.at.weightL);
        tr = Phase(r.phaseType, tr * p.at.weightT);
        valuesL.push_back(l);
        valuesT.push_back(tr);
        sumL += l;
        sumT += tr;
    }
    const double count = static_cast<double>(r.points.size());
    double averageL = count > 0 ? sumL / count : 0.0, averageT = count > 0 ? sumT / count : 0.0;
    // The recording window: nothing before the blanking time, nothing after
    // the duration (when one is set); the gain inside it.
    double window = r.gain;
    if (t < r.blanking || (r.duration > 0.0 && t > r.duration)) window = 0.0;
    averageL *= window;
    averageT *= window;
    sample.averageL = r.modeL ? static_cast<float>(averageL) : 0.0f;
    sample.averageT = r.modeT ? static_cast<float>(averageT) : 0.0f;
    if (sample.written) {
        if (r.modeL) sample.line += Format(" %7.4f", averageL);
        if (r.modeT) sample.line += Format(" %7.4f", averageT);
        if (!r.averagedOnly)
            for (std::size_t k = 0; k < valuesL.size(); ++k) {
                if (r.modeL) sample.line += Format(" %7.4f", valuesL[k] * window);
                if (r.modeT) sample.line += Format(" %7.4f", valuesT[k] * window);
            }
        sample.line += "\n";
    }
    return sample;
}

bool ConfirmReceiverOverwrite(CElixDoc& doc) {
    std::string list;
    const auto& receivers = doc.Receivers();
    for (int k = 0; k < receivers.Count(); ++k) {
        const std::string& name = receivers[k].outputFile;
        if (name.empty()) continue;
        const std::string path = ResolveModelRelativePath(doc.PathName(), name);
        std::error_code ec;
        if (!std::filesystem::is_regular_file(path, ec)) continue;
        const auto size = std::filesystem::file_size(path, ec);
        list += Format("'%s' (%d Bytes)\n", name, ec ? 0ull : static_cast<unsigned long long>(size));
    }
    if (list.empty()) return true;
    const MessageAnswer answer = doc.ReportMessage(
        "Do you want to overwrite following receiver output file(s)?\n" + list +
            "To overwrite file(s) choose Yes; To change file name choose No.",
        MessageStyle::Question);
    if (answer == MessageAnswer::Yes) return true;
    doc.ReportMessage("Please use 'Receiver Configuration' command under Elix menu to change receiver output file name.",
                      MessageStyle::Information);
    return false;
}

}  // namespace elix

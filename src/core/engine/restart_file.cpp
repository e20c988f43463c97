#include "engine/restart_file.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <deque>
#include <memory>
#include <vector>

#include "engine/run.h"
#include "engine/run_data.h"
#include "model/elix_doc.h"
#include "platform/files.h"
#include "platform/text_format.h"

namespace elix {
namespace {

constexpr const char* kMagic = "<<ElastrixRestart>>";

// The eleven identity values after the step, then the largest curve
// length: 4 x int32, int16, 6 x float32, int32.
constexpr long kIdentityBytes = 4 * 4 + 2 + 6 * 4 + 4;

// --- little-endian encoding ---------------------------------------------

void PutI32(std::string& out, std::int32_t value) {
    const auto u = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>((u >> shift) & 0xFFu));
}

void PutI16(std::string& out, std::int16_t value) {
    const auto u = static_cast<std::uint16_t>(value);
    out.push_back(static_cast<char>(u & 0xFFu));
    out.push_back(static_cast<char>((u >> 8) & 0xFFu));
}

void PutF32(std::string& out, float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    PutI32(out, static_cast<std::int32_t>(bits));
}

void PutFloats(std::string& out, const float* values, std::size_t count) {
    for (std::size_t k = 0; k < count; ++k) PutF32(out, values[k]);
}

std::uint32_t GetU32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::int32_t GetI32(const unsigned char* p) { return static_cast<std::int32_t>(GetU32(p)); }

float GetF32(const unsigned char* p) {
    const std::uint32_t bits = GetU32(p);
    float value = 0.0f;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// --- what the file holds besides the fields ------------------------------

// The receiver plot's curve pairs: one per receiver, then one per source.
int CurvePairCount(const RunData& run) { return static_cast<int>(run.receivers.size() + run.sources.size()); }

int PairLength(const CPlotData& plot, int pair) {
    const PlotCurve* curve = plot.CurveAt(2 * pair);
    return curve ? curve->PointCount() : 0;
}

// Array receivers keep a delay line per point: two arrays of d + 1 values.
template <class Visit>
void ForEachDelayLine(const RunData& run, Visit visit) {
    for (const CReceiverRun& r : run.receivers)
        if (r.array)
            for (const CReceiverPoint& p : r.points) visit(p);
}

std::size_t DelayLineBytes(const RunData& run) {
    std::size_t bytes = 0;
    ForEachDelayLine(run, [&](const CReceiverPoint& p) { bytes += 4 * (p.lineL.size() + p.lineT.size()); });
    return bytes;
}

bool FieldsPresent(const CNodeGrid& grid) {
    const WaveFields& f = grid.fields;
    const std::size_t n = grid.NodeCount();
    return f.U.size() == n && f.V.size() == n && f.Uold.size() == n && f.Vold.size() == n && f.Unew.size() == n &&
           f.Vnew.size() == n;
}

// The six arrays of a node row, in the file's order.
template <class Fields>
auto RowArrays(Fields& f) {
    return std::array{&f.U, &f.V, &f.Uold, &f.Vold, &f.Unew, &f.Vnew};
}

std::string HeaderText(const CElixDoc& doc, int step, int totalSteps) {
    return std::string(kMagic) + "\n" + doc.PathName() + "\n" + Format("Step = %d (%d)\n", step, totalSteps) +
           Format("Duration = %f(us)\n", doc.job.Duration * 1e6) + CurrentCalendarTimeText() + "\n\n";
}

// --- reading ------------------------------------------------------------

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// A text line of at most limit characters, without its newline; false at
// the end of the file.
bool ReadLine(std::FILE* f, std::string& line, bool skipLeadingBlanks, std::size_t limit = 8192) {
    line.clear();
    int c = std::fgetc(f);
    if (skipLeadingBlanks)
        while (c == ' ' || c == '\t' || c == '\r' || c == '\n') c = std::fgetc(f);
    if (c == EOF) return false;
    while (c != EOF && c != '\n' && line.size() < limit) {
        line.push_back(static_cast<char>(c));
        c = std::fgetc(f);
    }
    return true;
}

bool ReadBytes(std::FILE* f, std::vector<unsigned char>& bytes, std::size_t count) {
    bytes.resize(count);
    return count == 0 || std::fread(bytes.data(), 1, count, f) == count;
}

bool ReadFloats(std::FILE* f, std::vector<unsigned char>& bytes, std::size_t count, float* target,
                std::size_t capacity) {
    if (!ReadBytes(f, bytes, 4 * count)) return false;
    const std::size_t copied = std::min(count, capacity);
    for (std::size_t k = 0; k < copied; ++k) target[k] = GetF32(&bytes[4 * k]);
    return true;
}

long FileSize(std::FILE* f) {
    if (std::fseek(f, 0, SEEK_END) != 0) return -1;
    return std::ftell(f);
}

struct SavedIdentity {
    std::int32_t step = 0, nx = 0, ny = 0, totalSteps = 0;
    std::int16_t pointPerCycle = 0;
    float hx = 0, hy = 0, dt = 0, timeStepScale = 0, minWaveLength = 0, duration = 0;
    std::int32_t maxCurveLength = 0;
};

SavedIdentity DecodeIdentity(const unsigned char* p) {
    SavedIdentity id;
    id.step = GetI32(p);
    id.nx = GetI32(p + 4);
    id.ny = GetI32(p + 8);
    id.totalSteps = GetI32(p + 12);
    id.pointPerCycle = static_cast<std::int16_t>(p[16] | (p[17] << 8));
    id.hx = GetF32(p + 18);
    id.hy = GetF32(p + 22);
    id.dt = GetF32(p + 26);
    id.timeStepScale = GetF32(p + 30);
    id.minWaveLength = GetF32(p + 34);
    id.duration = GetF32(p + 38);
    id.maxCurveLength = GetI32(p + 42);
    return id;
}

bool SameJob(const SavedIdentity& id, const CElixDoc& doc, const CRunGeometry& g) {
    return id.nx == g.nx && id.ny == g.ny && id.hx == static_cast<float>(g.hx) &&
           id.hy == static_cast<float>(g.hy) && id.dt == static_cast<float>(g.dt) &&
           id.pointPerCycle == doc.job.PointPerCycle;
}

// Walks the curve section from the current position and checks that every
// pair and then the fields and delay lines fit in the file, so that the
// reading that follows cannot stop half-way.
bool CheckSizes(std::FILE* f, long fileSize, int pairs, std::size_t gridBytes, std::string& error) {
    long at = std::ftell(f);
    std::vector<unsigned char> bytes;
    for (int p = 0; p < pairs; ++p) {
        if (!ReadBytes(f, bytes, 4)) {
            error = "Failed to load plot data.";
            return false;
        }
        const std::int32_t count = GetI32(bytes.data());
        at += 4;
        if (count < 0 || static_cast<double>(count) * 16.0 > static_cast<double>(fileSize - at)) {
            error = "Failed to load plot data.";
            return false;
        }
        at += 16L * count;
        if (std::fseek(f, at, SEEK_SET) != 0) {
            error = "Failed to load plot data.";
            return false;
        }
    }
    if (static_cast<double>(fileSize - at) < static_cast<double>(gridBytes)) {
        error = "Failed to load grid data.";
        return false;
    }
    return true;
}

}  // namespace

bool SaveRestart(const std::string& path, const CElixDoc& doc, const RunData& run, int step, std::string& error) {
    const CRunGeometry& g = run.geometry;
    const CNodeGrid& grid = run.grid;
    CAtomicFile file;
    if (!file.Open(path)) {
        error = Format("Unable to open file %s.", path);
        return false;
    }
    if (!FieldsPresent(grid)) {
        error = "Internal data error.";
        return false;
    }
    std::string header = HeaderText(doc, step, g.totalSteps);
    if (header.size() > static_cast<std::size_t>(kRestartDataOffset)) {
        // The model's path does not leave room for the binary block.
        error = Format("Unable to open file %s.", path);
        return false;
    }
    header.resize(static_cast<std::size_t>(kRestartDataOffset), '\0');

    const CPlotData& plot = doc.plotData[kReceiverPlot];
    const int pairs = CurvePairCount(run);
    int maxLength = 0;
    for (int p = 0; p < pairs; ++p) maxLength = std::max(maxLength, PairLength(plot, p));
    PutI32(header, step);
    PutI32(header, g.nx);
    PutI32(header, g.ny);
    PutI32(header, g.totalSteps);
    PutI16(header, doc.job.PointPerCycle);
    for (double value : {g.hx, g.hy, g.dt}) PutF32(header, static_cast<float>(value));
    for (float value : {doc.job.TimeStepScale, doc.job.MinWaveLength, doc.job.Duration}) PutF32(header, value);
    PutI32(header, maxLength);
    if (!file.Write(header)) {
        error = "Failed to save plot data.";
        return false;
    }

    std::string block;
    for (int p = 0; p < pairs; ++p) {
        const int count = PairLength(plot, p);
        block.clear();
        PutI32(block, count);
        for (int c = 2 * p; c <= 2 * p + 1 && count > 0; ++c) {
            const PlotCurve* curve = plot.CurveAt(c);
            PutFloats(block, curve->x.data(), static_cast<std::size_t>(count));
            PutFloats(block, curve->y.data(), static_cast<std::size_t>(count));
        }
        if (!file.Write(block)) {
            error = "Failed to save plot data.";
            return false;
        }
    }

    const auto arrays = RowArrays(grid.fields);
    const std::size_t stride = static_cast<std::size_t>(grid.Stride());
    bool ok = true;
    for (int j = 0; j <= grid.ny && ok; ++j) {
        block.clear();
        for (const FieldArray* a : arrays) PutFloats(block, a->data() + grid.Offset(0, j), stride);
        ok = file.Write(block);
    }
    ForEachDelayLine(run, [&](const CReceiverPoint& p) {
        block.clear();
        for (const std::deque<float>* line : {&p.lineL, &p.lineT})
            for (float value : *line) PutF32(block, value);
        ok = ok && file.Write(block);
    });
    if (!ok || !file.Commit()) {
        error = "Failed to save grid data.";
        return false;
    }
    return true;
}

bool LoadRestart(const std::string& path, CElixDoc& doc, RunData& run, int& nextStep, std::string& error) {
    CNodeGrid& grid = run.grid;
    FileHandle file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        error = Format("Unable to open file %s.", path);
        return false;
    }
    std::FILE* f = file.get();
    if (!FieldsPresent(grid)) {
        error.clear();
        return false;
    }
    std::string line;
    if (!ReadLine(f, line, true) || line != kMagic) {
        error = Format("'%s' is not a Elastrix restart file.", path);
        return false;
    }
    ReadLine(f, line, false);
    if (line != doc.PathName()) {
        error = Format("'%s' is not the same as current job", line);
        return false;
    }
    std::vector<unsigned char> bytes;
    if (std::fseek(f, kRestartDataOffset, SEEK_SET) != 0 || !ReadBytes(f, bytes, kIdentityBytes)) {
        error = Format("'%s' is not a Elastrix restart file.", path);
        return false;
    }
    const SavedIdentity id = DecodeIdentity(bytes.data());
    if (!SameJob(id, doc, run.geometry)) {
        error = "Don't change job parameters for restart job, except the duration.";
        return false;
    }
    // A step outside the saved run cannot come from a saved run.
    if (id.step < 0 || id.step >= id.totalSteps) {
        error = Format("'%s' is not a Elastrix restart file.", path);
        return false;
    }

    const int pairs = CurvePairCount(run);
    const std::size_t stride = static_cast<std::size_t>(grid.Stride());
    const std::size_t gridBytes = 6 * 4 * grid.NodeCount() + DelayLineBytes(run);
    const long fileSize = FileSize(f);
    if (fileSize < 0 || std::fseek(f, kRestartDataOffset + kIdentityBytes, SEEK_SET) != 0 ||
        !CheckSizes(f, fileSize, pairs, gridBytes, error))
        return false;

    // Everything is there: read it for real.
    std::fseek(f, kRestartDataOffset + kIdentityBytes, SEEK_SET);
    CPlotData& plot = doc.plotData[kReceiverPlot];
    bool ok = true;
    for (int p = 0; p < pairs && ok; ++p) {
        ok = ReadBytes(f, bytes, 4);
        const std::size_t count = ok ? static_cast<std::size_t>(GetI32(bytes.data())) : 0;
        for (int c = 2 * p; c <= 2 * p + 1 && ok; ++c) {
            PlotCurve* curve = plot.CurveAt(c);
            std::vector<float> none;
            std::vector<float>& x = curve ? curve->x : none;
            std::vector<float>& y = curve ? curve->y : none;
            ok = ReadFloats(f, bytes, count, x.data(), x.size()) && ReadFloats(f, bytes, count, y.data(), y.size());
        }
    }
    if (!ok) {
        error = "Failed to load plot data.";
        return false;
    }
    const auto arrays = RowArrays(grid.fields);
    for (int j = 0; j <= grid.ny && ok; ++j)
        for (FieldArray* a : arrays) ok = ok && ReadFloats(f, bytes, stride, a->data() + grid.Offset(0, j), stride);
    for (CReceiverRun& r : run.receivers)
        if (r.array)
            for (CReceiverPoint& p : r.points)
                for (std::deque<float>* delays : {&p.lineL, &p.lineT}) {
                    ok = ok && ReadBytes(f, bytes, 4 * delays->size());
                    for (std::size_t k = 0; ok && k < delays->size(); ++k) (*delays)[k] = GetF32(&bytes[4 * k]);
                }
    if (!ok) {
        error = "Failed to load grid data.";
        return false;
    }
    plot.latestX = static_cast<float>(id.step * run.geometry.dt);
    nextStep = id.step + 1;
    return true;
}

}  // namespace elix

// libFuzzer target: loading a receiver output file as a curve pair
// (CPlotData::LoadReceiverFile) and what the plot then does with it.
//
// Invariants checked:
// - the parsed lines have strictly increasing step indices within
//   0 .. kMaxReceiverFileStep;
// - a load succeeds exactly when the file has a usable line and two slots
//   are free; a refused load leaves the record as it was;
// - a loaded pair has one point per index up to the last line's, x and y of
//   equal length, each named point holding its line's time and amplitudes
//   and every other point a zero;
// - ranges, interpolation, tick labels and the export text of the result
//   are computed without fault, and the automatic ranges are never empty.
#include <unistd.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/plot_data.h"
#include "fuzz_check.h"

namespace {

using namespace elix;

// Files whose last index asks for more points than this are parsed but not
// loaded: filling huge curves measures memory speed, not the reader.
constexpr long long kMaxFuzzPoints = 1 << 16;

bool SameFloat(float a, float b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// One temporary file for the whole fuzzing run, rewritten for each input.
const std::string& TemporaryPath() {
    static const std::string path = [] {
        std::string pattern = "/tmp/elastrix-receiver-fuzz-XXXXXX";
        const int fd = mkstemp(pattern.data());
        FUZZ_CHECK(fd >= 0);
        close(fd);
        std::atexit([] { std::remove(TemporaryPath().c_str()); });
        return pattern;
    }();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::vector<ReceiverFileLine> lines = ParseReceiverFileText(text);
    long long previous = -1;
    for (const ReceiverFileLine& line : lines) {
        FUZZ_CHECK(line.step > previous && line.step <= kMaxReceiverFileStep);
        previous = line.step;
    }
    if (!lines.empty() && lines.back().step >= kMaxFuzzPoints) return 0;

    {
        std::ofstream out(TemporaryPath(), std::ios::binary | std::ios::trunc);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        FUZZ_CHECK(out.good());
    }

    // The first byte picks how full the plot already is (up to all 128).
    CPlotData plot;
    const int existing = size > 0 ? data[0] % (CPlotData::kMaxCurves + 1) : 0;
    FUZZ_CHECK(plot.AllocateCurves(existing, 3, 1e-7));
    plot.SetLegend(0, "L - earlier");
    const CPlotData before = plot;

    const bool loaded = plot.LoadReceiverFile(1.5f, -2.0f, TemporaryPath(), "rx");
    FUZZ_CHECK(loaded == (!lines.empty() && existing < CPlotData::kMaxCurves - 1));
    if (!loaded) {
        FUZZ_CHECK(plot.CurveCount() == before.CurveCount());
        for (int c = 0; c < existing; ++c) FUZZ_CHECK(plot.Curves()[c].legend == before.Curves()[c].legend);
        return 0;
    }

    FUZZ_CHECK(plot.CurveCount() == existing + 2);
    const PlotCurve& l = plot.Curves()[static_cast<std::size_t>(existing)];
    const PlotCurve& t = plot.Curves()[static_cast<std::size_t>(existing) + 1];
    FUZZ_CHECK(l.legend == "L - rx" && t.legend == "T - rx");
    FUZZ_CHECK(l.positionX == 1.5f && t.positionY == -2.0f);
    const auto points = static_cast<std::size_t>(lines.back().step) + 1;
    FUZZ_CHECK(l.x.size() == points && l.y.size() == points && t.x.size() == points && t.y.size() == points);
    std::vector<bool> named(points, false);
    for (const ReceiverFileLine& line : lines) {
        const auto k = static_cast<std::size_t>(line.step);
        named[k] = true;
        FUZZ_CHECK(SameFloat(l.x[k], static_cast<float>(line.timeMicroseconds * 1e-6)));
        FUZZ_CHECK(SameFloat(t.x[k], l.x[k]));
        FUZZ_CHECK(SameFloat(l.y[k], static_cast<float>(line.longitudinal)));
        FUZZ_CHECK(SameFloat(t.y[k], static_cast<float>(line.transverse)));
    }
    for (std::size_t k = 0; k < points; ++k)
        if (!named[k]) FUZZ_CHECK(l.y[k] == 0.0f && t.y[k] == 0.0f && SameFloat(l.x[k], t.x[k]));

    FUZZ_CHECK(plot.ComputeAutoRanges());
    const PlotAxes& axes = plot.axes;
    if (!std::isnan(axes.xMin)) FUZZ_CHECK(axes.xMin < axes.xMax);
    if (!std::isnan(axes.yMin)) FUZZ_CHECK(axes.yMin < axes.yMax);
    (void)TickLabelText(axes.xMin / axes.xScale);
    (void)TickLabelText(axes.yMax / axes.yScale);

    FUZZ_CHECK(plot.SetCurrentCurve(existing));
    FUZZ_CHECK(plot.InterpolateY(std::nan("")) == -1.0);
    // From the start, the first point of a rising curve lies on its first
    // segment.
    if (points >= 2 && std::isfinite(l.x[0]) && l.x[0] < l.x[1] && std::isfinite(l.y[0]) && std::isfinite(l.y[1]))
        FUZZ_CHECK(plot.InterpolateY(l.x[0]) == double{l.y[0]});
    for (std::size_t k = 0; k < points && k < 64; ++k) (void)plot.InterpolateY(l.x[k]);
    if (points <= 4096) FUZZ_CHECK(plot.ExportText().rfind("Main Title = ", 0) == 0);
    return 0;
}

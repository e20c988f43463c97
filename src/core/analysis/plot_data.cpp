#include "analysis/plot_data.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <fstream>
#include <iterator>
#include <limits>
#include <new>

#include "platform/files.h"
#include "platform/text_format.h"

namespace elix {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

// The next blank-separated token of line from pos on; empty at the end.
std::string_view NextToken(std::string_view line, std::size_t& pos) {
    while (pos < line.size() && IsBlank(line[pos])) ++pos;
    const std::size_t start = pos;
    while (pos < line.size() && !IsBlank(line[pos])) ++pos;
    return line.substr(start, pos - start);
}

// A line "step time [L] [T] ...": true when it starts with an integer, the
// time and the amplitudes that columns names; the rest of the line is
// ignored.
bool ParseReceiverLine(std::string_view line, ReceiverFileColumns columns, ReceiverFileLine& out) {
    std::size_t pos = 0;
    ReceiverFileLine parsed;
    if (!ParseInteger(NextToken(line, pos), parsed.step)) return false;
    if (!ParseDouble(NextToken(line, pos), parsed.timeMicroseconds)) return false;
    if (columns.longitudinal && !ParseDouble(NextToken(line, pos), parsed.longitudinal)) return false;
    if (columns.transverse && !ParseDouble(NextToken(line, pos), parsed.transverse)) return false;
    out = parsed;
    return true;
}

// 10^k, correctly rounded (the decimal text "1e<k>" read back).
double PowerOfTen(int k) {
    double value = 0.0;
    ParseDouble("1e" + std::to_string(k), value);
    return value;
}

// The y scale for a y range: one tenth of the smallest power of ten, from
// 1e-20 upward in at most 100 steps of ten, that is not below the range.
float ScaleForRange(double range) {
    int k = -20;
    for (int step = 0; step < 100 && PowerOfTen(k) < range; ++step) ++k;
    return static_cast<float>(PowerOfTen(k - 1));
}

// The upper limit of a range whose limits meet or cross: low + 1, or the
// next float above low where adding 1 is lost to rounding.
float WidenedHigh(float low) {
    const float high = low + 1.0f;
    return low < high ? high : std::nextafter(low, std::numeric_limits<float>::infinity());
}

}  // namespace

std::vector<ReceiverFileLine> ParseReceiverFileText(std::string_view text, ReceiverFileColumns columns) {
    std::vector<ReceiverFileLine> lines;
    long long lastStep = -1;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        ReceiverFileLine line;
        if (ParseReceiverLine(text.substr(start, end - start), columns, line) && line.step > lastStep &&
            line.step <= kMaxReceiverFileStep) {
            lines.push_back(line);
            lastStep = line.step;
        }
        start = end + 1;
    }
    return lines;
}

std::string TickLabelText(double value) {
    const double hundredths = std::floor(std::fabs(value) * 100.0 + 0.5);
    if (!(hundredths < 1e18)) return Format("%.2f", value);  // also NaN and infinities
    std::string digits = std::to_string(static_cast<unsigned long long>(hundredths));
    if (digits.size() < 3) digits.insert(0, 3 - digits.size(), '0');
    digits.insert(digits.size() - 2, 1, '.');
    return value < 0.0 ? "-" + digits : digits;
}

int ClampTickCount(long long count) {
    return static_cast<int>(std::clamp<long long>(count, PlotAxes::kMinTicks, PlotAxes::kMaxTicks));
}

void CPlotData::ResetPlotSettings() {
    axes = PlotAxes{};
    layout = PlotLayout{};
    titles = PlotTitles{};
    latestX = 100.0f;
    message.clear();
    m_currentCurve = 0;
    m_interpolationIndex = 0;
}

void CPlotData::Reset() {
    ResetPlotSettings();
    m_curves.clear();
}

void CPlotData::CopyFrom(const CPlotData& source) {
    const bool xGrid = axes.xGrid;
    const bool yGrid = axes.yGrid;
    if (this != &source) *this = source;
    axes.xGrid = xGrid;
    axes.yGrid = yGrid;
    latestX = axes.xMax;
}

const PlotCurve* CPlotData::CurveAt(int index) const {
    return index >= 0 && index < CurveCount() ? &m_curves[static_cast<std::size_t>(index)] : nullptr;
}

PlotCurve* CPlotData::CurveAt(int index) {
    return index >= 0 && index < CurveCount() ? &m_curves[static_cast<std::size_t>(index)] : nullptr;
}

bool CPlotData::AllocateCurves(int count, int points, double dt) {
    if (count < 0 || count > kMaxCurves || points < 0) return false;
    std::vector<PlotCurve> curves;
    try {
        std::vector<float> x(static_cast<std::size_t>(points));
        for (std::size_t i = 0; i < x.size(); ++i) x[i] = static_cast<float>(static_cast<double>(i) * dt);
        curves.resize(static_cast<std::size_t>(count));
        for (PlotCurve& curve : curves) {
            curve.x = x;
            curve.y.assign(x.size(), 0.0f);
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
    m_curves.swap(curves);
    m_currentCurve = std::min(m_currentCurve, std::max(CurveCount() - 1, 0));
    return true;
}

bool CPlotData::SetPoint(float x, float y, int curve, int index) {
    PlotCurve* target = CurveAt(curve);
    if (!target || index < 0 || index >= target->PointCount()) return false;
    target->x[static_cast<std::size_t>(index)] = x;
    target->y[static_cast<std::size_t>(index)] = y;
    latestX = x;
    return true;
}

bool CPlotData::SetLegend(int curve, const std::string& text) {
    PlotCurve* target = CurveAt(curve);
    if (!target) return false;
    target->legend = text;
    return true;
}

bool CPlotData::SetDisabled(int curve, bool disabled) {
    PlotCurve* target = CurveAt(curve);
    if (!target) return false;
    target->disabled = disabled;
    return true;
}

bool CPlotData::SetDelayedSignal(int curve, bool delayed) {
    PlotCurve* target = CurveAt(curve);
    if (!target) return false;
    target->delayedSignal = delayed;
    return true;
}

bool CPlotData::SetCurvePosition(int curve, float x, float y) {
    PlotCurve* target = CurveAt(curve);
    if (!target) return false;
    target->positionX = x;
    target->positionY = y;
    return true;
}

void CPlotData::SetAllDisabled(bool disabled) {
    for (PlotCurve& curve : m_curves) curve.disabled = disabled;
}

bool CPlotData::ClearCurves() {
    if (m_curves.empty()) return false;
    m_curves.clear();
    m_currentCurve = 0;
    return true;
}

bool CPlotData::RemoveReceiverCurves(const std::string& name) {
    const std::string longitudinal = "L - " + name;
    const std::string transverse = "T - " + name;
    const auto removed = std::erase_if(
        m_curves, [&](const PlotCurve& curve) { return curve.legend == longitudinal || curve.legend == transverse; });
    if (removed == 0) return false;
    m_currentCurve = std::min(m_currentCurve, std::max(CurveCount() - 1, 0));
    return true;
}

bool CPlotData::LoadReceiverFile(float x, float y, const std::string& path, const std::string& name,
                                 ReceiverFileColumns columns) {
    if (CurveCount() >= kMaxCurves - 1) return false;
    std::string text;
    if (!ReadWholeFile(path, text)) return false;
    const std::vector<ReceiverFileLine> lines = ParseReceiverFileText(text, columns);
    text = std::string();
    if (lines.empty()) return false;

    const ReceiverFileLine& first = lines.front();
    const ReceiverFileLine& last = lines.back();
    const double firstTime = first.timeMicroseconds * 1e-6;
    // Spacing of the points that no line names inside the file.
    double meanStep = 0.0;
    if (lines.size() >= 2)
        meanStep =
            (last.timeMicroseconds - first.timeMicroseconds) * 1e-6 / static_cast<double>(last.step - first.step);
    else if (first.step > 0)
        meanStep = firstTime / static_cast<double>(first.step);

    const auto points = static_cast<std::size_t>(last.step) + 1;
    const auto firstStep = static_cast<std::size_t>(first.step);
    try {
        PlotCurve longitudinal;
        longitudinal.legend = "L - " + name;
        longitudinal.positionX = x;
        longitudinal.positionY = y;
        longitudinal.x.resize(points);
        longitudinal.y.assign(points, 0.0f);
        // Before the first line: zeros evenly spaced up to its time.
        for (std::size_t i = 0; i < firstStep; ++i)
            longitudinal.x[i] = static_cast<float>(static_cast<double>(i) * firstTime / static_cast<double>(firstStep));
        for (std::size_t i = firstStep; i < points; ++i)
            longitudinal.x[i] = static_cast<float>(static_cast<double>(i) * meanStep);

        PlotCurve transverse = longitudinal;
        transverse.legend = "T - " + name;
        for (const ReceiverFileLine& line : lines) {
            const auto k = static_cast<std::size_t>(line.step);
            const auto time = static_cast<float>(line.timeMicroseconds * 1e-6);
            longitudinal.x[k] = time;
            transverse.x[k] = time;
            longitudinal.y[k] = static_cast<float>(line.longitudinal);
            transverse.y[k] = static_cast<float>(line.transverse);
        }
        m_curves.reserve(m_curves.size() + 2);
        m_curves.push_back(std::move(longitudinal));
        m_curves.push_back(std::move(transverse));
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

std::string CPlotData::ExportText() const {
    if (std::all_of(m_curves.begin(), m_curves.end(), [](const PlotCurve& c) { return c.disabled; })) return {};
    std::string text = Format("Main Title = %s\n", titles.main);
    text += Format("X Title = %s\n", titles.x);
    text += Format("Y Title = %s\n", titles.y);
    for (const PlotCurve& curve : m_curves) {
        if (curve.disabled) continue;
        text += Format("Legend = %s\n", curve.legend);
        const int n = curve.PointCount();
        for (int i = 0; i < n; ++i)
            text += Format("%g %f\n", curve.x[static_cast<std::size_t>(i)], curve.y[static_cast<std::size_t>(i)]);
    }
    return text;
}

bool CPlotData::ExportCurves(const std::string& path) {
    const std::string text = ExportText();
    if (!WriteFileAtomically(path, text)) {
        message = Format("Unable to open file '%s' for export.", path);
        return false;
    }
    if (text.empty()) {
        message = "No curve for export.";
        return false;
    }
    return true;
}

bool CPlotData::ComputeAutoRanges() {
    if (std::all_of(m_curves.begin(), m_curves.end(), [](const PlotCurve& c) { return c.disabled; })) return false;

    if (axes.xMinAuto || axes.xMaxAuto) {
        float low = std::numeric_limits<float>::infinity();
        float high = -low;
        for (const PlotCurve& curve : m_curves) {
            if (curve.disabled) continue;
            const int n = curve.PointCount();
            for (int i = 0; i < n; ++i) {
                const float x = curve.x[static_cast<std::size_t>(i)];
                if (!std::isfinite(x)) continue;
                low = std::min(low, x);
                high = std::max(high, x);
            }
        }
        if (low <= high) {
            if (axes.xMinAuto) axes.xMin = low;
            if (axes.xMaxAuto) axes.xMax = high;
        }
    }

    if (axes.yMinAuto || axes.yMaxAuto) {
        constexpr double kLargestShown = 3.4e38;
        float low = std::numeric_limits<float>::infinity();
        float high = -low;
        for (const PlotCurve& curve : m_curves) {
            if (curve.disabled) continue;
            const int n = curve.PointCount();
            for (int i = 0; i < n; ++i) {
                const float x = curve.x[static_cast<std::size_t>(i)];
                const float y = curve.y[static_cast<std::size_t>(i)];
                if (!(x >= axes.xMin && x <= axes.xMax) || !(std::fabs(double{y}) <= kLargestShown)) continue;
                low = std::min(low, y);
                high = std::max(high, y);
            }
        }
        if (low <= high) {
            if (axes.yMinAuto) axes.yMin = low;
            if (axes.yMaxAuto) axes.yMax = high;
        }
    }

    if (!(axes.xMin < axes.xMax)) axes.xMax = WidenedHigh(axes.xMin);
    if (!(axes.yMin < axes.yMax)) axes.yMax = WidenedHigh(axes.yMin);
    if (axes.yMinAuto && axes.yMaxAuto) axes.yScale = ScaleForRange(double{axes.yMax} - double{axes.yMin});
    return true;
}

bool CPlotData::SetCurrentCurve(int curve) {
    if (!CurveAt(curve)) return false;
    m_currentCurve = curve;
    return true;
}

double CPlotData::InterpolateY(double x) {
    const PlotCurve* curve = CurveAt(m_currentCurve);
    if (!curve) return -1.0;
    const auto n = static_cast<std::size_t>(curve->PointCount());
    const std::vector<float>& xs = curve->x;
    const std::vector<float>& ys = curve->y;
    std::size_t i = m_interpolationIndex;
    if (i + 1 >= n || !(x >= xs[i])) i = 0;
    for (; i + 1 < n; ++i) {
        const double x0 = xs[i];
        const double x1 = xs[i + 1];
        if (!(x0 <= x && x <= x1)) continue;
        m_interpolationIndex = i;
        const double y0 = ys[i];
        if (x1 == x0) return y0;
        return y0 + (x - x0) * (double{ys[i + 1]} - y0) / (x1 - x0);
    }
    return -1.0;
}

}  // namespace elix

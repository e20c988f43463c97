// Curve container behind every plot window: up to 128 curves of float
// (x, y) points with legends, the axis settings and the layout constants of
// the drawing. The document owns one per plot kind (receiver signals,
// spectra, attenuation, gain); a run fills the receiver plot sample by
// sample, and receiver output files can be loaded into it as curve pairs.
//
// A receiver's two curves sit next to each other: "L - " + name (the
// longitudinal-wave signal) and then "T - " + name (the transverse one).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace elix {

// One curve. x and y always hold the same number of points; code that
// edits them in place (spectrum, attenuation, restart) keeps it that way.
struct PlotCurve {
    std::string legend;
    std::vector<float> x;
    std::vector<float> y;
    // The position the curve belongs to (a receiver's centre, metres).
    float positionX = 0.0f;
    float positionY = 0.0f;
    // Hidden from drawing, range finding and export.
    bool disabled = false;
    // The receiver records a delayed signal (set at run start, reported by
    // the receiver timer).
    bool delayedSignal = false;

    int PointCount() const { return static_cast<int>(x.size() < y.size() ? x.size() : y.size()); }
};

// Axis limits, scales, ticks and grid. A limit whose auto flag is set is
// found from the data before every drawing (ComputeAutoRanges).
struct PlotAxes {
    static constexpr int kMinTicks = 2;
    static constexpr int kMaxTicks = 100;

    int xTickCount = 6;
    int yTickCount = 5;
    float xMin = 0.0f;
    float yMin = 0.0f;
    float xMax = 100.0f;
    float yMax = 10000.0f;
    bool xMinAuto = true;
    bool yMinAuto = true;
    bool xMaxAuto = true;
    bool yMaxAuto = true;
    // Tick labels show value / scale; the axis titles show the scale.
    float xScale = 1e-6f;
    float yScale = 1.0f;
    bool xGrid = false;  // dotted lines at the interior x ticks
    bool yGrid = false;
};

// Pixel constants of the drawing (multiplied by the page scale when
// printing). Font sizes are in tenths of a point.
struct PlotLayout {
    int leftMargin = 75;
    int rightMargin = 150;
    int topMargin = 50;
    int bottomMargin = 50;
    int tickFontSize = 60;
    int titleFontSize = 80;
    int legendFontSize = 60;
    int legendLineLength = 15;
    int legendLineSpacing = 15;
    int tickLength = 5;
    // Titles sit 4 units off the frame, x tick labels 1 unit below it.
    int textOffsetUnit = 8;
    int yLabelGap = 10;  // between a y tick label and the axis
};

struct PlotTitles {
    std::string main = "Main Title";
    std::string x = "Time [sec]";
    std::string y = "Amp. ";
};

// One complete line of a receiver output file: the step index, the time in
// microseconds and the two averaged amplitudes (the rest of the line, the
// per-point values, is not used). A mode the receiver does not record has
// no column and reads as 0.
struct ReceiverFileLine {
    long long step = 0;
    double timeMicroseconds = 0.0;
    double longitudinal = 0.0;
    double transverse = 0.0;
};

// The lines of a receiver output file that make curve points: lines that
// start with an integer and three numbers, whose step index lies in
// 0 .. kMaxReceiverFileStep and is larger than every index kept before it.
// Every other line is skipped, so a damaged file can neither write outside
// a curve nor ask for a gigantic one.
inline constexpr long long kMaxReceiverFileStep = 100'000'000;

// Which averaged amplitudes a receiver output file carries after the time:
// the run writes a column only for each mode the receiver records.
struct ReceiverFileColumns {
    bool longitudinal = true;
    bool transverse = true;
};
std::vector<ReceiverFileLine> ParseReceiverFileText(std::string_view text, ReceiverFileColumns columns = {});

// A tick label: fixed point with exactly two decimals, the magnitude x 100
// rounded half upward, a "-" for negative values (0.255 -> "0.26",
// -3 -> "-3.00", -0.004 -> "-0.00"). Values too large for that form are
// written with "%.2f".
std::string TickLabelText(double value);

class CPlotData {
public:
    static constexpr int kMaxCurves = 128;

    // Default settings, no curves.
    CPlotData() { ResetPlotSettings(); }

    // Restores every setting to its default (axes, grid, titles, layout,
    // latest x, message, current curve). The curves are kept.
    void ResetPlotSettings();
    // Default settings and no curves: a new or freshly read model.
    void Reset();

    // The copy that derives the spectrum, attenuation and gain plots: all
    // of source, except that this record keeps its own grid flags and its
    // latest x becomes the copied x max. (Plain assignment copies all.)
    void CopyFrom(const CPlotData& source);

    // --- curves ----------------------------------------------------------
    int Capacity() const { return kMaxCurves; }
    int CurveCount() const { return static_cast<int>(m_curves.size()); }
    const std::vector<PlotCurve>& Curves() const { return m_curves; }
    // The curve at index, or null when there is none.
    const PlotCurve* CurveAt(int index) const;
    PlotCurve* CurveAt(int index);

    // Replaces all curves by count fresh ones of points points each, with
    // x = i * dt, y = 0, empty legends and cleared flags. Refused (false,
    // nothing changed) when count is outside 0 .. 128, points is negative
    // or the memory cannot be had.
    bool AllocateCurves(int count, int points, double dt);

    // Stores one recorded point and makes x the latest x. False, nothing
    // stored, when the curve or the index does not exist.
    bool SetPoint(float x, float y, int curve, int index);

    // Per-curve setters; false when the curve does not exist.
    bool SetLegend(int curve, const std::string& text);
    bool SetDisabled(int curve, bool disabled);
    bool SetDelayedSignal(int curve, bool delayed);
    bool SetCurvePosition(int curve, float x, float y);
    // Disable All / Enable All.
    void SetAllDisabled(bool disabled);

    // Drops every curve; false when there were none.
    bool ClearCurves();

    // Removes the curves whose legend is "L - " + name or "T - " + name;
    // the curves after them move down with their data, position, legend
    // and flags. True when a curve was removed.
    bool RemoveReceiverCurves(const std::string& name);

    // Appends the pair "L - " + name, "T - " + name read from a receiver
    // output file, both at position (x, y). Point k of both curves is the
    // line with step index k (time in seconds, the L or T amplitude); the
    // point count is the largest index plus one. Points before the first
    // line are zeros spaced evenly up to its time; any other point that no
    // line names is a zero at index x the file's mean time step. Refused
    // (false, nothing changed) when fewer than two slots are free, the file
    // cannot be read, or it holds no usable line.
    // columns says which amplitudes the file holds (both by default).
    bool LoadReceiverFile(float x, float y, const std::string& path, const std::string& name,
                          ReceiverFileColumns columns = {});

    // The export text: the three titles, then for every enabled curve its
    // legend and one "%g %f" line per point. Empty when no curve is enabled.
    std::string ExportText() const;

    // Writes the export text to path. On failure returns false with the
    // reason in the message field: "Unable to open file '%s' for export."
    // or "No curve for export." (the file is then left empty).
    bool ExportCurves(const std::string& path);

    // Finds the automatic limits from the enabled curves and widens an
    // empty range (x max = x min + 1 when x min is not below x max; the same
    // for y). With both y limits automatic the y scale becomes one tenth of
    // the smallest power of ten not below y max - y min. False, nothing
    // changed, when no curve is enabled (nothing is drawn).
    bool ComputeAutoRanges();

    // --- interpolation ---------------------------------------------------
    int CurrentCurve() const { return m_currentCurve; }
    // False (nothing changed) when the curve does not exist.
    bool SetCurrentCurve(int curve);

    // y of the current curve at x on the straight line between the two
    // points that enclose it; -1 when no two points enclose x. The search
    // starts at the segment found by the previous call when x is not below
    // its first point, else at the start of the curve.
    double InterpolateY(double x);

    // --- settings ----------------------------------------------------------
    PlotAxes axes;
    PlotLayout layout;
    PlotTitles titles;
    // Abscissa of the most recently recorded point; points beyond it are
    // not drawn.
    float latestX = 100.0f;
    // A note for the user ("Note: Recorded Receiver Data Are Loaded.") or
    // the reason of the last failed export.
    std::string message;

private:
    std::vector<PlotCurve> m_curves;
    int m_currentCurve = 0;
    std::size_t m_interpolationIndex = 0;
};

// Tick counts are stored within 2 .. 100.
int ClampTickCount(long long count);

}  // namespace elix

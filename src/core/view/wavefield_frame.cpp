#include "view/wavefield_frame.h"

#include <algorithm>
#include <atomic>
#include <cmath>

#include "engine/node_grid.h"
#include "model/elix_doc.h"

namespace elix {
namespace {

std::atomic<double> g_previousMaximum{kInitialPreviousMaximum};

// d for one node, before scaling.
template <DisplayQuantity Q>
double DisplacementValue(float u, float v) {
    if constexpr (Q == DisplayQuantity::Magnitude) {
        const double du = u;
        const double dv = v;
        return std::sqrt(du * du + dv * dv) * kDisplacementGain;
    } else if constexpr (Q == DisplayQuantity::UOnly) {
        return std::fabs(static_cast<double>(u)) * kDisplacementGain;
    } else if constexpr (Q == DisplayQuantity::VOnly) {
        return std::fabs(static_cast<double>(v)) * kDisplacementGain;
    } else {
        (void)u;
        (void)v;
        return 0.0;
    }
}

// Gray level of a scaled value: trunc(s) below 255, 255 from there on (a
// value that is not a number, from a field that blew up, also shows white),
// 0 for a negative value (a negative DispScale).
std::uint8_t GrayOfScaled(double s) {
    if (!(s < 255.0)) return 255;
    if (s <= 0.0) return 0;
    return static_cast<std::uint8_t>(s);
}

bool FieldsCoverGrid(const CNodeGrid& grid) {
    if (grid.nx < 0 || grid.ny < 0) return false;
    const std::size_t n = grid.NodeCount();
    return grid.flags.size() >= n && grid.index.size() >= n && grid.fields.U.size() >= n && grid.fields.V.size() >= n;
}

// One pass over every node with the display quantity fixed at compile
// time, so the inner loop carries no branch on the display type.
template <DisplayQuantity Q>
double ConvertNodes(const CNodeGrid& grid, const FrameSettings& settings, double previousMaximum, ImageRows& rows) {
    const std::array<std::uint8_t, 256>& curve = ContrastCurve();
    const bool automatic = settings.DispScale == 0.0f;
    const auto pureSets = static_cast<std::uint32_t>(grid.materialCount < 0 ? 0 : grid.materialCount);
    const int bright = settings.InterfaceBright;
    const std::size_t stride = static_cast<std::size_t>(grid.nx) + 1;
    double largest = 0.0;
    for (int j = 0; j <= grid.ny; ++j) {
        const std::size_t base = static_cast<std::size_t>(j) * stride;
        const std::uint8_t* flags = grid.flags.data() + base;
        const std::uint32_t* index = grid.index.data() + base;
        const float* u = grid.fields.U.data() + base;
        const float* v = grid.fields.V.data() + base;
        std::uint8_t* out = rows[static_cast<std::size_t>(j)].data();
        for (std::size_t i = 0; i < stride; ++i) {
            int g = 255;
            if (flags[i] <= kLastUnmarkedFlagByte && index[i] != VACUUM_INDEX) {
                const double d = DisplacementValue<Q>(u[i], v[i]);
                if (d > largest) largest = d;
                double s;
                if (!automatic) {
                    s = settings.DispScale * d;
                } else if (d == 0.0) {
                    // A still node stays black even after a frame whose
                    // largest value was 0 (which would give 0 / 0).
                    s = 0.0;
                } else {
                    s = d * 255.0 / previousMaximum;
                }
                g = GrayOfScaled(s);
            }
            if (settings.contrast) g = curve[static_cast<std::size_t>(g)];
            // Vacuum (65535) passes this test too; it is white already.
            if (index[i] >= pureSets) g = std::min(g + bright, 255);
            out[i] = static_cast<std::uint8_t>(g);
        }
    }
    return largest;
}

}  // namespace

DisplayQuantity DisplayQuantityOf(std::string_view dispType) {
    if (dispType == "U and V") return DisplayQuantity::Magnitude;
    if (dispType == "U only") return DisplayQuantity::UOnly;
    if (dispType == "V only") return DisplayQuantity::VOnly;
    return DisplayQuantity::Nothing;
}

FrameSettings FrameSettings::FromJob(const CJobParameters& job, bool contrast) {
    FrameSettings settings;
    settings.DispFreq = job.DispFreq;
    settings.quantity = DisplayQuantityOf(job.DispType);
    settings.DispScale = job.DispScale;
    settings.InterfaceBright = job.InterfaceBright;
    settings.contrast = contrast;
    return settings;
}

const std::array<std::uint8_t, 256>& ContrastCurve() {
    // A function-local static: filled once, safely, by the first caller.
    static const std::array<std::uint8_t, 256> curve = [] {
        std::array<std::uint8_t, 256> c{};
        const double ln51 = std::log(51.0);
        for (int i = 0; i < 256; ++i)
            c[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(255.0 * std::log(1.0 + 50.0 * i / 255.0) / ln51);
        return c;
    }();
    return curve;
}

double PreviousFrameMaximum() {
    return g_previousMaximum.load(std::memory_order_relaxed);
}

void SetPreviousFrameMaximum(double value) {
    g_previousMaximum.store(value, std::memory_order_relaxed);
}

bool IsFrameStep(int step, int dispFreq) {
    return dispFreq >= 1 && step % dispFreq == 0;
}

double ConvertWavefield(const CNodeGrid& grid, const FrameSettings& settings, double previousMaximum, ImageRows& rows) {
    switch (settings.quantity) {
        case DisplayQuantity::Magnitude:
            return ConvertNodes<DisplayQuantity::Magnitude>(grid, settings, previousMaximum, rows);
        case DisplayQuantity::UOnly:
            return ConvertNodes<DisplayQuantity::UOnly>(grid, settings, previousMaximum, rows);
        case DisplayQuantity::VOnly:
            return ConvertNodes<DisplayQuantity::VOnly>(grid, settings, previousMaximum, rows);
        case DisplayQuantity::Nothing:
            break;
    }
    return ConvertNodes<DisplayQuantity::Nothing>(grid, settings, previousMaximum, rows);
}

bool MakeWavefieldFrame(CGeometryImage& image, const CNodeGrid& grid, const FrameSettings& settings, int step,
                        double hx, double hy) {
    if (!IsFrameStep(step, settings.DispFreq)) return false;
    if (!FieldsCoverGrid(grid)) return false;
    const int width = grid.nx + 1;
    const int height = grid.ny + 1;
    if (!AllocateRows(image.Rows, width, height)) return false;
    image.ImageWidth = width;
    image.ImageHeight = height;
    const double largest = ConvertWavefield(grid, settings, PreviousFrameMaximum(), image.Rows);
    SetPreviousFrameMaximum(largest);
    if (hx > 0.0) image.ResolutionX = static_cast<float>(kMetresPerInch / hx);
    if (hy > 0.0) image.ResolutionY = static_cast<float>(kMetresPerInch / hy);
    image.ShowsFrame = true;
    return true;
}

bool MakeWavefieldFrame(CElixDoc& doc, const CNodeGrid& grid, int step, double hx, double hy, bool contrast) {
    return MakeWavefieldFrame(doc.image, grid, FrameSettings::FromJob(doc.job, contrast), step, hx, hy);
}

bool RedrawCurrentFrame(CElixDoc& doc, const CNodeGrid& grid, double hx, double hy, bool contrast) {
    // Step 0 is a multiple of every frequency, so only DispFreq decides.
    if (!MakeWavefieldFrame(doc.image, grid, FrameSettings::FromJob(doc.job, contrast), 0, hx, hy)) return false;
    doc.RebuildDisplayBitmap();
    doc.UpdateAllViews('a');
    return true;
}

}  // namespace elix

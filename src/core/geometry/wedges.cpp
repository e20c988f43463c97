// Resizing the geometry image and the wedge operations of the document.
#include "geometry/wedges.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>
#include <numbers>
#include <stdexcept>

#include "geometry/rasterisers.h"
#include "model/elix_doc.h"

namespace elix {
namespace {

constexpr const char* kResizeFailed = "Unable to resize the buffer";
constexpr const char* kNoEdge = "Please choose an edge for wedge";
constexpr const char* kBadWedgeAngle = "The wedge angle must be from 0 to 89.999 degrees.";
constexpr const char* kBadWedgeSize = "The wedge size must be a number not below 0 and the center offset a number.";

bool IsVertical(WedgeEdge edge) {
    return edge == WedgeEdge::Left || edge == WedgeEdge::Right;
}

double ResolutionAcross(const CGeometryImage& image, WedgeEdge edge) {
    return IsVertical(edge) ? image.ResolutionX : image.ResolutionY;
}

// Checks the wedge values and gives the depth; a failure leaves its message.
std::optional<WedgeDepth> CheckedWedgeDepth(CElixDoc& doc, WedgeEdge edge, double size, double offset,
                                            double thetaDegrees) {
    if (!(thetaDegrees >= 0.0 && thetaDegrees < 90.0)) {
        doc.SetMessageText(kBadWedgeAngle);
        return std::nullopt;
    }
    if (!(size >= 0.0) || !std::isfinite(size) || !std::isfinite(offset)) {
        doc.SetMessageText(kBadWedgeSize);
        return std::nullopt;
    }
    const std::optional<WedgeDepth> depth = ComputeWedgeDepth(size, thetaDegrees, ResolutionAcross(doc.image, edge));
    if (!depth || depth->pixels > std::numeric_limits<std::int32_t>::max()) {
        doc.SetMessageText(kResizeFailed);
        return std::nullopt;
    }
    return depth;
}

// Moves the items with the image's origin when the strip lies on the left
// or at the top, and keeps count of it in the document's origin offset.
void ShiftItemsWithOrigin(CElixDoc& doc, WedgeEdge edge, double metres) {
    const auto shift = static_cast<float>(metres);
    if (edge == WedgeEdge::Left) {
        doc.TranslateItems(shift, 0.0f);
        doc.originOffsetX += shift;
    } else if (edge == WedgeEdge::Top) {
        doc.TranslateItems(0.0f, shift);
        doc.originOffsetY += shift;
    }
}

// True when every corner pixel of the strip of depth pixels on that edge is
// vacuum. The strip lies within the image.
bool StripCornersAreVacuum(const CGeometryImage& image, WedgeEdge edge, int depth) {
    const int w = image.ImageWidth;
    const int h = image.ImageHeight;
    int x0 = 0, x1 = w - 1, y0 = 0, y1 = h - 1;
    switch (edge) {
        case WedgeEdge::Left:
            x1 = depth - 1;
            break;
        case WedgeEdge::Right:
            x0 = w - depth;
            break;
        case WedgeEdge::Top:
            y1 = depth - 1;
            break;
        case WedgeEdge::Bottom:
            y0 = h - depth;
            break;
    }
    const auto at = [&](int x, int y) { return image.Rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)]; };
    return at(x0, y0) == kVacuumGrayLevel && at(x1, y0) == kVacuumGrayLevel && at(x0, y1) == kVacuumGrayLevel &&
           at(x1, y1) == kVacuumGrayLevel;
}

const char* TrimQuestion(WedgeEdge edge) {
    switch (edge) {
        case WedgeEdge::Left:
            return "Are you sure to trim on the left edge?";
        case WedgeEdge::Right:
            return "Are you sure to trim on right edge?";
        case WedgeEdge::Top:
            return "Are you sure to trim on the top edge?";
        case WedgeEdge::Bottom:
            return "Are you sure to trim on the bottom edge?";
    }
    return "";
}

}  // namespace

std::optional<WedgeEdge> WedgeEdgeFromName(const std::string& name) {
    if (name == "Left") return WedgeEdge::Left;
    if (name == "Right") return WedgeEdge::Right;
    if (name == "Top") return WedgeEdge::Top;
    if (name == "Bottom") return WedgeEdge::Bottom;
    return std::nullopt;
}

std::optional<WedgeDepth> ComputeWedgeDepth(double size, double thetaDegrees, double resolutionAcross) {
    if (!(size >= 0.0) || !std::isfinite(size)) return std::nullopt;
    if (!(thetaDegrees >= 0.0 && thetaDegrees < 90.0)) return std::nullopt;
    if (!(resolutionAcross > 0.0) || !std::isfinite(resolutionAcross)) return std::nullopt;
    WedgeDepth depth;
    depth.metres = size * std::tan(thetaDegrees * std::numbers::pi / 180.0);
    const double pixels = std::trunc(depth.metres * resolutionAcross / kMetresPerInch + 0.5);
    if (!(pixels < 9.0e18)) return std::nullopt;
    depth.pixels = static_cast<std::int64_t>(pixels);
    return depth;
}

void PaintWedgeStrip(CGeometryImage& image, WedgeEdge edge, int depth, double size, double offset, bool flip,
                     std::uint8_t gray) {
    if (depth <= 0 || !HasConsistentRows(image)) return;
    const bool vertical = IsVertical(edge);
    const int extent = vertical ? image.ImageHeight : image.ImageWidth;  // pixels along the edge
    const int across = vertical ? image.ImageWidth : image.ImageHeight;  // pixels across it
    if (depth > across) return;
    const double resolutionAlong = vertical ? image.ResolutionY : image.ResolutionX;
    const double spanPixels = size * resolutionAlong / kMetresPerInch;  // S'
    if (!(spanPixels > 0.0) || !std::isfinite(spanPixels)) return;
    const double centre = extent / 2.0 - offset * resolutionAlong / kMetresPerInch;  // c
    if (!std::isfinite(centre)) return;
    const double first = std::max(0.0, std::trunc(centre - spanPixels / 2.0 + 0.5));
    const double last = std::min(static_cast<double>(extent - 1), std::trunc(centre + spanPixels / 2.0 + 0.5));
    if (!(first <= last)) return;

    for (int k = static_cast<int>(first); k <= static_cast<int>(last); ++k) {
        double f = (k - centre) / spanPixels + 0.5;
        if (flip) f = 1.0 - f;
        const double covered = std::clamp(depth - std::trunc(depth * f + 0.5), 0.0, static_cast<double>(depth));
        // m counts pixels from the old image edge outwards.
        for (int m = 0; m < static_cast<int>(covered); ++m) {
            int x = k, y = k;
            switch (edge) {
                case WedgeEdge::Left:
                    x = depth - 1 - m;
                    break;
                case WedgeEdge::Right:
                    x = across - depth + m;
                    break;
                case WedgeEdge::Top:
                    y = depth - 1 - m;
                    break;
                case WedgeEdge::Bottom:
                    y = across - depth + m;
                    break;
            }
            image.Rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = gray;
        }
    }
}

bool CElixDoc::ResizeImage(int left, int right, int top, int bottom) {
    if (left == 0 && right == 0 && top == 0 && bottom == 0) return true;
    const long long oldWidth = image.ImageWidth;
    const long long oldHeight = image.ImageHeight;
    const long long width = oldWidth + left + right;
    const long long height = oldHeight + top + bottom;
    if (width < 1 || height < 1 || width > kMaxImagePixels / height) {
        SetMessageText(kResizeFailed);
        return false;
    }
    const bool oldRowsUsable = HasConsistentRows(image);

    ImageRows rows;
    try {
        rows.assign(static_cast<std::size_t>(height),
                    std::vector<std::uint8_t>(static_cast<std::size_t>(width), kVacuumGrayLevel));
    } catch (const std::bad_alloc&) {
        SetMessageText(kResizeFailed);
        return false;
    } catch (const std::length_error&) {
        SetMessageText(kResizeFailed);
        return false;
    }
    // Old pixel (x, y) goes to (x + left, y + top) where that lies inside.
    if (oldRowsUsable) {
        const long long xFrom = std::max(0LL, -static_cast<long long>(left));
        const long long xTo = std::min(oldWidth, width - left);
        const long long yFrom = std::max(0LL, -static_cast<long long>(top));
        const long long yTo = std::min(oldHeight, height - top);
        for (long long y = yFrom; y < yTo && xFrom < xTo; ++y) {
            const auto& from = image.Rows[static_cast<std::size_t>(y)];
            std::copy(from.begin() + xFrom, from.begin() + xTo,
                      rows[static_cast<std::size_t>(y + top)].begin() + (xFrom + left));
        }
    }
    image.Rows = std::move(rows);
    image.ImageWidth = static_cast<std::int32_t>(width);
    image.ImageHeight = static_cast<std::int32_t>(height);
    RebuildDisplayBitmap();
    UpdateSizeText();
    UpdateAllViews('a');
    SetModifiedFlag();
    return true;
}

bool CElixDoc::AddWedge(const std::string& location, double size, double offset, double thetaDegrees, bool flip,
                        std::uint8_t gray, bool shiftItems) {
    const std::optional<WedgeEdge> edge = WedgeEdgeFromName(location);
    if (!edge) {
        SetMessageText(kNoEdge);
        return false;
    }
    const std::optional<WedgeDepth> depth = CheckedWedgeDepth(*this, *edge, size, offset, thetaDegrees);
    if (!depth) return false;
    const int pixels = static_cast<int>(depth->pixels);
    const bool grown = ResizeImage(*edge == WedgeEdge::Left ? pixels : 0, *edge == WedgeEdge::Right ? pixels : 0,
                                   *edge == WedgeEdge::Top ? pixels : 0, *edge == WedgeEdge::Bottom ? pixels : 0);
    if (!grown) return false;
    PaintWedgeStrip(image, *edge, pixels, size, offset, flip, gray);
    if (shiftItems) ShiftItemsWithOrigin(*this, *edge, depth->metres);
    RebuildDisplayBitmap();
    UpdateAllViews('a');
    SetModifiedFlag();
    return true;
}

bool CElixDoc::TrimWedge(const std::string& location, double size, double thetaDegrees, bool shiftItems) {
    const std::optional<WedgeEdge> edge = WedgeEdgeFromName(location);
    if (!edge) {
        SetMessageText(kNoEdge);
        return false;
    }
    const std::optional<WedgeDepth> depth = CheckedWedgeDepth(*this, *edge, size, 0.0, thetaDegrees);
    if (!depth) return false;
    const int pixels = static_cast<int>(depth->pixels);
    const int across = IsVertical(*edge) ? image.ImageWidth : image.ImageHeight;
    if (pixels > 0) {
        // A strip as deep as the image would leave nothing: refused before
        // asking anything.
        if (pixels >= across || !HasConsistentRows(image)) {
            SetMessageText(kResizeFailed);
            return false;
        }
        if (!StripCornersAreVacuum(image, *edge, pixels) &&
            ReportMessage(TrimQuestion(*edge), MessageStyle::Question) != MessageAnswer::Yes) {
            SetMessageText("");
            return false;
        }
        const bool trimmed =
            ResizeImage(*edge == WedgeEdge::Left ? -pixels : 0, *edge == WedgeEdge::Right ? -pixels : 0,
                        *edge == WedgeEdge::Top ? -pixels : 0, *edge == WedgeEdge::Bottom ? -pixels : 0);
        if (!trimmed) return false;
    }
    if (shiftItems) ShiftItemsWithOrigin(*this, *edge, -depth->metres);
    return true;
}

}  // namespace elix

// The image's rows, its physical size and the two operations that make a
// new image or give the present one another resolution.
#include "geometry/geometry_image.h"

#include <algorithm>
#include <new>

#include "geometry/working_image.h"
#include "model/elix_doc.h"
#include "platform/text_format.h"

namespace elix {

bool AllocateRows(ImageRows& rows, int width, int height) {
    if (width < 1 || height < 1 || std::int64_t{width} * height > kMaxImagePixels) {
        FreeRows(rows);
        return false;
    }
    const auto w = static_cast<std::size_t>(width);
    const auto h = static_cast<std::size_t>(height);
    if (rows.size() == h && rows.front().size() == w) return true;
    FreeRows(rows);
    try {
        ImageRows fresh(h);
        for (auto& row : fresh) row.assign(w, 0);
        rows = std::move(fresh);
    } catch (const std::bad_alloc&) {
        // Everything allocated so far went with the temporary.
        return false;
    } catch (const std::length_error&) {
        return false;
    }
    return true;
}

void FreeRows(ImageRows& rows) {
    ImageRows().swap(rows);
}

// A shown wavefield frame has one pixel per grid node, and n nodes span
// n - 1 spacings.
double CElixDoc::ImageWidthMeters() const {
    const int pixels = image.ShowsFrame ? image.ImageWidth - 1 : image.ImageWidth;
    return pixels * kMetresPerInch / image.ResolutionX;
}

double CElixDoc::ImageHeightMeters() const {
    const int pixels = image.ShowsFrame ? image.ImageHeight - 1 : image.ImageHeight;
    return pixels * kMetresPerInch / image.ResolutionY;
}

void CElixDoc::UpdateSizeText() {
    SizeText = Format("W=%.2f(mm),H=%.2f(mm)", ImageWidthMeters() * 1000.0, ImageHeightMeters() * 1000.0);
}

bool CElixDoc::CreateImage(int width, int height, float resolutionX, float resolutionY, std::uint8_t gray) {
    if (!IsUsableResolution(resolutionX) || !IsUsableResolution(resolutionY)) {
        m_messageText = "The resolution must be a number above 0.";
        return false;
    }
    ImageRows rows;
    if (!AllocateRows(rows, width, height)) {
        m_messageText = Format("Unable to allocate an image of %d x %d pixels.", width, height);
        return false;
    }
    for (auto& row : rows) std::fill(row.begin(), row.end(), gray);
    image.Rows = std::move(rows);
    image.ImageWidth = width;
    image.ImageHeight = height;
    image.ResolutionX = resolutionX;
    image.ResolutionY = resolutionY;
    image.ShowsFrame = false;
    RebuildDisplayBitmap();
    UpdateSizeText();
    UpdateAllViews('a');
    ImageFileName = "None";
    SetModifiedFlag();
    return ReplaceWithProgramWorkingFile(*this);
}

bool CElixDoc::SetImageResolution(float resolutionX, float resolutionY) {
    if (!IsUsableResolution(resolutionX) || !IsUsableResolution(resolutionY)) {
        m_messageText = "The resolution must be a number above 0.";
        return false;
    }
    image.ResolutionX = resolutionX;
    image.ResolutionY = resolutionY;
    UpdateSizeText();
    RebuildDisplayBitmap();
    UpdateAllViews('a');
    ImageFileName = "None";
    SetModifiedFlag();
    return ReplaceWithProgramWorkingFile(*this);
}

}  // namespace elix

// Working files: names, copies, loading the working image back and the
// restoring of source wedges and vacuum backings after a reload.
#include "geometry/working_image.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <mutex>

#include "app/directories.h"
#include "geometry/pcx_codec.h"
#include "model/elix_doc.h"
#include "platform/files.h"
#include "platform/text_format.h"

namespace elix {
namespace {

constexpr std::size_t kCopyBlock = 1024;
constexpr int kSuffixCount = 10000;
// Inches per metre (1 / 0.0254) as the pixel rule of item positions writes
// it: a point x metres from the left edge lies on pixel column
// trunc(x * ResolutionX * 39.370079 + 0.5).
constexpr double kInchesPerMetre = 39.370079;

// Copies an open stream into an open descriptor in blocks of 1024 bytes.
bool CopyBlocks(std::FILE* in, int fd) {
    char block[kCopyBlock];
    for (;;) {
        const std::size_t n = std::fread(block, 1, sizeof block, in);
        std::size_t done = 0;
        while (done < n) {
            const ssize_t written = write(fd, block + done, n - done);
            if (written <= 0) return false;
            done += static_cast<std::size_t>(written);
        }
        if (n < sizeof block) return std::ferror(in) == 0;
    }
}

// Creates a file under name, which must not exist yet; -1 when it exists
// or cannot be created (errno tells which).
int ClaimNewFile(const std::string& name) {
    return open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}

// Claims the first free name that makeName gives for a suffix of the
// process-wide counter. Returns the descriptor (name set), or -1 with the
// last name tried.
int ClaimWorkingName(const std::function<std::string(const std::string&)>& makeName, std::string& name) {
    for (int attempt = 0; attempt < kSuffixCount; ++attempt) {
        name = makeName(NextWorkingFileSuffix());
        const int fd = ClaimNewFile(name);
        if (fd >= 0) return fd;
        if (errno != EEXIST) return -1;
    }
    return -1;
}

void FreeImage(CGeometryImage& image) {
    FreeRows(image.Rows);
    image.ImageWidth = 0;
    image.ImageHeight = 0;
    image.displayBitmap.clear();
}

// Sets the pixels of four lines parallel to the source segment, 1 to 4
// pixels behind it (against its unit normal (dy, -dx) / length), to vacuum,
// sampled every 0.45 pixel from half a pixel before the segment's start to
// half a pixel past its end. Returns whether the source has a length.
bool CutVacuumBacking(CElixDoc& doc, const CSource& source, bool& changed) {
    if (source.x1 == source.x2 && source.y1 == source.y2) {
        doc.SetMessageText(Format("The size of Source '%s' is too small.", source.name));
        return false;
    }
    CGeometryImage& image = doc.image;
    const double kx = image.ResolutionX * kInchesPerMetre;
    const double ky = image.ResolutionY * kInchesPerMetre;
    const double x1 = source.x1 * kx, y1 = source.y1 * ky;
    const double dx = source.x2 * kx - x1, dy = source.y2 * ky - y1;
    const double length = std::hypot(dx, dy);
    if (!(length > 0.0) || !std::isfinite(length)) return true;
    const double ux = dx / length, uy = dy / length;
    const double nx = uy, ny = -ux;
    constexpr double kStep = 0.45;
    const double samples = std::floor((length + 1.0) / kStep);
    if (samples > 1e8) return true;  // a segment far larger than any image
    const auto count = static_cast<long>(samples) + 1;
    for (int behind = 1; behind <= 4; ++behind) {
        for (long i = 0; i < count; ++i) {
            const double t = -0.5 + static_cast<double>(i) * kStep;
            const double px = std::floor(x1 + t * ux - behind * nx + 0.5);
            const double py = std::floor(y1 + t * uy - behind * ny + 0.5);
            // Points beyond the image are not part of it.
            if (!(px >= 0.0 && px < image.ImageWidth && py >= 0.0 && py < image.ImageHeight)) continue;
            std::uint8_t& pixel = image.Rows[static_cast<std::size_t>(py)][static_cast<std::size_t>(px)];
            if (pixel != kVacuumGrayLevel) {
                pixel = kVacuumGrayLevel;
                changed = true;
            }
        }
    }
    return true;
}

void RestoreItems(CElixDoc& doc, const CSource* sourceToKeep) {
    doc.TranslateItems(-doc.originOffsetX, -doc.originOffsetY);
    doc.originOffsetX = 0.0f;
    doc.originOffsetY = 0.0f;
    // Copies: adding a wedge with item shifting moves the listed sources.
    auto sourceAt = [&doc, sourceToKeep](int k) {
        const CSource& listed = doc.Sources()[k];
        return sourceToKeep && sourceToKeep->name == listed.name ? *sourceToKeep : listed;
    };
    for (int k = 0; k < doc.Sources().Count(); ++k) {
        const CSource source = sourceAt(k);
        if (source.wedge)
            doc.AddWedge(source.wedgeLocation, source.wedgeSize, source.wedgeCenterOffset, source.wedgeAngle,
                         source.wedgeFlip != 0, source.wedgeGrayLevel, true);
    }
    bool changed = false;
    for (int k = 0; k < doc.Sources().Count(); ++k) {
        const CSource source = sourceAt(k);
        if (source.voidBacking) CutVacuumBacking(doc, source, changed);
    }
    if (changed) doc.RebuildDisplayBitmap();
}

}  // namespace

std::string WorkingFileCounter::Next() {
    const std::string suffix = Format("%04dTmp", m_next);
    m_next = (m_next + 1) % kSuffixCount;
    return suffix;
}

std::string NextWorkingFileSuffix() {
    static std::mutex mutex;
    static WorkingFileCounter counter;
    std::lock_guard lock(mutex);
    return counter.Next();
}

std::string WorkingCopyName(const std::string& geometryPath, const std::string& suffix) {
    const auto separator = geometryPath.find_last_of("/\\");
    const auto dot = geometryPath.find_last_of('.');
    const bool dotInName = dot != std::string::npos && (separator == std::string::npos || dot > separator);
    const std::string stem = dotInName ? geometryPath.substr(0, dot) : geometryPath;
    const std::string ending = geometryPath.size() > 4 ? geometryPath.substr(geometryPath.size() - 4) : geometryPath;
    return stem + suffix + ending;
}

std::string GeometryDirectory(const CElixDoc& doc) {
    return ProgramFileFolder(doc.Directories(), DirectoryKind::Geometry, doc.PathName());
}

std::string PcxDirectory(const CElixDoc& doc) {
    return ProgramFileFolder(doc.Directories(), DirectoryKind::Pcx, doc.PathName());
}

std::string GeometryFilePath(const CElixDoc& doc) {
    return ResolveModelRelativePath(doc.PathName(), doc.ImageFileName);
}

bool CopyImageFile(const std::string& source, const std::string& destination) {
    std::FILE* in = std::fopen(source.c_str(), "rb");
    if (!in) return false;
    std::string content;
    char block[kCopyBlock];
    std::size_t n = 0;
    while ((n = std::fread(block, 1, sizeof block, in)) > 0) content.append(block, n);
    const bool readOk = std::ferror(in) == 0;
    std::fclose(in);
    return readOk && WriteFileAtomically(destination, content);
}

bool CreateWorkingCopy(const std::string& geometryPath, std::string& name) {
    const int fd = ClaimWorkingName(
        [&geometryPath](const std::string& suffix) { return WorkingCopyName(geometryPath, suffix); }, name);
    if (fd < 0) return false;
    std::FILE* in = std::fopen(geometryPath.c_str(), "rb");
    bool ok = in && CopyBlocks(in, fd);
    if (in) std::fclose(in);
    if (close(fd) != 0) ok = false;
    if (!ok) std::remove(name.c_str());
    return ok;
}

bool ReplaceWithProgramWorkingFile(CElixDoc& doc) {
    doc.DeleteWorkingFile();
    std::string title = doc.Title();
    const auto dot = title.find_last_of('.');
    if (dot != std::string::npos) title.resize(dot);
    const std::string folder = GeometryDirectory(doc);
    std::string name;
    const int fd = ClaimWorkingName([&](const std::string& suffix) { return folder + title + suffix + ".geo"; }, name);
    bool ok = fd >= 0;
    if (ok) {
        close(fd);
        ok = doc.WriteImageFile(name);
        if (!ok) std::remove(name.c_str());
    }
    if (!ok) {
        doc.SetMessageText(Format("Unable to create a working file '%s'.", name));
        return false;
    }
    doc.WorkingFileName = name;
    doc.GeometryModified = true;
    return true;
}

bool LoadGeometryImage(CElixDoc& doc, const std::string& path, bool restoreItems, const CSource* sourceToKeep) {
    CGeometryImage& image = doc.image;
    FreeImage(image);
    const auto format = ImageFormatOfPath(path);
    if (!format) {
        doc.SetMessageText("The image must be of PCX or GEO format.");
        return false;
    }
    DecodedImage decoded;
    if (!ReadImageFile(path, *format, decoded)) {
        doc.SetMessageText(Format(
            "Unable to open file '%s'. Please use 'Load Geometry' command under Elix -> Geometry menu to load an "
            "image.",
            path));
        return false;
    }
    image.Rows = std::move(decoded.rows);
    image.ImageWidth = decoded.width;
    image.ImageHeight = decoded.height;
    image.ResolutionX = decoded.resolutionX;
    image.ResolutionY = decoded.resolutionY;
    image.ShowsFrame = false;
    doc.RebuildDisplayBitmap();
    if (restoreItems) RestoreItems(doc, sourceToKeep);
    return true;
}

bool IsUsableResolution(double dotsPerInch) {
    return std::isfinite(dotsPerInch) && dotsPerInch > 0.0;
}

bool CElixDoc::LoadWorkingImage(bool restoreItems, const CSource* sourceToKeep) {
    if (WorkingFileName == "None") {
        m_messageText = kNoImageLoadedText;
        return false;
    }
    return LoadGeometryImage(*this, WorkingFileName, restoreItems, sourceToKeep);
}

void CElixDoc::DeleteWorkingFile() {
    if (WorkingFileName == "None") return;
    std::remove(WorkingFileName.c_str());
    WorkingFileName = "None";
}

bool CElixDoc::WriteImageFile(const std::string& path) {
    const auto format = ImageFormatOfPath(path);
    if (!format || !image.HasRows()) return false;
    if (*format == ImageFileFormat::Pcx) {
        // The document takes the resolutions the header will hold, so that
        // it matches its file.
        image.ResolutionX = static_cast<float>(HeaderDpi(image.ResolutionX));
        image.ResolutionY = static_cast<float>(HeaderDpi(image.ResolutionY));
        return WritePcx(path, image.ImageWidth, image.ImageHeight, image.Rows, image.ResolutionX, image.ResolutionY);
    }
    return WriteGeo(path, image.ImageWidth, image.ImageHeight, image.Rows, image.ResolutionX, image.ResolutionY);
}

}  // namespace elix

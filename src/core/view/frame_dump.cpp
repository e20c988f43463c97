#include "view/frame_dump.h"

#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <utility>

#include "engine/node_grid.h"
#include "engine/time_step.h"
#include "geometry/pcx_codec.h"
#include "model/elix_doc.h"
#include "platform/text_format.h"

namespace elix {
namespace {

// Lines are collected in a buffer of about this size before each write.
constexpr std::size_t kDumpBufferBytes = std::size_t{1} << 20;

std::string OutputPath(const std::string& folder, const std::string& title, int step, const char* extension) {
    std::string path = folder;
    if (!path.empty() && path.back() != '/' && path.back() != '\\') path += '/';
    return path + TitleStem(title) + "S" + std::to_string(step) + extension;
}

// "%f" of a value: to_chars with a precision converts as printf does in
// the C locale (also "inf", "-nan" and the sign of -0).
void AppendFixed(std::string& out, float value) {
    char buffer[128];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value), std::chars_format::fixed, 6);
    out.append(buffer, result.ptr);
}

void AppendInteger(std::string& out, int value) {
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

// Writes the dump to an open stream in blocks.
bool WriteDumpLines(std::ofstream& file, const CNodeGrid& grid) {
    std::string buffer;
    buffer.reserve(kDumpBufferBytes + 128);
    const FieldArray& u = grid.fields.U;
    const FieldArray& v = grid.fields.V;
    for (int j = 0; j <= grid.ny; ++j) {
        for (int i = 0; i <= grid.nx; ++i) {
            const std::size_t at = grid.Offset(i, j);
            AppendDumpLine(buffer, i, j, u[at], v[at]);
            if (buffer.size() >= kDumpBufferBytes) {
                if (!file.write(buffer.data(), static_cast<std::streamsize>(buffer.size()))) return false;
                buffer.clear();
            }
        }
    }
    return static_cast<bool>(file.write(buffer.data(), static_cast<std::streamsize>(buffer.size())));
}

}  // namespace

std::string TitleStem(const std::string& title) {
    const auto dot = title.find_last_of('.');
    return dot == std::string::npos ? title : title.substr(0, dot);
}

std::string DisplacementDumpPath(const std::string& folder, const std::string& title, int step) {
    return OutputPath(folder, title, step, ".frm");
}

std::string FramePicturePath(const std::string& folder, const std::string& title, int step) {
    return OutputPath(folder, title, step, ".PCX");
}

bool IsDumpStep(const std::array<std::int32_t, 3>& dumpDisplacement, int step) {
    const std::int64_t first = dumpDisplacement[0];
    const std::int64_t last = dumpDisplacement[1];
    const std::int64_t interval = dumpDisplacement[2];
    const std::int64_t s = step;
    return interval > 0 && first <= s && s <= last && (s - first) % interval == 0;
}

void AppendDumpLine(std::string& out, int i, int j, float u, float v) {
    AppendInteger(out, i);
    out += ' ';
    AppendInteger(out, j);
    out += ' ';
    AppendFixed(out, u);
    out += ' ';
    AppendFixed(out, v);
    out += '\n';
}

bool WriteDisplacementDump(CElixDoc& doc, const CNodeGrid& grid, const std::string& path) {
    const std::size_t nodes = grid.nx < 0 || grid.ny < 0 ? 0 : grid.NodeCount();
    bool ok = grid.fields.U.size() >= nodes && grid.fields.V.size() >= nodes;
    // The complete text replaces the target in one rename; a failed write
    // leaves any earlier file of that name as it was.
    const std::string temp = path + ".part";
    if (ok) {
        std::ofstream file(temp, std::ios::binary | std::ios::trunc);
        ok = file.is_open() && WriteDumpLines(file, grid);
        if (file.is_open()) {
            file.close();
            ok = ok && !file.fail();
        }
    }
    if (ok) {
        std::error_code ec;
        std::filesystem::rename(temp, path, ec);
        ok = !ec;
    }
    if (!ok) {
        std::error_code ec;
        std::filesystem::remove(temp, ec);
        doc.SetMessageText(Format("Unable to save file '%s'.", path));
    }
    return ok;
}

bool WriteDumpIfDue(CElixDoc& doc, const CNodeGrid& grid, int step, const std::string& folder) {
    if (!IsDumpStep(doc.job.DumpDisplacement, step)) return true;
    return WriteDisplacementDump(doc, grid, DisplacementDumpPath(folder, doc.Title(), step));
}

bool SaveFramePicture(CElixDoc& doc, const std::string& path) {
    const CGeometryImage& image = doc.image;
    // WritePcx stores trunc(resolution + 0.5), at least 1, in the header.
    if (!image.HasRows() ||
        !WritePcx(path, image.ImageWidth, image.ImageHeight, image.Rows, image.ResolutionX, image.ResolutionY)) {
        doc.SetMessageText(Format("Unable to save file: %s", path));
        return false;
    }
    return true;
}

bool SaveFramePictureIfWanted(CElixDoc& doc, int step, const std::string& folder) {
    if (doc.job.SaveDisp != 1) return true;
    return SaveFramePicture(doc, FramePicturePath(folder, doc.Title(), step));
}

bool LoadFramePicture(CElixDoc& doc, const std::string& folder, int step, double hx, double hy) {
    CGeometryImage& image = doc.image;
    FreeRows(image.Rows);
    DecodedImage picture;
    if (!ReadPcx(FramePicturePath(folder, doc.Title(), step), picture)) return false;
    image.Rows = std::move(picture.rows);
    image.ImageWidth = picture.width;
    image.ImageHeight = picture.height;
    image.ResolutionX = hx > 0.0 ? static_cast<float>(kMetresPerInch / hx) : picture.resolutionX;
    image.ResolutionY = hy > 0.0 ? static_cast<float>(kMetresPerInch / hy) : picture.resolutionY;
    image.ShowsFrame = true;
    doc.RebuildDisplayBitmap();
    doc.UpdateAllViews('r');
    return true;
}

bool CanDumpDisplacements(const CElixDoc& doc, int step) {
    return doc.IsRunning() && step != 0;
}

bool DumpDisplacementsCommand(CElixDoc& doc, const CNodeGrid& grid, int step, const std::string& folder) {
    if (doc.ReportMessage(Format("Save displacements of step %d to a file, continue?", step), MessageStyle::Question) !=
        MessageAnswer::Yes)
        return false;
    // The chooser starts in the dump folder; the working folder itself is
    // left as it is.
    std::error_code ec;
    if (std::filesystem::current_path(ec).empty() || ec)
        doc.ReportMessage("Unable to get the current path", MessageStyle::Exclamation);
    IUserInterface* ui = doc.UserInterface();
    if (!ui || doc.BatchLog()) return false;
    FileChooserRequest request;
    request.filter = "Disp. Files (*.frm)|*.frm|All Files (*.*)|*.*||";
    request.defaultExtension = "frm";
    request.startFolder = folder;
    request.confirmOverwrite = true;
    const std::optional<std::string> path = ui->ChooseFileToSave(request);
    if (!path) return false;
    if (!WriteDisplacementDump(doc, grid, *path)) {
        doc.ReportMessage(doc.MessageText(), MessageStyle::Information);
        return false;
    }
    return true;
}

// --- playback --------------------------------------------------------------

bool PreparePlayback(CElixDoc& doc, PlaybackSetup& setup) {
    // The run values come from the geometry, not from a frame on show.
    if (doc.image.ShowsFrame && !doc.LoadWorkingImage(false, nullptr)) return false;
    CRunGeometry geometry;
    std::string error;
    if (!ComputeRunGeometry(doc, geometry, error)) {
        doc.SetMessageText(error);
        return false;
    }
    if (doc.DisplayCategory == "MaterialProperties") doc.DisplayCategory.clear();
    setup.timeIncrement = static_cast<float>(geometry.dt);
    setup.hx = geometry.hx;
    setup.hy = geometry.hy;
    setup.totalSteps = geometry.totalSteps;
    return true;
}

CPlayControl::CPlayControl(FrameLoader loader, float timeIncrement, int lastStep, std::function<void()> onFirstFrame)
    : m_loader(std::move(loader)),
      m_onFirstFrame(std::move(onFirstFrame)),
      m_timeIncrement(timeIncrement),
      m_lastStep(lastStep) {}

std::int32_t CPlayControl::TimeNsOf(int step, float timeIncrement) {
    const double t = std::trunc(static_cast<double>(step) * 1e9 * static_cast<double>(timeIncrement));
    if (!(t > std::numeric_limits<std::int32_t>::min())) return std::numeric_limits<std::int32_t>::min();
    if (!(t < std::numeric_limits<std::int32_t>::max())) return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(t);
}

bool CPlayControl::StepForward() {
    for (;;) {
        m_step = m_step < m_lastStep ? m_step + 1 : m_lastStep;
        const bool loaded = m_loader(m_step);
        if (m_step >= m_lastStep) {
            m_mode = PlayMode::Paused;
            Loaded(loaded);
            return loaded;
        }
        if (loaded) {
            Loaded(true);
            return true;
        }
    }
}

bool CPlayControl::StepBackward() {
    for (;;) {
        m_step = m_step > 0 ? m_step - 1 : 0;
        const bool loaded = m_loader(m_step);
        if (m_step <= 0) {
            m_mode = PlayMode::Paused;
            Loaded(loaded);
            return loaded;
        }
        if (loaded) {
            Loaded(true);
            return true;
        }
    }
}

void CPlayControl::Loaded(bool loaded) {
    m_timeNs = TimeNsOf(m_step, m_timeIncrement);
    if (loaded && m_firstFrame) {
        m_firstFrame = false;
        if (m_onFirstFrame) m_onFirstFrame();
    }
}

bool CPlayControl::StepForwardButton() {
    m_mode = PlayMode::Paused;
    return StepForward();
}

bool CPlayControl::StepBackwardButton() {
    m_mode = PlayMode::Paused;
    return StepBackward();
}

void CPlayControl::OnTimer() {
    switch (m_mode) {
        case PlayMode::Paused:
            break;
        case PlayMode::Forwards:
            if (!StepForward()) m_mode = PlayMode::Paused;
            break;
        case PlayMode::Backwards:
            if (!StepBackward()) m_mode = PlayMode::Paused;
            break;
        case PlayMode::ToFirst:
            m_step = 0;
            StepBackward();
            m_mode = PlayMode::Paused;
            break;
        case PlayMode::ToLast:
            m_step = m_lastStep;
            StepForward();
            m_mode = PlayMode::Paused;
            break;
    }
}

CPlayControl MakeDocumentPlayControl(CElixDoc& doc, const std::string& folder, const PlaybackSetup& setup) {
    const double hx = setup.hx;
    const double hy = setup.hy;
    CElixDoc* document = &doc;
    return CPlayControl(
        [document, folder, hx, hy](int step) { return LoadFramePicture(*document, folder, step, hx, hy); },
        setup.timeIncrement, setup.totalSteps, [document] { document->UpdateAllViews('a'); });
}

}  // namespace elix

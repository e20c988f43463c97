// elastrix-cli info MODEL.wmd: a readable summary of a model.
#include <cstdio>
#include <string>

#include "commands.h"
#include "model/elix_doc.h"
#include "platform/text_format.h"
#include "terminal_ui.h"

namespace elix::cli {
namespace {

constexpr const char* kInfoHelp =
    "Usage: elastrix-cli info MODEL.wmd\n"
    "\n"
    "Reads a model file and prints its version, comment, geometry file and\n"
    "image (pixels, resolution, size), job parameters and every material,\n"
    "boundary condition, source and receiver.\n"
    "Positions are shown in mm, times in us, frequencies in MHz.\n";

// A segment in millimetres: "(x1, y1)-(x2, y2) mm".
template <class T>
std::string Segment(const T& item) {
    return Format("(%g, %g)-(%g, %g) mm", item.x1 * 1e3, item.y1 * 1e3, item.x2 * 1e3, item.y2 * 1e3);
}

const char* OnOff(int flag) { return flag ? "on" : "off"; }

// The loaded geometry: pixels, resolution and size, or why there is none.
std::string ImageSummary(const CElixDoc& doc) {
    const CGeometryImage& image = doc.image;
    if (!image.HasRows()) {
        if (doc.ImageFileName == "None") return "none";
        return "not loaded: " + doc.MessageText();
    }
    return Format("%d x %d pixels, %g dpi (%g pixel/mm), %s", image.ImageWidth, image.ImageHeight, image.ResolutionY,
                  image.ResolutionY / 25.4, doc.SizeText);
}

std::string Summary(const CElixDoc& doc) {
    std::string out;
    auto line = [&out](const std::string& text) { out += text + "\n"; };
    line(Format("Model:          %s", doc.PathName()));
    line(Format("Format version: %.2f", doc.fileFormatVersion));
    line(Format("Geometry:       %s (format %d)", doc.ImageFileName, doc.geometryFormat));
    line("Image:          " + ImageSummary(doc));
    if (doc.comment.empty()) {
        line("Comment:        (none)");
    } else {
        line("Comment:");
        std::string text;
        for (char c : doc.comment)
            if (c != '\r') text += c;
        std::size_t start = 0;
        while (start <= text.size()) {
            const auto end = text.find('\n', start);
            line("  | " + text.substr(start, end == std::string::npos ? std::string::npos : end - start));
            if (end == std::string::npos) break;
            start = end + 1;
        }
    }

    const CJobParameters& job = doc.job;
    line("Job parameters:");
    line(Format("  Time step scale       %g", job.TimeStepScale));
    line(Format("  Max. frequency        %g MHz", job.MaxFreq * 1e-6));
    line(Format("  Resolving wavelength  %g mm", job.MinWaveLength * 1e3));
    line(Format("  Simulation time       %g us", job.Duration * 1e6));
    line(Format("  Points per cycle      %d", job.PointPerCycle));
    line(Format("  Display frequency     %d steps, save frames %s", job.DispFreq, OnOff(job.SaveDisp)));
    line(Format("  Display               %s, scale %g, interface brightness %d", job.DispType, job.DispScale,
                job.InterfaceBright));
    line(Format("  High order scheme     %s, dt scale threshold %g", OnOff(job.HighOrderScheme), job.DtScaleThresh));
    std::string sides;
    const char* names[] = {"Top", "Bottom", "Left", "Right"};
    for (int bit = 0; bit < 4; ++bit)
        if (job.InfiniteBCIndex & (1 << bit)) sides += std::string(sides.empty() ? "" : ", ") + names[bit];
    line(Format("  Absorbing sides       %s (factor %g)", sides.empty() ? "none" : sides, job.InfiniteFactor));
    line(Format("  Threads               %d", job.ThreadTotal));
    line(Format("  Max. grid index       %dK", job.CMax / 1024));
    if (job.DumpDisplacement[2] > 0)
        line(Format("  Displacement dumps    steps %d to %d every %d", job.DumpDisplacement[0],
                    job.DumpDisplacement[1], job.DumpDisplacement[2]));
    line(Format("  User waveforms        %s, %s", job.UserFile1, job.UserFile2));

    const auto& materials = doc.Materials();
    line(Format("Materials (%d):", materials.Count()));
    for (int k = 0; k < materials.Count(); ++k) {
        const CMaterialProperty& m = materials[k];
        line(Format("  %2d. %s: gray level %d, density %g kg/m^3, lambda %g MPa, mu %g MPa, damping %s%s%s", k + 1,
                    m.name, m.grayLevel, m.density, m.lambda * 1e-6, m.mu * 1e-6, OnOff(m.damping),
                    m.orthotropic ? ", orthotropic" : "", m.piezoelectric ? ", piezoelectric" : ""));
    }
    const auto& bcs = doc.BoundaryConditions();
    line(Format("Boundary conditions (%d):", bcs.Count()));
    for (int k = 0; k < bcs.Count(); ++k) {
        const CBoundaryCondition& b = bcs[k];
        line(Format("  %2d. %s: %s, longitudinal %s, shear %s%s", k + 1, b.name, Segment(b),
                    b.longitudinalFixed ? "fixed" : "free", b.shearFixed ? "fixed" : "free",
                    b.activeInDurationOnly ? ", in duration only" : ""));
    }
    const auto& sources = doc.Sources();
    line(Format("Sources (%d):", sources.Count()));
    for (int k = 0; k < sources.Count(); ++k) {
        const CSource& s = sources[k];
        std::string modes;
        if (s.longitudinalMode) modes += Format("longitudinal %s (%g us)", s.longitudinalTimeFunction, s.longitudinalDuration * 1e6);
        if (s.shearMode) modes += Format("%sshear %s (%g us)", modes.empty() ? "" : ", ", s.shearTimeFunction, s.shearDuration * 1e6);
        line(Format("  %2d. %s: %s, %s, delay %g us, %s%s%s", k + 1, s.name, Segment(s),
                    modes.empty() ? "no mode" : modes, s.timeDelay * 1e6,
                    s.signalType == 1 ? "pressure" : "displacement", s.pointSource ? ", point source" : "",
                    s.pulseEcho ? ", pulse echo" : ""));
    }
    const auto& receivers = doc.Receivers();
    line(Format("Receivers (%d):", receivers.Count()));
    static const char* const kDataTypes[] = {"displacement", "velocity", "acceleration", "pressure"};
    for (int k = 0; k < receivers.Count(); ++k) {
        const CReceiver& r = receivers[k];
        line(Format("  %2d. %s: %s, %s, output %s", k + 1, r.name, Segment(r),
                    r.dataType < 4 ? kDataTypes[r.dataType] : "unknown data type",
                    r.outputFile.empty() ? "(not saved)" : r.outputFile));
    }
    return out;
}

}  // namespace

int InfoCommand(const Arguments& args) {
    if (const int status = FileArgumentsUsage(args, 1, kInfoHelp); status != kContinue) return status;
    TerminalUserInterface ui;
    CElixDoc doc;
    if (!OpenModel(doc, ui, args[0])) return kExitFailure;
    std::fputs(Summary(doc).c_str(), stdout);
    return kExitOk;
}

}  // namespace elix::cli

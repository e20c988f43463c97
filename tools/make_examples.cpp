// elastrix-make-examples ROOT: writes the example models examples/immersion
// and examples/phased_array under the source tree ROOT, each as a PCX
// geometry and a model file, with the materials of ROOT/Library/Standard.mpd.
//
// Both models are small on purpose (about 240 x 150 cells and at most a
// thousand steps) so that they run in seconds and serve as end-to-end
// reference runs. The geometry is drawn at 10 pixels per millimetre and the
// grid spacing is 0.1 mm, so one image pixel is one grid cell.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

#include "engine/model_check.h"
#include "engine/time_functions.h"
#include "engine/time_step.h"
#include "model/elix_doc.h"
#include "model/location_rules.h"
#include "model/material_library.h"

namespace {

using namespace elix;

constexpr double kPixelsPerMm = 10.0;
constexpr std::uint8_t kVacuum = 255;

// A copy of the library material of that name; false when it is missing.
bool AddLibraryMaterial(CElixDoc& doc, const CMaterialLibrary& library, const std::string& name) {
    for (int k = 0; k < library.Count(); ++k)
        if (library.Items()[k].name == name) return doc.AddItem(library.Items()[k]);
    std::fprintf(stderr, "The material library has no '%s'.\n", name.c_str());
    return false;
}

// Replaces the image by widthMm x heightMm of one gray level.
void SetImage(CElixDoc& doc, double widthMm, double heightMm, std::uint8_t gray) {
    const int width = static_cast<int>(widthMm * kPixelsPerMm + 0.5);
    const int height = static_cast<int>(heightMm * kPixelsPerMm + 0.5);
    doc.image.ImageWidth = width;
    doc.image.ImageHeight = height;
    doc.image.Rows.assign(static_cast<std::size_t>(height),
                          std::vector<std::uint8_t>(static_cast<std::size_t>(width), gray));
    doc.image.ResolutionX = doc.image.ResolutionY = static_cast<float>(kPixelsPerMm * 25.4);
}

// Paints the image rows from fromMm downwards with a gray level.
void PaintRowsBelow(CElixDoc& doc, double fromMm, std::uint8_t gray) {
    const auto first = static_cast<std::size_t>(fromMm * kPixelsPerMm + 0.5);
    for (std::size_t r = first; r < doc.image.Rows.size(); ++r)
        std::fill(doc.image.Rows[r].begin(), doc.image.Rows[r].end(), gray);
}

// Paints the pixels whose centre-to-centre distance from the pixel at
// (xMm, yMm) is at most radiusMm.
void PaintDisc(CElixDoc& doc, double xMm, double yMm, double radiusMm, std::uint8_t gray) {
    const int cx = static_cast<int>(xMm * kPixelsPerMm + 0.5), cy = static_cast<int>(yMm * kPixelsPerMm + 0.5);
    const double r = radiusMm * kPixelsPerMm;
    for (int row = 0; row < doc.image.ImageHeight; ++row)
        for (int col = 0; col < doc.image.ImageWidth; ++col)
            if ((col - cx) * (col - cx) + (row - cy) * (row - cy) <= r * r)
                doc.image.Rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)] = gray;
}

// A centred segment of sizeMm on the top side, running leftwards as the
// editors place it there; its normal points down into the model.
template <class Record>
void PlaceOnTop(const CElixDoc& doc, Record& record, double sizeMm) {
    SetSegment(record, SideSegment(SideLocation::Top, sizeMm * 1e-3, 0.0, PixelExtent(doc.image)));
}

// A longitudinal-mode transducer of sizeMm centred on the top face: a
// two-cycle sine pulse with a sine envelope ("Sine Sine Pulse") at
// frequency f.
CSource TopTransducer(const CElixDoc& doc, const std::string& name, double sizeMm, double frequency) {
    CSource source;
    source.name = name;
    PlaceOnTop(doc, source, sizeMm);
    TimeFunctionSpec pulse;
    pulse.kind = TimeFunctionKind::SineSinePulse;
    pulse.count = 2;
    pulse.p = {1.0, frequency, 0.0, 0.0, 0.0};  // amplitude, Hz
    source.longitudinalTimeFunction = FormatTimeFunction(pulse);
    source.longitudinalDuration = static_cast<float>(2.0 / frequency);
    source.shearDuration = source.longitudinalDuration;
    source.pulseEcho = 1;
    return source;
}

// A receiver of the longitudinal (normal) displacement on the transducer's
// own segment; the averaged value only.
CReceiver EchoReceiver(const CSource& source, const std::string& name, const std::string& file) {
    CReceiver receiver;
    receiver.name = name;
    receiver.outputFile = file;
    receiver.x1 = source.x1;
    receiver.y1 = source.y1;
    receiver.x2 = source.x2;
    receiver.y2 = source.y2;
    receiver.shearMode = 0;
    return receiver;
}

void SetJob(CElixDoc& doc, double maxFreq, double durationUs, std::uint8_t absorbingSides) {
    doc.job.MaxFreq = static_cast<float>(maxFreq);
    // 1 mm resolved with 10 cells: hx = hy = 0.1 mm.
    doc.job.MinWaveLength = 1e-3f;
    doc.job.PointPerCycle = 10;
    doc.job.Duration = static_cast<float>(durationUs * 1e-6);
    doc.job.DispFreq = 10;
    doc.job.InfiniteBCIndex = absorbingSides;
    doc.job.ThreadTotal = 2;
}

bool Save(CElixDoc& doc, const std::filesystem::path& folder, const std::string& name) {
    std::filesystem::create_directories(folder);
    doc.ImageFileName = name + ".pcx";
    if (!doc.WriteImageFile((folder / doc.ImageFileName).string())) {
        std::fprintf(stderr, "Unable to write the geometry of '%s'.\n", name.c_str());
        return false;
    }
    doc.SetPathName((folder / (name + ".wmd")).string());
    if (!doc.WriteModel(doc.PathName())) {
        std::fprintf(stderr, "%s\n", doc.MessageText().c_str());
        return false;
    }
    std::printf("Wrote %s\n", doc.PathName().c_str());
    return true;
}

// Water above a steel block, 24 x 15 mm: a 1 MHz immersion transducer of
// 10 mm at the water's top, 5 mm above the steel's front wall; the steel is
// 10 mm thick and its bottom is the back wall. The water's top and the sides
// are cut from larger bodies and absorb.
//   front-wall echo:  2 * 5 mm / 1483 m/s = 6.74 us after the pulse,
//   back-wall echo:   a further 2 * 10 mm / 5900 m/s = 3.39 us.
// The back-wall gate opens at 9.8 us, after the front-wall echo has rung
// out (the two-cycle pulse lasts 2 us).
bool MakeImmersion(const CMaterialLibrary& library, const std::filesystem::path& examples) {
    CElixDoc doc;
    if (!AddLibraryMaterial(doc, library, "Water") || !AddLibraryMaterial(doc, library, "Steel")) return false;
    SetImage(doc, 24.0, 15.0, doc.Materials()[0].grayLevel);
    PaintRowsBelow(doc, 5.0, doc.Materials()[1].grayLevel);
    doc.comment =
        "Immersion pulse-echo: a 10 mm transducer in water sends a 1 MHz\r\n"
        "two-cycle pulse at normal incidence onto a 10 mm steel block 5 mm\r\n"
        "below it. 'Transducer Echo' records the front-wall echo (after\r\n"
        "2*5mm/1483m/s = 6.74 us, R = (Z2-Z1)/(Z2+Z1) = 0.94) and the\r\n"
        "back-wall echo 3.39 us later; 'Back Wall Gate' records from 9.8 us\r\n"
        "on with 20 dB gain. The water top and the sides absorb.";
    const CSource transducer = TopTransducer(doc, "Transducer", 10.0, 1e6);
    CReceiver echo = EchoReceiver(transducer, "Transducer Echo", "echo.txt");
    CReceiver gate = EchoReceiver(transducer, "Back Wall Gate", "back_wall_gate.txt");
    gate.form = CReceiver::kAdvancedForm;
    gate.blanking = 9.8e-6f;
    gate.gainFactor = 10.0f;  // 20 dB
    if (!doc.AddItem(transducer) || !doc.AddItem(echo) || !doc.AddItem(gate)) return false;
    SetJob(doc, 1.5e6, 12.5, 1 | 4 | 8);  // Top, Left, Right
    // A frame picture every 100 steps shows the pulse on its way.
    doc.job.DispFreq = 100;
    doc.job.SaveDisp = 1;
    return Save(doc, examples / "immersion", "immersion");
}

// The focusing law of the array: automatic, focal length = a0 * aperture,
// no steering, delays computed in the steel (gray level 0).
ArrayFocusingBlock FocusOnAxis(double focalMm, double apertureMm, std::uint8_t gray) {
    ArrayFocusingBlock focusing;
    focusing.delayLaw = 1;
    focusing.lawSelector = 1;
    focusing.regionGrayLevel = gray;
    focusing.a[0] = static_cast<float>(focalMm / apertureMm);
    return focusing;
}

// The receive law as a drawn shape (selector 0, used without centring, so
// every delay is >= 0 and the outermost elements get none). An element at
// x = u*H is farther from a focus at range D by
// e(u)*H = sqrt(x^2 + D^2) - D; the quartic a2 u^2 + a4 u^4 matching e at
// u = 1/2 and u = 1 stays within 0.02 mm of it here (a wavelength is
// 2.95 mm). With P = -(a0 + a2 u^2 + a4 u^4)*H and a0 = -e(1) the delay is
// largest at the centre, which hears the focus first, and 0 at the ends.
ArrayFocusingBlock ReceiveFocus(double focalMm, double apertureMm, std::uint8_t gray) {
    const double h = apertureMm / 2.0;
    auto e = [&](double u) { return (std::sqrt(u * h * u * h + focalMm * focalMm) - focalMm) / h; };
    const double a4 = (4.0 * e(1.0) - 16.0 * e(0.5)) / 3.0, a2 = e(1.0) - a4;
    ArrayFocusingBlock focusing;
    focusing.delayLaw = 1;
    focusing.lawSelector = 0;
    focusing.regionGrayLevel = gray;
    focusing.a[0] = static_cast<float>(-e(1.0));
    focusing.a[2] = static_cast<float>(a2);
    focusing.a[4] = static_cast<float>(a4);
    return focusing;
}

// Sets the source's front and back delays to the spread its law gives on
// the run grid, rounded up to 0.01 us, so that no element's pulse is cut.
bool SetArrayDelays(CElixDoc& doc, CSource& source) {
    CRunGeometry geometry;
    std::string error;
    double front = 0.0, back = 0.0;
    if (!ComputeRunGeometry(doc, geometry, error) ||
        !SourceArrayTimeDelays(doc, geometry, source, front, back, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return false;
    }
    source.frontDelay = static_cast<float>(std::ceil(front * 1e8) * 1e-8);
    source.backDelay = static_cast<float>(std::ceil(back * 1e8) * 1e-8);
    return true;
}

// A 16-element linear array (pitch 1.0 mm, elements 0.8 mm, 15.8 mm
// aperture) on a 24 x 15 mm steel block, focusing at 8 mm depth on a 2 mm
// side-drilled hole (vacuum). The block's sides are cut and absorb; its
// bottom is the back wall.
bool MakePhasedArray(const CMaterialLibrary& library, const std::filesystem::path& examples) {
    constexpr double kApertureMm = 15.8, kFocalMm = 8.0;
    CElixDoc doc;
    if (!AddLibraryMaterial(doc, library, "Steel")) return false;
    const std::uint8_t steel = doc.Materials()[0].grayLevel;
    SetImage(doc, 24.0, 15.0, steel);
    PaintDisc(doc, 12.0, kFocalMm, 1.0, kVacuum);
    doc.comment =
        "Phased array: 16 elements (pitch 1.0 mm, element 0.8 mm) on a 15 mm\r\n"
        "steel block fire a 2 MHz pulse focused at 8 mm depth, where a 2 mm\r\n"
        "side-drilled hole lies. 'Array Echo' sums the elements with receive\r\n"
        "delays for the same focus: the hole echo (top at 7 mm), then the\r\n"
        "back-wall echo at 15 mm. The block's sides absorb.";
    SetJob(doc, 3e6, 7.5, 4 | 8);  // Left, Right
    CSource array = TopTransducer(doc, "Array", kApertureMm, 2e6);
    array.pulseEcho = 0;
    array.curveArrayFlags = kArrayElementBlock | kArrayFocusingBlock;
    array.element = ArrayElementBlock{1, 0.8e-3f, 0.2e-3f};
    array.focusing = FocusOnAxis(kFocalMm, kApertureMm, steel);
    if (!SetArrayDelays(doc, array)) return false;
    CReceiver echo = EchoReceiver(array, "Array Echo", "array_echo.txt");
    echo.form = CReceiver::kAdvancedForm;
    echo.curveArrayFlags = kArrayElementBlock | kArrayFocusingBlock;
    echo.element = array.element;
    echo.focusing = ReceiveFocus(kFocalMm, kApertureMm, steel);
    if (!doc.AddItem(array) || !doc.AddItem(echo)) return false;
    return Save(doc, examples / "phased_array", "phased_array");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "Usage: elastrix-make-examples SOURCE_ROOT\n");
        return 2;
    }
    const std::filesystem::path root = argv[1];
    CMaterialLibrary library;
    if (!library.Load((root / "Library" / CMaterialLibrary::kStandardFileName).string())) {
        std::fprintf(stderr, "%s\n", library.ErrorText().c_str());
        return 1;
    }
    const std::filesystem::path examples = root / "examples";
    return MakeImmersion(library, examples) && MakePhasedArray(library, examples) ? 0 : 1;
}

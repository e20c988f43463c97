#include "designer/transducer_designer.h"

#include <charconv>
#include <cmath>
#include <cstdint>

#include "analysis/plot_gain.h"
#include "geometry/geometry_commands.h"
#include "geometry/geometry_image.h"
#include "model/elix_doc.h"
#include "model/field_range.h"
#include "model/material_derived.h"
#include "platform/text_format.h"

namespace elix {
namespace {

constexpr double kMetresPerInchValue = 0.0254;
// The width and height fields of a PCX/GEO header are 16-bit: the working
// file of a larger image could not be written.
constexpr int kMaxGeometrySide = 65535;

// Matching 2, 3 and 4 are left out of the stepping while they are empty.
bool Skipped(const CTransducerDesigner& designer, int layer) {
    return layer > kMatching1Layer && layer < kTestingLayer &&
           designer.thickness[static_cast<std::size_t>(layer)] == 0.0f;
}

// A whole field of text as one number, blanks around it allowed; "12abc"
// or an empty field is no number.
bool ParseWholeNumber(const std::string& text, double& value) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && (text[begin] == ' ' || text[begin] == '\t')) ++begin;
    while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
    if (begin == end) return false;
    const char* first = text.data() + begin;
    if (*first == '+' && end - begin > 1) ++first;
    double parsed = 0.0;
    const auto [ptr, ec] = std::from_chars(first, text.data() + end, parsed);
    if (ec != std::errc() || ptr != text.data() + end || !std::isfinite(parsed)) return false;
    value = parsed;
    return true;
}

FieldRange RangeOf(int field) {
    if (field == kImageWidthField || field == kTransducerWidthField || field == kResolutionField)
        return kPositiveRange;
    return kNonNegativeRange;
}

// Display unit per SI unit of each field: mm, pixel/mm, MHz.
double DisplayFactor(int field) {
    if (field == kResolutionField) return 1e-3;
    if (field == kFrequencyField) return 1e-6;
    return 1e3;
}

double FieldValue(const CTransducerDesigner& d, int field) {
    if (field == kImageWidthField) return d.imageWidth;
    if (field == kTransducerWidthField) return d.transducerWidth;
    if (field == kResolutionField) return d.imageResolution;
    if (field == kFrequencyField) return d.centreFrequency;
    return d.thickness[static_cast<std::size_t>(field - kFirstThicknessField)];
}

void SetFieldValue(CTransducerDesigner& d, int field, float value) {
    if (field == kImageWidthField)
        d.imageWidth = value;
    else if (field == kTransducerWidthField)
        d.transducerWidth = value;
    else if (field == kResolutionField)
        d.imageResolution = value;
    else if (field == kFrequencyField)
        d.centreFrequency = value;
    else
        d.thickness[static_cast<std::size_t>(field - kFirstThicknessField)] = value;
}

template <class T>
T& FirstOrAdded(CElixDoc& doc, T record, bool& ok) {
    if (doc.Items<T>().Count() == 0 && !doc.AddItem(record)) {
        doc.ReportMessage(doc.MessageText(), MessageStyle::Exclamation);
        ok = false;
    }
    return doc.Items<T>().Slot(0);
}

}  // namespace

double CTransducerDesigner::LayerTop(int layer) const {
    double depth = 0.0;
    for (int k = 0; k < layer && k < kDesignerLayerCount; ++k) depth += thickness[static_cast<std::size_t>(k)];
    return depth;
}

int StepDesignerLayer(const CTransducerDesigner& designer, int current, int direction) {
    const int step = direction < 0 ? kDesignerLayerCount - 1 : 1;
    int layer = ((current % kDesignerLayerCount) + kDesignerLayerCount) % kDesignerLayerCount;
    do {
        layer = (layer + step) % kDesignerLayerCount;
    } while (Skipped(designer, layer));
    return layer;
}

std::string LayerMaterialText(const CItemList<CMaterialProperty>& materials, int layer, double centreFrequency) {
    const DesignerLayer& info = kDesignerLayers[static_cast<std::size_t>(layer)];
    const CMaterialProperty* material = nullptr;
    for (int k = 0; k < materials.Count() && !material; ++k)
        if (materials[k].grayLevel == info.grayLevel) material = &materials[k];
    if (!material) return Format("%s\n'Undefined material'", info.name);

    double mu = material->mu;
    double lambda = material->lambda;
    if (material->orthotropic) {
        // C55 and C33: the eighth and sixth of the nine constants.
        mu = material->c[7];
        lambda = static_cast<double>(material->c[5]) - 2.0 * material->c[7];
    }
    const WaveValues values = ComputeWaveValues(material->density, lambda, mu, material->eta, material->chi,
                                                material->damping != 0, centreFrequency);
    const double zl = material->density * values.vl * 1e-6;  // MRayl
    return Format("%s\n%s", info.name, material->name) + Format("\nVL = %g (m/s)", values.vl) +
           Format("\nZL = %g (MRayl)", zl) +
           Format("\nL. Wave Length = %g (mm)", ShownWavelengthMm(values.wavelengthL));
}

const std::array<const char*, kDesignerNumberFields>& DesignerFieldLabels() {
    static const std::array<const char*, kDesignerNumberFields> labels{
        "Image Width (mm)",           "Transducer Width (mm)",      "Backing Layer (mm), 0",
        "Piezo Layer (mm), 32",       "Matching Layer 1 (mm), 64",  "Matching Layer 2 (mm), 96",
        "Matching Layer 3 (mm), 128", "Matching Layer 4 (mm), 160", "Testing Layer (mm), 192",
        "Image Resolution (pixel/mm)", "Center Frequency (MHz)"};
    return labels;
}

DesignerFieldTexts ShowDesignerFields(const CTransducerDesigner& designer, const CJobParameters& job) {
    DesignerFieldTexts texts;
    texts.name = designer.name;
    for (int field = 0; field < kDesignerNumberFields; ++field)
        texts.numbers[static_cast<std::size_t>(field)] = Format("%g", FieldValue(designer, field) * DisplayFactor(field));
    for (std::size_t k = 0; k < kDesignerSideBits.size(); ++k)
        texts.sides[k] = (job.InfiniteBCIndex & kDesignerSideBits[k]) != 0;
    texts.driveWithSource = designer.driveWithSource;
    return texts;
}

int StoreDesignerFields(const DesignerFieldTexts& texts, CTransducerDesigner& designer, CJobParameters& job,
                        std::string& message) {
    std::array<double, kDesignerNumberFields> values{};
    for (int field = 0; field < kDesignerNumberFields; ++field) {
        double value = 0.0;
        const FieldRange range = RangeOf(field);
        if (!ParseWholeNumber(texts.numbers[static_cast<std::size_t>(field)], value) ||
            !IsInFieldRange(value, range)) {
            message = FieldRangeMessage(range);
            return field;
        }
        values[static_cast<std::size_t>(field)] = value / DisplayFactor(field);
    }
    designer.name = texts.name;
    for (int field = 0; field < kDesignerNumberFields; ++field)
        SetFieldValue(designer, field, static_cast<float>(values[static_cast<std::size_t>(field)]));
    designer.driveWithSource = texts.driveWithSource;
    std::uint8_t bits = job.InfiniteBCIndex & static_cast<std::uint8_t>(~kAllSideBits);
    for (std::size_t k = 0; k < kDesignerSideBits.size(); ++k)
        if (texts.sides[k]) bits = static_cast<std::uint8_t>(bits | kDesignerSideBits[k]);
    job.InfiniteBCIndex = bits;
    message.clear();
    return -1;
}

std::string DriveTimeFunction(double centreFrequency) {
    return Format("Sine Pulse,2,1,%g", centreFrequency);
}

bool CreateTransducerGeometry(CElixDoc& doc, const CTransducerDesigner& d) {
    const double r = d.imageResolution;
    const double width = d.imageWidth;
    const double w = d.transducerWidth;
    double height = 0.0;
    for (float t : d.thickness) height += t;

    int columns = 0;
    int rows = 0;
    if (!(r > 0.0) || !PixelsForLength(width, r, columns) || !PixelsForLength(height, r, rows) ||
        columns > kMaxGeometrySide || rows > kMaxGeometrySide || std::int64_t{columns} * rows > kMaxImagePixels) {
        doc.ReportMessage(Format("An image of %g x %g mm at %g pixel/mm is too large.", width * 1000.0,
                                 height * 1000.0, r / 1000.0),
                          MessageStyle::Exclamation);
        return false;
    }

    // The new image replaces the old one; the model keeps naming its
    // geometry file, so saving offers to replace that file.
    const std::string geometryName = doc.ImageFileName;
    const auto dpi = static_cast<float>(r * kMetresPerInchValue);
    if (!doc.CreateImage(columns, rows, dpi, dpi, CMaterialProperty::kNoGrayLevel)) {
        doc.ImageFileName = geometryName;
        doc.ReportMessage(doc.MessageText(), MessageStyle::Exclamation);
        return false;
    }
    doc.ImageFileName = geometryName;
    doc.DisplayCategory.clear();

    // Backing, piezo and matching layers: rectangles of the transducer
    // width centred in the image, each directly below the one before.
    const double x0 = (width - w) / 2.0;
    for (int layer = kBackingLayer; layer < kTestingLayer; ++layer) {
        const double t = d.thickness[static_cast<std::size_t>(layer)];
        if (t > 0.0)
            doc.PaintRectangle(x0, d.LayerTop(layer), w, t, 0.0, kDesignerLayers[static_cast<std::size_t>(layer)].grayLevel,
                               0, 255);
    }
    const double testing = d.thickness[kTestingLayer];
    if (testing > 0.0)
        doc.PaintRectangle(0.0, d.LayerTop(kTestingLayer), width, testing, 0.0, kDesignerLayers[kTestingLayer].grayLevel,
                           0, 255);
    if (!doc.CommitWorkingFile()) {
        doc.ReportMessage(Format("Unable to save file '%s'.", doc.WorkingFileName), MessageStyle::Exclamation);
        return false;
    }
    doc.RebuildDisplayBitmap();
    doc.UpdateSizeText();

    bool ok = true;
    const auto piezoTop = static_cast<float>(d.LayerTop(kPiezoLayer));
    const auto piezoBottom = static_cast<float>(d.LayerTop(kMatching1Layer));

    CElectrodePair input;
    input.name = "Input";
    CElectrodePair& pair = FirstOrAdded(doc, input, ok);
    pair.x1 = static_cast<float>(x0);
    pair.x2 = static_cast<float>(x0 + w);
    pair.y1 = pair.y2 = piezoTop;
    pair.gap = d.thickness[kPiezoLayer];

    CReceiver output;
    output.name = "Output";
    output.dataType = 3;  // pressure
    CReceiver& receiver = FirstOrAdded(doc, output, ok);
    receiver.x1 = static_cast<float>(width / 2.0 - w / 4.0);
    receiver.x2 = static_cast<float>(width / 2.0 + w / 4.0);
    receiver.y1 = receiver.y2 = static_cast<float>(d.LayerTop(kTestingLayer) + testing / 4.0);

    if (d.driveWithSource) {
        CSource drive;
        drive.name = "Drive";
        drive.longitudinalMode = 1;
        drive.shearMode = 0;
        drive.longitudinalTimeFunction = DriveTimeFunction(d.centreFrequency);
        drive.longitudinalDuration = d.centreFrequency > 0.0f ? 1.0f / d.centreFrequency : drive.longitudinalDuration;
        CSource& source = FirstOrAdded(doc, drive, ok);
        source.x1 = static_cast<float>(x0);
        source.x2 = static_cast<float>(x0 + w);
        source.y1 = source.y2 = piezoBottom;
    }

    doc.SetModifiedFlag();
    doc.UpdateAllViews('a');
    return ok;
}

bool PlotTransducerGain(CElixDoc& doc, const CTransducerDesigner& designer) {
    return MakeGainPlot(doc, designer.centreFrequency);
}

}  // namespace elix

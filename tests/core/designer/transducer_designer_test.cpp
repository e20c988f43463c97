#include "designer/transducer_designer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "engine/run.h"
#include "model/elix_doc.h"
#include "model/field_range.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace elix {
namespace {

class TransducerDesignerTest : public ::testing::Test {
protected:
    void SetUp() override {
        doc.SetPathName(dir.Path("designed.wmd"));
        doc.SetUserInterface(&ui);
    }

    // Gray levels met in image row y between columns [x0, x1).
    std::set<int> GraysInRow(int y, int x0, int x1) const {
        std::set<int> grays;
        for (int x = x0; x < x1; ++x) grays.insert(doc.image.Rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)]);
        return grays;
    }

    test::TempDir dir;
    test::ScriptedUserInterface ui;
    CElixDoc doc;
    CTransducerDesigner designer;
};

TEST_F(TransducerDesignerTest, DefaultsBuildTheLayerImage) {
    doc.ImageFileName = "probe.geo";
    ASSERT_TRUE(CreateTransducerGeometry(doc, designer)) << ui.LastText();
    // 20 mm x 12 mm at 20 pixels per mm, 20000 x 0.0254 = 508 dpi.
    ASSERT_EQ(doc.image.ImageWidth, 400);
    ASSERT_EQ(doc.image.ImageHeight, 240);
    EXPECT_FLOAT_EQ(doc.image.ResolutionX, 508.0f);
    EXPECT_FLOAT_EQ(doc.image.ResolutionY, 508.0f);
    EXPECT_EQ(doc.ImageFileName, "probe.geo");  // the model keeps its geometry name
    EXPECT_NE(doc.WorkingFileName, "None");

    // Backing rows 0-99, piezo 100-119, matching 1 120-139 between columns
    // 100 and 299; testing 140-239 over the whole width; 255 elsewhere.
    struct Band {
        int firstRow, lastRow, gray;
    };
    for (const Band band : {Band{0, 99, 0}, Band{100, 119, 32}, Band{120, 139, 64}}) {
        for (int y : {band.firstRow, band.lastRow}) {
            EXPECT_EQ(GraysInRow(y, 100, 300), std::set<int>{band.gray}) << "row " << y;
            EXPECT_EQ(GraysInRow(y, 0, 100), std::set<int>{255}) << "row " << y;
            EXPECT_EQ(GraysInRow(y, 300, 400), std::set<int>{255}) << "row " << y;
        }
    }
    for (int y : {140, 239}) EXPECT_EQ(GraysInRow(y, 0, 400), std::set<int>{192}) << "row " << y;

    // The working file holds the painted image: a reload gives it back.
    ASSERT_TRUE(doc.LoadWorkingImage(false, nullptr)) << doc.MessageText();
    EXPECT_EQ(GraysInRow(110, 100, 300), std::set<int>{32});

    ASSERT_EQ(doc.ElectrodePairs().Count(), 1);
    const CElectrodePair& pair = doc.ElectrodePairs()[0];
    EXPECT_EQ(pair.name, "Input");
    EXPECT_FLOAT_EQ(pair.x1, 0.005f);
    EXPECT_FLOAT_EQ(pair.x2, 0.015f);
    EXPECT_FLOAT_EQ(pair.y1, 0.005f);
    EXPECT_FLOAT_EQ(pair.y2, 0.005f);
    EXPECT_FLOAT_EQ(pair.gap, 0.001f);

    ASSERT_EQ(doc.Receivers().Count(), 1);
    const CReceiver& receiver = doc.Receivers()[0];
    EXPECT_EQ(receiver.name, "Output");
    EXPECT_EQ(receiver.dataType, 3);
    EXPECT_FLOAT_EQ(receiver.x1, 0.0075f);
    EXPECT_FLOAT_EQ(receiver.x2, 0.0125f);
    EXPECT_FLOAT_EQ(receiver.y1, 0.00825f);  // 7 mm + 5 mm / 4
    EXPECT_FLOAT_EQ(receiver.y2, 0.00825f);

    ASSERT_EQ(doc.Sources().Count(), 1);
    const CSource& source = doc.Sources()[0];
    EXPECT_EQ(source.name, "Drive");
    EXPECT_FLOAT_EQ(source.y1, 0.006f);  // the piezo layer's lower face
    EXPECT_FLOAT_EQ(source.y2, 0.006f);
    EXPECT_FLOAT_EQ(source.x1, 0.005f);
    EXPECT_FLOAT_EQ(source.x2, 0.015f);
    EXPECT_EQ(source.longitudinalTimeFunction, "Sine Pulse,2,1,1e+06");
    EXPECT_FLOAT_EQ(source.longitudinalDuration, 1e-6f);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(TransducerDesignerTest, ExistingItemsAreKeptAndOnlyTheFirstMoves) {
    for (const char* name : {"A", "B"}) {
        CElectrodePair pair;
        pair.name = name;
        ASSERT_TRUE(doc.AddItem(pair));
        CReceiver receiver;
        receiver.name = name;
        receiver.dataType = 1;
        ASSERT_TRUE(doc.AddItem(receiver));
    }
    designer.driveWithSource = false;
    designer.thickness[kTestingLayer] = 0.0f;  // the receiver lies on the last matching layer's bottom
    designer.thickness[3] = 0.0005f;           // matching 2
    ASSERT_TRUE(CreateTransducerGeometry(doc, designer));
    EXPECT_EQ(doc.image.ImageHeight, 150);  // 7.5 mm
    ASSERT_EQ(doc.ElectrodePairs().Count(), 2);
    ASSERT_EQ(doc.Receivers().Count(), 2);
    EXPECT_EQ(doc.Sources().Count(), 0);
    EXPECT_EQ(doc.ElectrodePairs()[0].name, "A");
    EXPECT_FLOAT_EQ(doc.ElectrodePairs()[0].y1, 0.005f);
    EXPECT_FLOAT_EQ(doc.ElectrodePairs()[1].y2, 0.001f);  // the record default, untouched
    EXPECT_EQ(doc.Receivers()[0].name, "A");
    EXPECT_EQ(doc.Receivers()[0].dataType, 1);
    EXPECT_FLOAT_EQ(doc.Receivers()[0].y1, 0.0075f);
    EXPECT_FLOAT_EQ(doc.Receivers()[1].y2, 0.001f);
    // Matching 2 (gray 96) lies in rows 140-149 under the transducer, and
    // nothing of gray 192 was painted.
    EXPECT_EQ(GraysInRow(145, 100, 300), std::set<int>{96});
    EXPECT_EQ(GraysInRow(149, 0, 100), std::set<int>{255});
}

TEST_F(TransducerDesignerTest, LayersThinnerThanAPixelPaintNothingAndSizesAreChecked) {
    designer.thickness = {0.0f, 0.00001f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f};  // 0.2 pixel of piezo
    designer.centreFrequency = 0.0f;
    ASSERT_TRUE(CreateTransducerGeometry(doc, designer));
    EXPECT_EQ(doc.image.ImageHeight, 1);  // at least one row
    EXPECT_EQ(GraysInRow(0, 0, 400), std::set<int>{255});
    // Without a frequency the drive keeps the record's duration (no 1 / 0).
    EXPECT_FLOAT_EQ(doc.Sources()[0].longitudinalDuration, CSource{}.longitudinalDuration);

    // An image wider than a geometry file can hold (65535 pixels) is
    // refused with a message before anything changes.
    CTransducerDesigner huge;
    huge.imageWidth = 4.0f;  // 80000 pixels
    ASSERT_FALSE(CreateTransducerGeometry(doc, huge));
    EXPECT_EQ(ui.LastText(), "An image of 4000 x 12 mm at 20 pixel/mm is too large.");
    EXPECT_EQ(doc.image.ImageWidth, 400);
    EXPECT_EQ(doc.image.ImageHeight, 1);
}

TEST(TransducerDesignerLayers, StepsWrapAndSkipEmptyMatchingLayers) {
    CTransducerDesigner designer;  // matching 2 to 4 at 0
    EXPECT_EQ(StepDesignerLayer(designer, kMatching1Layer, +1), kTestingLayer);
    EXPECT_EQ(StepDesignerLayer(designer, kTestingLayer, -1), kMatching1Layer);
    EXPECT_EQ(StepDesignerLayer(designer, kTestingLayer, +1), kBackingLayer);
    EXPECT_EQ(StepDesignerLayer(designer, kBackingLayer, -1), kTestingLayer);
    EXPECT_EQ(StepDesignerLayer(designer, kBackingLayer, +1), kPiezoLayer);
    // Matching 1 is never skipped, even when empty.
    designer.thickness[kMatching1Layer] = 0.0f;
    EXPECT_EQ(StepDesignerLayer(designer, kPiezoLayer, +1), kMatching1Layer);
    designer.thickness[4] = 0.001f;  // matching 3 only
    EXPECT_EQ(StepDesignerLayer(designer, kMatching1Layer, +1), 4);
    EXPECT_EQ(StepDesignerLayer(designer, 4, +1), kTestingLayer);
    EXPECT_EQ(StepDesignerLayer(designer, 4, -1), kMatching1Layer);
}

TEST(TransducerDesignerLayers, MaterialTextsFollowTheLayerGrayLevel) {
    CElixDoc doc;
    // Steel on the testing layer's gray: VL = 5900 m/s, rho 7850.
    ASSERT_TRUE(doc.AddItem(IsotropicMaterial("Steel", 192, 7850.0, 5900.0, 3200.0)));
    EXPECT_EQ(LayerMaterialText(doc.Materials(), kTestingLayer, 2e6),
              "Testing\nSteel\nVL = 5900 (m/s)\nZL = 46.315 (MRayl)\nL. Wave Length = 2.95 (mm)");
    EXPECT_EQ(LayerMaterialText(doc.Materials(), kPiezoLayer, 2e6), "Piezo\n'Undefined material'");
    // No wave length at 0 Hz.
    EXPECT_EQ(LayerMaterialText(doc.Materials(), kTestingLayer, 0.0),
              "Testing\nSteel\nVL = 5900 (m/s)\nZL = 46.315 (MRayl)\nL. Wave Length = 0 (mm)");

    // An orthotropic layer: VL = sqrt(C33 / rho) (mu = C55, lambda = C33 - 2 C55).
    CMaterialProperty composite = IsotropicMaterial("Composite", 64, 1600.0, 3000.0, 1500.0);
    composite.orthotropic = 1;
    composite.c = {1e9f, 1e9f, 1e9f, 1e9f, 1e9f, 1.6e10f, 1e9f, 3e9f, 1e9f};  // C33 = 16 GPa
    ASSERT_TRUE(doc.AddItem(composite));
    EXPECT_EQ(LayerMaterialText(doc.Materials(), kMatching1Layer, 1e6),
              "Matching 1\nComposite\nVL = 3162.28 (m/s)\nZL = 5.05964 (MRayl)\nL. Wave Length = 3.16228 (mm)");
}

TEST(TransducerDesignerFields, ShowAndStoreConvertUnitsAndSides) {
    CTransducerDesigner designer;
    CJobParameters job;
    job.InfiniteBCIndex = 2 | 16;  // bottom, and a bit the designer does not own
    DesignerFieldTexts texts = ShowDesignerFields(designer, job);
    const std::array<std::string, kDesignerNumberFields> shown{"20", "10", "5", "1", "1", "0", "0", "0", "5", "20", "1"};
    EXPECT_EQ(texts.numbers, shown);
    EXPECT_EQ(texts.sides, (std::array<bool, 4>{false, false, true, false}));
    EXPECT_TRUE(texts.driveWithSource);

    texts.name = "Probe A";
    texts.numbers[kImageWidthField] = "30";
    texts.numbers[kFirstThicknessField + 3] = " 0.25 ";
    texts.numbers[kResolutionField] = "40";
    texts.numbers[kFrequencyField] = "2.25";
    texts.sides = {true, true, false, true};
    std::string message;
    ASSERT_EQ(StoreDesignerFields(texts, designer, job, message), -1);
    EXPECT_EQ(designer.name, "Probe A");
    EXPECT_FLOAT_EQ(designer.imageWidth, 0.03f);
    EXPECT_FLOAT_EQ(designer.thickness[3], 0.00025f);
    EXPECT_FLOAT_EQ(designer.imageResolution, 40000.0f);
    EXPECT_FLOAT_EQ(designer.centreFrequency, 2.25e6f);
    EXPECT_EQ(job.InfiniteBCIndex, 1 | 4 | 8 | 16);
}

TEST(TransducerDesignerFields, BadFieldsChangeNothing) {
    struct Case {
        int field;
        const char* text;
        FieldRange range;
    };
    const Case cases[] = {
        {kImageWidthField, "0", kPositiveRange},         {kTransducerWidthField, "abc", kPositiveRange},
        {kFirstThicknessField, "-1", kNonNegativeRange},  {kFirstThicknessField + 6, "5mm", kNonNegativeRange},
        {kResolutionField, "", kPositiveRange},           {kFrequencyField, "nan", kNonNegativeRange},
    };
    for (const Case& c : cases) {
        CTransducerDesigner designer;
        CJobParameters job;
        DesignerFieldTexts texts = ShowDesignerFields(designer, job);
        texts.name = "changed";
        texts.sides = {true, true, true, true};
        texts.numbers[static_cast<std::size_t>(c.field)] = c.text;
        std::string message;
        EXPECT_EQ(StoreDesignerFields(texts, designer, job, message), c.field) << c.text;
        EXPECT_EQ(message, FieldRangeMessage(c.range)) << c.text;
        EXPECT_EQ(designer.name, "") << c.text;
        EXPECT_EQ(job.InfiniteBCIndex, 0) << c.text;
        EXPECT_FLOAT_EQ(designer.imageWidth, 0.02f) << c.text;
    }
}

TEST_F(TransducerDesignerTest, PlotGainNeedsSpectra) {
    EXPECT_FALSE(PlotTransducerGain(doc, designer));
    EXPECT_EQ(doc.plotData[kGainPlot].CurveCount(), 0);
}

}  // namespace
}  // namespace elix

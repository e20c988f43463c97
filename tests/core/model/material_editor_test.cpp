// The material editor's conversions and field checks, the shared field
// range check, and the editor's actions over a document's materials.
#include "model/material_editor.h"

#include <gtest/gtest.h>

#include <cmath>

#include "model/field_range.h"
#include "support/scripted_ui.h"

namespace elix {
namespace {

// Records every message a field check shows.
struct Recorder {
    std::vector<std::string> texts;
    FieldReport Report() {
        return [this](const std::string& text, MessageStyle style) {
            texts.push_back(text);
            EXPECT_EQ(style, MessageStyle::Exclamation);
            return MessageAnswer::Ok;
        };
    }
};

// The editor frequency is one value for the program run; each test leaves
// it as it found it.
struct FrequencyGuard {
    double saved = MaterialEditorFrequency();
    ~FrequencyGuard() { SetMaterialEditorFrequency(saved); }
};

TEST(FieldRangeTest, BoundsAreInsideAndEverythingElseIsRefusedWithTheBoundsShown) {
    Recorder recorder;
    const FieldRange range{1e-20, 1e20};
    EXPECT_TRUE(CheckFieldRange(1e-20, range, recorder.Report()));
    EXPECT_TRUE(CheckFieldRange(1e20, range, recorder.Report()));
    EXPECT_TRUE(recorder.texts.empty());
    EXPECT_FALSE(CheckFieldRange(0.0, range, recorder.Report()));
    EXPECT_FALSE(CheckFieldRange(std::nan(""), range, recorder.Report()));
    EXPECT_FALSE(CheckFieldRange(-3.0, {-1.5, 2.25}, recorder.Report()));
    ASSERT_EQ(recorder.texts.size(), 3u);
    EXPECT_EQ(recorder.texts[0], "Please enter a number between 1e-20 and 1e+20.");
    EXPECT_EQ(recorder.texts[2], "Please enter a number between -1.5 and 2.25.");
}

TEST(MaterialEditorTest, PhiIsShownWithFourSignificantDigits) {
    EXPECT_EQ(RoundShownPhi(10.0), 10.0);
    EXPECT_EQ(RoundShownPhi(0.0), 0.0);
    EXPECT_DOUBLE_EQ(RoundShownPhi(8.0f + 2.0 * 1.0f / 3.0), 8.667);
    EXPECT_DOUBLE_EQ(RoundShownPhi(1234.56), 1234.6);  // multiplied once even above 1000
    EXPECT_DOUBLE_EQ(RoundShownPhi(-3.14159), -3.142);
    EXPECT_DOUBLE_EQ(RoundShownPhi(2.5e-7), 2.5e-7);
    EXPECT_DOUBLE_EQ(RoundShownPhi(99.99), 99.99);
}

TEST(MaterialEditorTest, PhiTenWithEtaThreeStoresChiEightAndShowsTenAgain) {
    CMaterialProperty m;
    double frequency = 1e6;
    MaterialEditorFields fields = ShowMaterialFields(m, frequency);
    fields.eta = 3.0;
    fields.phi = 10.0;
    ASSERT_TRUE(TakeMaterialFields(fields, m, frequency, nullptr));
    EXPECT_EQ(m.chi, 8.0f);
    EXPECT_EQ(m.eta, 3.0f);
    EXPECT_EQ(ShowMaterialFields(m, frequency).phi, 10.0);
}

TEST(MaterialEditorTest, FieldsShowMegapascalsAndMegahertzAndTakeThemBack) {
    CMaterialProperty m;
    m.lambda = 1.1e11f;
    m.mu = 8.2e10f;
    const MaterialEditorFields shown = ShowMaterialFields(m, 2.5e6);
    EXPECT_NEAR(shown.lambdaMPa, 1.1e5, 0.01);
    EXPECT_NEAR(shown.muMPa, 8.2e4, 0.01);
    EXPECT_EQ(shown.frequencyMHz, 2.5);
    CMaterialProperty back;
    double frequency = 0.0;
    ASSERT_TRUE(TakeMaterialFields(shown, back, frequency, nullptr));
    EXPECT_FLOAT_EQ(back.lambda, 1.1e11f);
    EXPECT_FLOAT_EQ(back.mu, 8.2e10f);
    EXPECT_DOUBLE_EQ(frequency, 2.5e6);
}

TEST(MaterialEditorTest, FormWrittenIsIsotropicUnlessAnExtensionIsOn) {
    CMaterialProperty m;  // a fresh record is written in form 2
    double frequency = 1e6;
    MaterialEditorFields fields = ShowMaterialFields(m, frequency);
    ASSERT_TRUE(TakeMaterialFields(fields, m, frequency, nullptr));
    EXPECT_EQ(m.formWritten, CMaterialProperty::kIsotropicForm);
    fields.orthotropic = true;
    ASSERT_TRUE(TakeMaterialFields(fields, m, frequency, nullptr));
    EXPECT_EQ(m.formWritten, CMaterialProperty::kExtendedForm);
    fields.orthotropic = false;
    fields.piezoelectric = true;
    ASSERT_TRUE(TakeMaterialFields(fields, m, frequency, nullptr));
    EXPECT_EQ(m.formWritten, CMaterialProperty::kExtendedForm);
    EXPECT_EQ(m.piezoelectric, 1);
}

TEST(MaterialEditorTest, AFieldOutOfRangeIsRefusedAndNothingChanges) {
    struct Case {
        void (*spoil)(MaterialEditorFields&);
        const char* message;
    };
    const Case cases[] = {
        {[](MaterialEditorFields& f) { f.density = 0.0; }, "Please enter a number between 1e-20 and 1e+20."},
        {[](MaterialEditorFields& f) { f.lambdaMPa = -1.0; }, "Please enter a number between 0 and 1e+20."},
        {[](MaterialEditorFields& f) { f.muMPa = 2e20; }, "Please enter a number between 0 and 1e+20."},
        {[](MaterialEditorFields& f) { f.grayLevel = 256; }, "Please enter a number between 0 and 255."},
        {[](MaterialEditorFields& f) { f.eta = -0.1; }, "Please enter a number between 0 and 1e+20."},
        {[](MaterialEditorFields& f) { f.phi = -0.1; }, "Please enter a number between 0 and 1e+20."},
        {[](MaterialEditorFields& f) { f.frequencyMHz = 0.0; }, "Please enter a number between 1e-20 and 1e+20."},
    };
    CMaterialProperty original;
    original.name = "Glass";
    original.density = 2500.0f;
    for (const Case& c : cases) {
        Recorder recorder;
        MaterialEditorFields fields = ShowMaterialFields(original, 1e6);
        fields.name = "changed";
        fields.density = 1.0;
        c.spoil(fields);
        CMaterialProperty record = original;
        double frequency = 3e6;
        EXPECT_FALSE(TakeMaterialFields(fields, record, frequency, recorder.Report())) << c.message;
        ASSERT_EQ(recorder.texts.size(), 1u);
        EXPECT_EQ(recorder.texts[0], c.message);
        EXPECT_EQ(record.name, "Glass");
        EXPECT_EQ(record.density, 2500.0f);
        EXPECT_EQ(frequency, 3e6);
    }
}

TEST(MaterialEditorTest, NumberLabelAndPrintedPage) {
    EXPECT_EQ(MaterialNumberText(0), "Material No.: 1");
    EXPECT_EQ(MaterialNumberText(15), "Material No.: 16");

    CMaterialProperty m;
    m.name = "Epoxy";
    m.density = 1200.0f;
    m.lambda = 4.5e9f;
    m.mu = 1.5e9f;
    m.grayLevel = 3;
    m.eta = 3.0f;
    m.chi = 8.0f;
    const std::vector<std::string> lines = MaterialPrintLines("plate.wmd", m, 1e6);
    ASSERT_EQ(lines.size(), 20u);
    const std::vector<std::string> head(lines.begin(), lines.begin() + 10);
    const std::vector<std::string> expected{
        "Model: plate.wmd",      "Material: Epoxy",    "Density (kg/m^3) = 1200", "lambda (MPa) = 4500",
        "mu (MPa) = 1500",       "Gray Level = 3",     "Damping: No",             "eta (Pa*s) = 3",
        "phi Pa*s) = 10",        "Frequency (MHz) = 1",
    };
    EXPECT_EQ(head, expected);
    EXPECT_EQ(lines[10], "VL = 2500 (m/s)");  // sqrt((4.5e9 + 3e9) / 1200)
}

TEST(MaterialEditorTest, DetailEditorsShowMegapascalsAndMicrofaradsPerMetre) {
    CMaterialProperty m;
    m.c[3] = 2.0e11f;  // C22
    m.c[6] = 4.0e10f;  // C44
    m.e[14] = 15.1f;   // e33, C/m^2 as stored
    m.epsilon[8] = 5.6e-9f;  // eps33, F/m
    const std::array<double, 9> c = ShowOrthoFields(m);
    EXPECT_NEAR(c[3], 2.0e5, 0.01);  // float 2e11 is 199999995904
    EXPECT_NEAR(c[6], 4.0e4, 0.01);
    const PiezoFields piezo = ShowPiezoFields(m);
    EXPECT_FLOAT_EQ(static_cast<float>(piezo.e[14]), 15.1f);
    EXPECT_NEAR(piezo.epsilonUF[8], 5.6e-3, 1e-10);

    // Back again: the shown values give the stored ones.
    CMaterialProperty back;
    TakeOrthoFields(c, back);
    TakePiezoFields(piezo, back);
    EXPECT_EQ(back.c, m.c);
    EXPECT_EQ(back.e, m.e);
    EXPECT_FLOAT_EQ(back.epsilon[8], m.epsilon[8]);

    // The marked entries: C22 C23 C33 C44, e24 e32 e33, eps22 eps33.
    int ortho = 0, e = 0, eps = 0;
    for (int k = 0; k < 9; ++k) ortho += OrthoEntryUsed(k) ? 1 << k : 0;
    for (int k = 0; k < 18; ++k) e += PiezoEEntryUsed(k) ? 1 << k : 0;
    for (int k = 0; k < 9; ++k) eps += PiezoEpsilonEntryUsed(k) ? 1 << k : 0;
    EXPECT_EQ(ortho, (1 << 3) | (1 << 4) | (1 << 5) | (1 << 6));
    EXPECT_EQ(e, (1 << 9) | (1 << 13) | (1 << 14));
    EXPECT_EQ(eps, (1 << 4) | (1 << 8));
}

struct MaterialEditorDocTest : ::testing::Test {
    CElixDoc doc;
    test::ScriptedUserInterface ui;
    FrequencyGuard guard;
    void SetUp() override { doc.SetUserInterface(&ui); }
};

TEST_F(MaterialEditorDocTest, OkAppliesOnlyAfterAFieldChanged) {
    CMaterialProperty m;
    m.name = "Steel";
    m.eta = 1.0f;
    m.chi = 8.0f;  // phi = 8.666..., shown rounded
    ASSERT_TRUE(doc.AddItem(m));
    CMaterialEditor editor = CMaterialEditor::ForDocument(doc);
    EXPECT_EQ(doc.DisplayCategory, "MaterialProperties");
    EXPECT_EQ(editor.NumberText(), "Material No.: 1");
    doc.SetModifiedFlag(false);

    // The shown values taken back unchanged are no edit, even though the
    // rounded phi differs from the stored chi + 2/3 eta.
    ASSERT_TRUE(editor.Ok(editor.Fields()));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.Materials()[0].chi, 8.0f);

    MaterialEditorFields fields = editor.Fields();
    fields.density = 7850.0;
    ASSERT_TRUE(editor.Ok(fields));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.Materials()[0].density, 7850.0f);
}

TEST_F(MaterialEditorDocTest, ARefusedFieldStopsTheActionAndTheFrequencyIsShared) {
    CMaterialEditor editor = CMaterialEditor::ForDocument(doc);
    MaterialEditorFields fields = editor.Fields();
    fields.frequencyMHz = 2.0;
    fields.grayLevel = 300;
    EXPECT_FALSE(editor.Add(fields));
    EXPECT_EQ(ui.LastText(), "Please enter a number between 0 and 255.");
    EXPECT_EQ(doc.Materials().Count(), 0);
    EXPECT_EQ(MaterialEditorFrequency(), guard.saved);

    fields.grayLevel = 4;
    ASSERT_TRUE(editor.Add(fields));
    EXPECT_EQ(doc.Materials()[0].name, "New");
    EXPECT_EQ(doc.Materials()[0].grayLevel, 4);
    EXPECT_DOUBLE_EQ(MaterialEditorFrequency(), 2e6);
    // A second editor shows the same frequency.
    CMaterialEditor other = CMaterialEditor::ForDocument(doc);
    EXPECT_DOUBLE_EQ(other.Fields().frequencyMHz, 2.0);
}

TEST_F(MaterialEditorDocTest, ApplyMovesTheGrayLevelToTheEditedMaterial) {
    CMaterialProperty a, b;
    a.name = "A";
    a.grayLevel = 3;
    b.name = "B";
    b.grayLevel = 5;
    ASSERT_TRUE(doc.AddItem(a));
    ASSERT_TRUE(doc.AddItem(b));
    CMaterialEditor editor = CMaterialEditor::ForDocument(doc);
    ASSERT_EQ(editor.Buffer().name, "B");
    MaterialEditorFields fields = editor.Fields();
    fields.grayLevel = 3;
    ASSERT_TRUE(editor.Apply(fields));
    EXPECT_EQ(doc.Materials()[0].grayLevel, 255);
    EXPECT_EQ(doc.Materials()[1].grayLevel, 3);
}


// The editor's changes rebuild the display image: with the materials shown
// in colour, a material added by the editor gets its list colour at once.
TEST_F(MaterialEditorDocTest, AnAddedMaterialIsPaintedInItsListColourAtOnce) {
    doc.image.ImageWidth = 4;
    doc.image.ImageHeight = 2;
    doc.image.Rows.assign(2, std::vector<std::uint8_t>(4, 4));
    CMaterialProperty water;
    water.name = "Water";
    water.grayLevel = 3;
    ASSERT_TRUE(doc.AddItem(water));
    CMaterialEditor editor = CMaterialEditor::ForDocument(doc);
    ASSERT_EQ(doc.DisplayCategory, "MaterialProperties");
    EXPECT_EQ(doc.image.red[3], 255);  // first colour (255, 0, 0) once the editor opens
    EXPECT_EQ(doc.image.green[4], 4);  // gray 4 has no material yet: gray

    MaterialEditorFields fields = editor.Fields();
    fields.grayLevel = 4;
    ASSERT_TRUE(editor.Add(fields));
    // The second list colour is (0, 255, 0).
    EXPECT_EQ(doc.image.red[4], 0);
    EXPECT_EQ(doc.image.green[4], 255);
    EXPECT_EQ(doc.image.blue[4], 0);
    ASSERT_FALSE(doc.image.displayBitmap.empty());
}

}  // namespace
}  // namespace elix

// The source editor's receivers (echo and through), its delete offers and
// point-source warning; the receiver editor's Advanced conversions and form
// rule; the array editor's focal length and deflection angle.
#include "model/source_editor.h"

#include <gtest/gtest.h>

#include <cmath>

#include "model/receiver_editor.h"
#include "support/scripted_ui.h"

namespace elix {
namespace {

constexpr double mm = 0.001;

// Records hold floats: about 1e-8 m of resolution at these sizes.
void ExpectSegment(const Segment& s, double x1, double y1, double x2, double y2) {
    EXPECT_NEAR(s.x1, x1, 1e-8);
    EXPECT_NEAR(s.y1, y1, 1e-8);
    EXPECT_NEAR(s.x2, x2, 1e-8);
    EXPECT_NEAR(s.y2, y2, 1e-8);
}

// A 50 mm x 40 mm model: 500 x 400 pixels at 10 pixels per mm.
struct SourceEditorTest : ::testing::Test {
    CElixDoc doc;
    test::ScriptedUserInterface ui;
    const ModelExtent model{50 * mm, 40 * mm};
    const LocationFields left{SideLocation::Left, 10.0, 0.0};

    void SetUp() override {
        doc.SetUserInterface(&ui);
        doc.image.ImageWidth = 500;
        doc.image.ImageHeight = 400;
        doc.image.ResolutionX = 254.0f;
        doc.image.ResolutionY = 254.0f;
        CSource tx;
        tx.name = "Tx";
        tx.longitudinalApodization = "Hanning";
        tx.shearApodization = "Gaussian";
        tx.shearMode = 1;
        tx.curveArrayFlags = kArrayElementBlock | kArrayFocusingBlock;
        tx.element = {1, 0.5e-3f, 0.1e-3f};
        tx.focusing.delayLaw = 1;
        tx.focusing.a = {3.0f, 0.5f, 0.0f, 0.0f, 0.0f};
        tx.timeDelay = 2e-6f;
        ASSERT_TRUE(doc.AddItem(tx));
    }

    const CReceiver* Receiver(const std::string& name) {
        const int k = doc.Receivers().Find(name);
        return k < 0 ? nullptr : &doc.Receivers()[k];
    }
};

TEST_F(SourceEditorTest, PulseEchoAddsAReceiverThatFollowsTheSource) {
    CSourceEditor editor(doc, model);
    EXPECT_EQ(doc.DisplayCategory, "Sources");
    EXPECT_TRUE(editor.SetPulseEcho(left, true));
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_EQ(editor.Buffer().pulseEcho, 1);

    const CReceiver* echo = Receiver("Tx Echo");
    ASSERT_NE(echo, nullptr);
    ExpectSegment(SegmentOf(*echo), 0, 15 * mm, 0, 25 * mm);  // the source's own segment
    EXPECT_EQ(echo->longitudinalApodization, "Hanning");
    EXPECT_EQ(echo->shearApodization, "Gaussian");
    EXPECT_EQ(echo->curveArrayFlags, kArrayElementBlock | kArrayFocusingBlock);
    EXPECT_EQ(echo->element.grouping, 1);
    EXPECT_EQ(echo->element.gap, 0.1e-3f);
    EXPECT_EQ(echo->focusing.a[0], 3.0f);
    EXPECT_EQ(echo->longitudinalMode, 1);
    EXPECT_EQ(echo->shearMode, 1);
    // Array data has its place only in form 2.
    EXPECT_EQ(echo->form, CReceiver::kAdvancedForm);
    // Everything else is the receiver default.
    EXPECT_EQ(echo->outputFile, "");
    EXPECT_EQ(echo->averagedOnly, 1);
    EXPECT_EQ(echo->gainFactor, 1.0f);
    EXPECT_TRUE(doc.IsModified());

    // Setting it again adds nothing.
    EXPECT_TRUE(editor.SetPulseEcho(left, true));
    EXPECT_EQ(doc.Receivers().Count(), 1);
}

TEST_F(SourceEditorTest, ClearingPulseEchoAsksBeforeDeleting) {
    CSourceEditor editor(doc, model);
    ASSERT_TRUE(editor.SetPulseEcho(left, true));

    ui.answers = {MessageAnswer::No};
    EXPECT_TRUE(editor.SetPulseEcho(left, false));  // the box stays set
    EXPECT_EQ(ui.LastText(), "Receiver 'Tx Echo' will be deleted, continue?");
    EXPECT_EQ(ui.shown.back().style, MessageStyle::Question);
    EXPECT_NE(Receiver("Tx Echo"), nullptr);

    ui.answers = {MessageAnswer::Yes};
    EXPECT_FALSE(editor.SetPulseEcho(left, false));
    EXPECT_EQ(Receiver("Tx Echo"), nullptr);
    EXPECT_EQ(editor.Buffer().pulseEcho, 0);

    EXPECT_FALSE(editor.SetPulseEcho(left, false));
    EXPECT_EQ(ui.LastText(), "No Echo Receiver can be deleted");
}

TEST_F(SourceEditorTest, ThroughTransmissionMirrorsOntoTheOppositeSide) {
    CSourceEditor editor(doc, model);
    EXPECT_FALSE(editor.ThroughTransmission());
    const LocationFields offsetLeft{SideLocation::Left, 10.0, 5.0};  // (0, 10 mm)-(0, 20 mm)
    EXPECT_TRUE(editor.SetThroughTransmission(offsetLeft, true));
    const CReceiver* through = Receiver("Tx Through");
    ASSERT_NE(through, nullptr);
    // (W - x2, y2)-(W - x1, y1)
    ExpectSegment(SegmentOf(*through), 50 * mm, 20 * mm, 50 * mm, 10 * mm);
    EXPECT_EQ(through->shearApodization, "Gaussian");

    // A top source goes to the bottom: (x2, H - y2)-(x1, H - y1).
    ui.answers = {MessageAnswer::Yes};
    EXPECT_FALSE(editor.SetThroughTransmission(offsetLeft, false));
    EXPECT_EQ(ui.LastText(), "Receiver 'Tx Through' will be deleted, continue?");
    const LocationFields top{SideLocation::Top, 10.0, 5.0};  // (35 mm, 0)-(25 mm, 0)
    EXPECT_TRUE(editor.SetThroughTransmission(top, true));
    ExpectSegment(SegmentOf(*Receiver("Tx Through")), 25 * mm, 40 * mm, 35 * mm, 40 * mm);

    // A reopened editor finds the receiver and shows the box set.
    ASSERT_TRUE(editor.Apply(top));
    CSourceEditor again(doc, model);
    EXPECT_TRUE(again.ThroughTransmission());
    EXPECT_EQ(again.Location().location, SideLocation::Top);
}

TEST_F(SourceEditorTest, ThroughTransmissionNeedsAnEdge) {
    CSourceEditor editor(doc, model);
    const LocationFields advanced{SideLocation::Advanced, editor.Location().sizeMm, 0.0};
    EXPECT_FALSE(editor.SetThroughTransmission(advanced, true));
    EXPECT_EQ(ui.LastText(), "Source must be on one of the four edges");
    EXPECT_EQ(doc.Receivers().Count(), 0);
    EXPECT_FALSE(editor.SetThroughTransmission(advanced, false));
    EXPECT_EQ(ui.LastText(), "No Through Receiver can be deleted");
}

TEST_F(SourceEditorTest, ThroughReceiverUsesThePixelExtentOfTheImage) {
    // The side table works in the extent it is given; the mirror in the
    // image's pixels x 0.0254 / resolution (here 60 mm wide).
    doc.image.ImageWidth = 600;
    CSourceEditor editor(doc, model);
    ASSERT_TRUE(editor.SetThroughTransmission(left, true));
    ExpectSegment(SegmentOf(*Receiver("Tx Through")), 60 * mm, 25 * mm, 60 * mm, 15 * mm);
}

TEST_F(SourceEditorTest, DeletingASourceOffersToDeleteItsReceivers) {
    CSourceEditor editor(doc, model);
    ASSERT_TRUE(editor.SetPulseEcho(left, true));
    ASSERT_TRUE(editor.SetThroughTransmission(left, true));
    ASSERT_TRUE(doc.DeleteItem<CReceiver>("Tx Through"));  // gone behind the editor's back
    ui.shown.clear();
    ui.answers = {MessageAnswer::Yes, MessageAnswer::Yes};
    ASSERT_TRUE(editor.Delete(left));
    ASSERT_EQ(ui.shown.size(), 3u);
    EXPECT_EQ(ui.shown[0].text, "Are you sure you want to delete Source 'Tx'?");
    EXPECT_EQ(ui.shown[1].text, "Do you want to delete receiver \"Tx Echo\"?");
    EXPECT_EQ(ui.shown[2].text, "No Through Receiver can be deleted");
    EXPECT_EQ(doc.Sources().Count(), 0);
    EXPECT_EQ(doc.Receivers().Count(), 0);
}

TEST_F(SourceEditorTest, NoToTheSourceQuestionKeepsEverything) {
    CSourceEditor editor(doc, model);
    ASSERT_TRUE(editor.SetPulseEcho(left, true));
    ui.shown.clear();
    ui.answers = {MessageAnswer::No};
    EXPECT_FALSE(editor.Delete(left));
    EXPECT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(doc.Sources().Count(), 1);
    EXPECT_NE(Receiver("Tx Echo"), nullptr);
    // No to the receiver question keeps the receiver only.
    ui.answers = {MessageAnswer::Yes, MessageAnswer::No};
    ASSERT_TRUE(editor.Delete(left));
    EXPECT_EQ(doc.Sources().Count(), 0);
    EXPECT_NE(Receiver("Tx Echo"), nullptr);
}

TEST_F(SourceEditorTest, APointPressureSourceIsAppliedWithAWarning) {
    CSourceEditor editor(doc, model);
    editor.Buffer().pointSource = 1;
    editor.Buffer().signalType = 0;
    ASSERT_TRUE(editor.Apply(left));
    EXPECT_TRUE(ui.shown.empty());
    editor.Buffer().signalType = 1;
    ASSERT_TRUE(editor.Apply(left));
    EXPECT_EQ(ui.LastText(), "Warning:\nPoint source only works with Signal Type = displacement.");
    EXPECT_EQ(doc.Sources()[0].signalType, 1);
    ExpectSegment(SegmentOf(doc.Sources()[0]), 0, 15 * mm, 0, 25 * mm);
}

TEST_F(SourceEditorTest, AFullReceiverListLeavesPulseEchoOff) {
    for (int k = 0; k < 32; ++k) {
        CReceiver r;
        r.name = "R" + std::to_string(k);
        ASSERT_TRUE(doc.AddItem(r));
    }
    CSourceEditor editor(doc, model);
    EXPECT_FALSE(editor.SetPulseEcho(left, true));
    EXPECT_EQ(ui.LastText(), "No more Receiver can be added!");
    EXPECT_EQ(editor.Buffer().pulseEcho, 0);
}

// ------------------------------------------------------------ array editor

TEST(ArrayEditorTest, FocalLengthAndDeflectionAreStoredAsA0AndA1) {
    ArrayElementBlock element;
    ArrayFocusingBlock focusing;
    const double arrayLength = 10 * mm;
    ArrayFields f = ShowArrayFields(element, focusing, arrayLength);
    f.focalLengthMm = 30.0;
    f.deflectionDeg = 45.0;
    f.elementSizeMm = 0.5;
    f.elementSpacingMm = 0.6;
    ASSERT_TRUE(TakeArrayFields(f, arrayLength, element, focusing, nullptr));
    EXPECT_FLOAT_EQ(focusing.a[0], 3.0f);  // 30 mm over a 10 mm array
    EXPECT_FLOAT_EQ(focusing.a[1], 1.0f);  // tan 45 degrees
    EXPECT_FLOAT_EQ(element.size, 0.5e-3f);
    EXPECT_NEAR(element.gap, 0.1e-3, 1e-9);

    const ArrayFields back = ShowArrayFields(element, focusing, arrayLength);
    EXPECT_NEAR(back.focalLengthMm, 30.0, 1e-5);
    EXPECT_NEAR(back.deflectionDeg, 45.0, 1e-5);
    EXPECT_NEAR(back.elementSpacingMm, 0.6, 1e-6);

    // Manual edits the coefficients as they are; an array without length
    // keeps its focal value.
    f.automatic = false;
    f.a[2] = -7.0;
    ASSERT_TRUE(TakeArrayFields(f, arrayLength, element, focusing, nullptr));
    EXPECT_EQ(focusing.lawSelector, 0);
    EXPECT_EQ(focusing.a[2], -7.0f);
    f.automatic = true;
    f.focalLengthMm = 99.0;
    focusing.a[0] = 3.0f;
    ASSERT_TRUE(TakeArrayFields(f, 0.0, element, focusing, nullptr));
    EXPECT_EQ(focusing.a[0], 3.0f);

    // 90 degrees has no tangent.
    f.deflectionDeg = 90.0;
    int refused = 0;
    EXPECT_FALSE(TakeArrayFields(f, arrayLength, element, focusing, [&refused](const std::string&, MessageStyle) {
        ++refused;
        return MessageAnswer::Ok;
    }));
    EXPECT_EQ(refused, 1);
    EXPECT_FLOAT_EQ(focusing.a[1], 1.0f);
}

// --------------------------------------------------------- receiver editor

TEST(ReceiverAdvancedTest, GainIsDecibelsOfTheLinearFactor) {
    EXPECT_FLOAT_EQ(GainFactorFromDb(20.0), 10.0f);
    EXPECT_FLOAT_EQ(GainFactorFromDb(-40.0), 0.01f);
    EXPECT_EQ(GainFactorFromDb(0.0), 1.0f);
    EXPECT_NEAR(GainDbFromFactor(2.0), 6.0206, 1e-4);
    EXPECT_EQ(GainDbFromFactor(0.0), 0.0);  // no level for a factor that is not positive
    EXPECT_FLOAT_EQ(SecondsFromMicroseconds(12.5), 12.5e-6f);
    EXPECT_DOUBLE_EQ(MicrosecondsFromSeconds(3e-6), 3.0);
}

TEST(ReceiverAdvancedTest, FormTwoOnlyWhenAnAdvancedValueIsSet) {
    CReceiver r;
    ReceiverAdvancedFields f = ShowReceiverAdvanced(r);
    ASSERT_TRUE(TakeReceiverAdvanced(f, r, nullptr));
    EXPECT_EQ(r.form, CReceiver::kPlainForm);

    const auto formWith = [&](void (*change)(ReceiverAdvancedFields&)) {
        CReceiver record;
        ReceiverAdvancedFields fields = ShowReceiverAdvanced(record);
        change(fields);
        EXPECT_TRUE(TakeReceiverAdvanced(fields, record, nullptr));
        return record.form;
    };
    EXPECT_EQ(formWith([](ReceiverAdvancedFields& x) { x.gainDb = 6.0; }), CReceiver::kAdvancedForm);
    EXPECT_EQ(formWith([](ReceiverAdvancedFields& x) { x.blankingUs = 1.0; }), CReceiver::kAdvancedForm);
    EXPECT_EQ(formWith([](ReceiverAdvancedFields& x) { x.durationUs = 20.0; }), CReceiver::kAdvancedForm);
    EXPECT_EQ(formWith([](ReceiverAdvancedFields& x) { x.receiverArray = true; }), CReceiver::kAdvancedForm);
    EXPECT_EQ(formWith([](ReceiverAdvancedFields& x) { x.damping = 0.5; }), CReceiver::kAdvancedForm);
    EXPECT_EQ(formWith([](ReceiverAdvancedFields& x) { x.averagedOnly = false; }), CReceiver::kPlainForm);

    // Back to plain values: form 1 again, and "Receiver Array" off clears
    // the array flags.
    r.curveArrayFlags = kArrayFocusingBlock;
    r.gainFactor = 10.0f;
    f = ShowReceiverAdvanced(r);
    EXPECT_TRUE(f.receiverArray);
    EXPECT_NEAR(f.gainDb, 20.0, 1e-5);
    f.receiverArray = false;
    f.gainDb = 0.0;
    ASSERT_TRUE(TakeReceiverAdvanced(f, r, nullptr));
    EXPECT_EQ(r.form, CReceiver::kPlainForm);
    EXPECT_EQ(r.curveArrayFlags, 0);
    EXPECT_EQ(r.gainFactor, 1.0f);
}

TEST(ReceiverAdvancedTest, EditorRefusesBadFieldsAndNeedsAnItem) {
    CElixDoc doc;
    test::ScriptedUserInterface ui;
    doc.SetUserInterface(&ui);
    CReceiverEditor editor(doc, {50 * mm, 40 * mm});
    EXPECT_FALSE(editor.OpenAdvanced());
    EXPECT_EQ(ui.LastText(), "Please add receiver before checking this option.");

    CReceiver r;
    r.name = "Rx";
    r.outputFile = "rx.txt";
    ASSERT_TRUE(doc.AddItem(r));
    editor.Load();
    EXPECT_TRUE(editor.OpenAdvanced());
    EXPECT_TRUE(editor.SaveToFile());
    ReceiverAdvancedFields f = ShowReceiverAdvanced(editor.Buffer());
    f.blankingUs = -1.0;
    EXPECT_FALSE(editor.TakeAdvanced(f));
    EXPECT_EQ(ui.LastText(), "Please enter a number between 0 and 1e+20.");
    EXPECT_EQ(editor.Buffer().blanking, 0.0f);
    f.blankingUs = 5.0;
    f.endPoints = {50.0, 30.0, 50.0, 20.0};
    ASSERT_TRUE(editor.TakeAdvanced(f));
    EXPECT_FLOAT_EQ(editor.Buffer().blanking, 5e-6f);
    EXPECT_EQ(editor.Location().location, SideLocation::Right);
    EXPECT_NEAR(editor.Location().offsetMm, 5.0, 1e-4);
    ASSERT_TRUE(editor.Apply(editor.Location()));
    EXPECT_EQ(doc.Receivers()[0].form, CReceiver::kAdvancedForm);
    ExpectSegment(SegmentOf(doc.Receivers()[0]), 50 * mm, 30 * mm, 50 * mm, 20 * mm);
}

}  // namespace
}  // namespace elix

#include "engine/model_check.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "engine_test_support.h"
#include "geometry/working_image.h"
#include "model/elix_doc.h"
#include "platform/text_format.h"

namespace elix {
namespace {

constexpr double kMm = 1e-3;

// A plate of 20 mm x 10 mm (200 x 100 pixels at 10 pixels per mm) of one
// material with vL = 6000 m/s and vT = 3000 m/s; Duration 10 us.
// With MinWaveLength 1 mm and 8 points per cycle: hx = 0.125 mm,
// dt = hx / sqrt(6000^2 + 3000^2) * 0.95.
void MakePlate(CElixDoc& doc) {
    test::SetImage(doc, 200, 100, 0, 10.0);
    ASSERT_TRUE(doc.AddItem(test::Material("Steel", 0, 7800.0, 6000.0, 3000.0)));
    doc.job.MinWaveLength = 1e-3f;
    doc.job.PointPerCycle = 8;
    doc.job.Duration = 1e-5f;
}

// A segment item (condition, source or receiver) from its end points in metres.
template <class Item>
Item Segment(const std::string& name, double x1, double y1, double x2, double y2) {
    Item item;
    item.name = name;
    item.x1 = static_cast<float>(x1);
    item.y1 = static_cast<float>(y1);
    item.x2 = static_cast<float>(x2);
    item.y2 = static_cast<float>(y2);
    return item;
}
const auto Condition = Segment<CBoundaryCondition>;
const auto Source = Segment<CSource>;
const auto Receiver = Segment<CReceiver>;

const std::string kRigidBoth = "Warning: There may be rigid body motion in x y direction(s).";
const std::string kRigidX = "Warning: There may be rigid body motion in x direction(s).";
const std::string kRigidY = "Warning: There may be rigid body motion in y direction(s).";

// ---------------------------------------------------------------- rigid body

TEST(ModelCheckRigidBodyTest, NothingHeldLeavesBothDirectionsFree) {
    CElixDoc doc;
    EXPECT_EQ(RigidBodyWarning(doc), kRigidBoth);
}

TEST(ModelCheckRigidBodyTest, ObliqueContinuousSourceForTheWholeRunHoldsBoth) {
    CElixDoc doc;
    doc.job.Duration = 1e-5f;
    CSource source = Source("Oblique", 0.0, 0.0, 5 * kMm, 5 * kMm);  // 45 degrees: class 0
    source.longitudinalTimeFunction = "Sine Continuous";
    source.longitudinalDuration = 1e-5f;  // = Duration
    ASSERT_TRUE(doc.AddItem(source));
    EXPECT_EQ(RigidBodyWarning(doc), "");

    // Ending before the simulation does, it lets the model go.
    source.longitudinalDuration = 0.5e-5f;
    ASSERT_TRUE(doc.ModifyCurrentItem(source));
    EXPECT_EQ(RigidBodyWarning(doc), kRigidBoth);

    // The shear component alone, long enough, holds both as well.
    source.shearMode = 1;
    source.shearDuration = 2e-5f;
    ASSERT_TRUE(doc.ModifyCurrentItem(source));
    EXPECT_EQ(RigidBodyWarning(doc), "");

    // A component that is off holds nothing, however long.
    source.shearMode = 0;
    source.longitudinalMode = 0;
    source.longitudinalDuration = 1.0f;
    ASSERT_TRUE(doc.ModifyCurrentItem(source));
    EXPECT_EQ(RigidBodyWarning(doc), kRigidBoth);
}

TEST(ModelCheckRigidBodyTest, AxisAlignedConditionsHoldOneDirectionPerComponent) {
    CElixDoc doc;
    // The left side (vertical segment): normal along x.
    CBoundaryCondition left = Condition("Left", 0.0, 0.0, 0.0, 10 * kMm);
    left.longitudinalFixed = 1;
    left.shearFixed = 0;
    ASSERT_TRUE(doc.AddItem(left));
    EXPECT_EQ(RigidBodyWarning(doc), kRigidY);
    left.longitudinalFixed = 0;
    left.shearFixed = 1;  // shear along a vertical segment holds y
    ASSERT_TRUE(doc.ModifyCurrentItem(left));
    EXPECT_EQ(RigidBodyWarning(doc), kRigidX);

    // The top side (horizontal): normal along y; its longitudinal
    // component holds y and its shear component x.
    CElixDoc top;
    CBoundaryCondition edge = Condition("Top", 20 * kMm, 0.0, 0.0, 0.0);
    edge.longitudinalFixed = 1;
    ASSERT_TRUE(top.AddItem(edge));
    EXPECT_EQ(RigidBodyWarning(top), kRigidX);
    CBoundaryCondition slide = Condition("Slide", 0.0, 10 * kMm, 20 * kMm, 10 * kMm);
    slide.longitudinalFixed = 0;
    slide.shearFixed = 1;
    ASSERT_TRUE(top.AddItem(slide));
    EXPECT_EQ(RigidBodyWarning(top), "");
}

TEST(ModelCheckRigidBodyTest, ConditionsReleasedBeforeTheEndDoNotHold) {
    CElixDoc doc;
    doc.job.Duration = 2e-5f;
    CBoundaryCondition bc = Condition("Clamp", 0.0, 0.0, 3 * kMm, 4 * kMm);  // oblique
    bc.longitudinalFixed = 1;
    bc.activeInDurationOnly = 1;
    bc.longitudinalDuration = 1e-5f;
    ASSERT_TRUE(doc.AddItem(bc));
    EXPECT_EQ(RigidBodyWarning(doc), kRigidBoth);
    bc.longitudinalDuration = 2e-5f;  // released only at the end: holds
    ASSERT_TRUE(doc.ModifyCurrentItem(bc));
    EXPECT_EQ(RigidBodyWarning(doc), "");
    bc.longitudinalDuration = 1e-5f;
    bc.activeInDurationOnly = 0;  // never released: the duration does not matter
    ASSERT_TRUE(doc.ModifyCurrentItem(bc));
    EXPECT_EQ(RigidBodyWarning(doc), "");
}

TEST(ModelCheckRigidBodyTest, SourceNormalToXWithLongShearHoldsY) {
    CElixDoc doc;
    doc.job.Duration = 1e-5f;
    CSource source = Source("Side", 0.0, 2 * kMm, 0.0, 8 * kMm);
    source.longitudinalMode = 0;
    source.shearMode = 1;
    source.shearDuration = 1e-4f;
    ASSERT_TRUE(doc.AddItem(source));
    EXPECT_EQ(RigidBodyWarning(doc), kRigidX);
}

// --------------------------------------------------------------- zero length

TEST(ModelCheckZeroLengthTest, ItemsOffTheImageAreRefusedByKind) {
    CElixDoc doc;
    MakePlate(doc);  // 20 mm x 10 mm
    std::string message;
    EXPECT_TRUE(CheckZeroLengths(doc, message));

    // A condition wholly to the right of the image.
    ASSERT_TRUE(doc.AddItem(Condition("Far", 25 * kMm, 1 * kMm, 30 * kMm, 1 * kMm)));
    EXPECT_FALSE(CheckZeroLengths(doc, message));
    EXPECT_EQ(message,
              "BC 'Far' has zero length. Please use 'Boundary Condition' command under Elix menu to change its size.");
    // An inactive (released) condition is not examined.
    doc.BoundaryConditions()[0].active = false;
    EXPECT_TRUE(CheckZeroLengths(doc, message));

    // A source drawn as a point.
    ASSERT_TRUE(doc.AddItem(Source("Dot", 5 * kMm, 5 * kMm, 5 * kMm, 5 * kMm)));
    EXPECT_FALSE(CheckZeroLengths(doc, message));
    EXPECT_EQ(message,
              "Source 'Dot' has zero length. Please use 'Source Configuration' command under Elix menu to change its "
              "size.");
    doc.Sources()[0].active = false;
    EXPECT_TRUE(CheckZeroLengths(doc, message));

    // A receiver crossing the top-right corner outside the image: it
    // passes above and to the right of (20 mm, 0).
    ASSERT_TRUE(doc.AddItem(Receiver("Corner", 15 * kMm, -6 * kMm, 26 * kMm, 5 * kMm)));
    EXPECT_FALSE(CheckZeroLengths(doc, message));
    EXPECT_EQ(message,
              "Receiver 'Corner' has zero length. Please use 'Receiver Configuration' command under Elix menu to "
              "change its size.");
}

TEST(ModelCheckZeroLengthTest, ItemsOnOrAcrossTheEdgesKeepTheirLength) {
    CElixDoc doc;
    MakePlate(doc);
    // Along the top and left edges, and one crossing the image from outside.
    ASSERT_TRUE(doc.AddItem(Condition("Top", 20 * kMm, 0.0, 0.0, 0.0)));
    ASSERT_TRUE(doc.AddItem(Condition("Left", 0.0, 0.0, 0.0, 10 * kMm)));
    ASSERT_TRUE(doc.AddItem(Receiver("Across", -5 * kMm, 5 * kMm, 5 * kMm, 5 * kMm)));
    // On the bottom and right edges with float coordinates a hair outside
    // (0.01f rounds to 0.0099999998; its next float is 0.0100000007).
    const float bottom = std::nextafter(0.01f, 1.0f), right = std::nextafter(0.02f, 1.0f);
    ASSERT_GT(static_cast<double>(bottom), 0.01);
    CSource onBottom = Source("Bottom", 2 * kMm, 0.0, 8 * kMm, 0.0);
    onBottom.y1 = onBottom.y2 = bottom;
    ASSERT_TRUE(doc.AddItem(onBottom));
    CReceiver onRight = Receiver("Right", 0.0, 10 * kMm, 0.0, 0.0);
    onRight.x1 = onRight.x2 = right;
    ASSERT_TRUE(doc.AddItem(onRight));
    std::string message;
    EXPECT_TRUE(CheckZeroLengths(doc, message)) << message;

    // Clearly below the bottom edge (10 um = 1e-3 of the height) it is off.
    doc.Sources()[0].y1 = doc.Sources()[0].y2 = 0.01001f;
    EXPECT_FALSE(CheckZeroLengths(doc, message));
    EXPECT_EQ(message.rfind("Source 'Bottom' has zero length.", 0), 0u) << message;
}

TEST(ModelCheckZeroLengthTest, CoordinatesThatAreNotNumbersAreRefused) {
    CElixDoc doc;
    MakePlate(doc);
    CReceiver broken = Receiver("Broken", 1 * kMm, 1 * kMm, 2 * kMm, 1 * kMm);
    broken.x2 = std::numeric_limits<float>::quiet_NaN();
    ASSERT_TRUE(doc.AddItem(broken));
    std::string message;
    EXPECT_FALSE(CheckZeroLengths(doc, message));
    EXPECT_EQ(message.rfind("Receiver 'Broken' has zero length.", 0), 0u) << message;
}

// --------------------------------------------------------------- array check

// A 6 mm array on the top edge from x = 2 mm to 8 mm: five 1 mm elements
// at a 1.25 mm pitch (centres 0.5, 1.75, 3, 4.25, 5.5 mm along it, that is
// 2.5 and 1.25 mm either side of the middle, and the middle), steered 30
// degrees, longitudinal only.
CSource PhasedArray(const std::string& name) {
    CSource source = Source(name, 2 * kMm, 0.0, 8 * kMm, 0.0);
    source.curveArrayFlags = kArrayElementBlock | kArrayFocusingBlock;
    source.element.grouping = 1;
    source.element.size = 1e-3f;
    source.element.gap = 0.25e-3f;
    source.focusing.delayLaw = 1;
    source.focusing.lawSelector = 1;
    source.focusing.regionGrayLevel = 0;
    source.focusing.a[1] = static_cast<float>(std::tan(30.0 * 3.14159265358979323846 / 180.0));
    return source;
}

TEST(ModelCheckArrayTest, FrontAndBackDelaysOfASteeredArray) {
    CElixDoc doc;
    MakePlate(doc);
    doc.job.PointPerCycle = 10;  // hx = 0.1 mm
    const double dt = 0.1e-3 / std::sqrt(6000.0 * 6000.0 + 3000.0 * 3000.0) * 0.95;
    CRunGeometry geometry;
    std::string error;
    ASSERT_TRUE(ComputeRunGeometry(doc, geometry, error)) << error;
    ASSERT_NEAR(geometry.dt, dt, dt * 1e-6);

    // sin 30 / (vL dt) = 5.884 steps per mm of offset. The outer element
    // centres (+-2.5 mm) are 14.71 steps: +15 after rounding, -14 on the
    // early side (truncation towards zero); the aperture ends (+-3 mm,
    // +-17.65 steps) give 18 and -17, so centring adds -(18 - 17)/2 = 0.
    double front = 0.0, back = 0.0;
    ASSERT_TRUE(SourceArrayTimeDelays(doc, geometry, PhasedArray("Phased"), front, back, error)) << error;
    EXPECT_NEAR(front, 15 * dt, 1e-3 * dt);
    EXPECT_NEAR(back, 14 * dt, 1e-3 * dt);
    EXPECT_EQ(ArrayTimeDelayText(front, back),
              Format("Array Time Delay:\nFront = %f(us), Back = %f(us).", front * 1e6, back * 1e6));

    // The shear mode instead: vT = 3000 m/s doubles the steps: +-29.42 at
    // the outer centres give 29 and -28, +-35.31 at the ends 35 and -34, so
    // centring adds -(35 - 34)/2 = 0 again.
    CSource shear = PhasedArray("Shear");
    shear.longitudinalMode = 0;
    shear.shearMode = 1;
    ASSERT_TRUE(SourceArrayTimeDelays(doc, geometry, shear, front, back, error)) << error;
    EXPECT_NEAR(front, 29 * dt, 1e-3 * dt);
    EXPECT_NEAR(back, 28 * dt, 1e-3 * dt);
}

TEST(ModelCheckArrayTest, DelaySettingsBelowTheComputedOnesWarnOfTruncation) {
    CElixDoc doc;
    MakePlate(doc);
    doc.job.PointPerCycle = 10;
    CRunGeometry geometry;
    std::string text;
    ASSERT_TRUE(ComputeRunGeometry(doc, geometry, text)) << text;
    CSource array = PhasedArray("Phased");
    double front = 0.0, back = 0.0;
    ASSERT_TRUE(SourceArrayTimeDelays(doc, geometry, array, front, back, text));
    ASSERT_GT(front, 0.0);
    ASSERT_GT(back, 0.0);

    // Settings equal to the computed delays (as the float the record holds).
    array.frontDelay = static_cast<float>(front);
    array.backDelay = static_cast<float>(back);
    ASSERT_TRUE(doc.AddItem(array));
    EXPECT_TRUE(CheckSourceReceiverArrays(doc, geometry, text));
    EXPECT_EQ(text, "");

    // One step short at the front.
    doc.Sources()[0].frontDelay = static_cast<float>(front - geometry.dt);
    EXPECT_TRUE(CheckSourceReceiverArrays(doc, geometry, text));
    const std::string note = "Please check 'Array Time Delay' in 'Source Configuration'.\n\n";
    EXPECT_EQ(text, "Warning: Source array 'Phased' signal may be truncated.\n" + note);

    // Short at the back only, and a second array with no settings at all:
    // one warning each, one note.
    doc.Sources()[0].frontDelay = static_cast<float>(front);
    doc.Sources()[0].backDelay = static_cast<float>(back * 0.5);
    ASSERT_TRUE(doc.AddItem(PhasedArray("Second")));
    EXPECT_TRUE(CheckSourceReceiverArrays(doc, geometry, text));
    EXPECT_EQ(text,
              "Warning: Source array 'Phased' signal may be truncated.\n"
              "Warning: Source array 'Second' signal may be truncated.\n" +
                  note);

    // An array whose region gray level has no material cannot be checked.
    doc.Sources()[1].focusing.regionGrayLevel = 77;
    EXPECT_FALSE(CheckSourceReceiverArrays(doc, geometry, text));
    EXPECT_EQ(text, "No material is defined for gray level 77 in source 'Second'.");
}

const std::string kPressureNotes =
    "Note: Pressure Source can only simulate longitudinal mode, must face x or y axis and no point source.\n"
    "Please use 'Source Configration' command under Elix menu to make change(s).\n";

TEST(ModelCheckArrayTest, PressureSourceAt45DegreesFails) {
    CElixDoc doc;
    MakePlate(doc);
    CRunGeometry geometry;
    std::string text;
    ASSERT_TRUE(ComputeRunGeometry(doc, geometry, text));
    CSource pressure = Source("Pusher", 1 * kMm, 1 * kMm, 4 * kMm, 4 * kMm);
    pressure.signalType = 1;
    ASSERT_TRUE(doc.AddItem(pressure));
    EXPECT_FALSE(CheckSourceReceiverArrays(doc, geometry, text));
    EXPECT_EQ(text, "Error: Pressure source 'Pusher' is not facing x or y axis.\n" + kPressureNotes);

    // Facing y (on the top edge, from 1 to 4 mm), longitudinal only: accepted.
    doc.Sources()[0].y1 = doc.Sources()[0].y2 = 0.0f;
    EXPECT_TRUE(CheckSourceReceiverArrays(doc, geometry, text));
    EXPECT_EQ(text, "");
    // Nearly facing x: |cos| = 0.99995 >= 0.9999 is still along the axis.
    doc.Sources()[0].x1 = 0.0f;
    doc.Sources()[0].y1 = 0.0f;
    doc.Sources()[0].x2 = 0.1e-3f;
    doc.Sources()[0].y2 = 10e-3f;
    EXPECT_TRUE(CheckSourceReceiverArrays(doc, geometry, text)) << text;
}

TEST(ModelCheckArrayTest, PressureSourceErrorsAreGatheredInOrder) {
    CElixDoc doc;
    MakePlate(doc);
    CRunGeometry geometry;
    std::string text;
    ASSERT_TRUE(ComputeRunGeometry(doc, geometry, text));
    // A truncated array first: its warning stays at the head of the text.
    ASSERT_TRUE(doc.AddItem(PhasedArray("Phased")));
    CSource pressure = Source("Pusher", 0.0, 1 * kMm, 0.0, 4 * kMm);  // facing x
    pressure.signalType = 1;
    pressure.shearMode = 1;
    pressure.pointSource = 1;
    ASSERT_TRUE(doc.AddItem(pressure));
    // An array source with both modes is not examined once pressure fails.
    CSource both = PhasedArray("Both");
    both.shearMode = 1;
    both.frontDelay = both.backDelay = 1.0f;
    ASSERT_TRUE(doc.AddItem(both));
    EXPECT_FALSE(CheckSourceReceiverArrays(doc, geometry, text));
    EXPECT_EQ(text,
              "Warning: Source array 'Phased' signal may be truncated.\n"
              "Please check 'Array Time Delay' in 'Source Configuration'.\n\n"
              "Error: Pressure source 'Pusher' is not able to work in shear mode.\n"
              "Error: Pressure source 'Pusher' can't work with point source.\n" +
                  kPressureNotes);
}

TEST(ModelCheckArrayTest, ArraysSimulatingBothModesFail) {
    CElixDoc doc;
    MakePlate(doc);
    CRunGeometry geometry;
    std::string text;
    ASSERT_TRUE(ComputeRunGeometry(doc, geometry, text));
    // A plain receiver records both modes freely (the default).
    ASSERT_TRUE(doc.AddItem(Receiver("Plain", 0.0, 10 * kMm, 5 * kMm, 10 * kMm)));
    EXPECT_TRUE(CheckSourceReceiverArrays(doc, geometry, text));

    CSource both = PhasedArray("Dual");
    both.shearMode = 1;
    both.frontDelay = both.backDelay = 1.0f;  // long enough: no truncation warning
    ASSERT_TRUE(doc.AddItem(both));
    CReceiver arrayReceiver = Receiver("Listener", 0.0, 10 * kMm, 5 * kMm, 10 * kMm);
    arrayReceiver.curveArrayFlags = kArrayElementBlock;
    ASSERT_TRUE(doc.AddItem(arrayReceiver));
    const std::string notes =
        "Note: Source array and Receiver array can only simulate either longitudinal or shear mode.\n"
        "Please use 'Source Configration' and/or 'Receiver Configuration' command under Elix menu to make "
        "change(s).\n";
    EXPECT_FALSE(CheckSourceReceiverArrays(doc, geometry, text));
    EXPECT_EQ(text,
              "Error: Source array 'Dual' trys to simulate both longitudinal and shear mode.\n"
              "Error: Receiver array 'Listener' trys to simulate both longitudinal and shear mode.\n" +
                  notes);

    // One mode each: accepted.
    doc.Sources()[0].shearMode = 0;
    doc.Receivers()[1].longitudinalMode = 0;
    EXPECT_TRUE(CheckSourceReceiverArrays(doc, geometry, text)) << text;
}

// --------------------------------------------------------------- Check Model

MemoryStatus Plenty() {
    return {std::uint64_t{1} << 40, std::uint64_t{1} << 40};
}

TEST(ModelCheckCommandTest, ModelDataOfAHandComputedPlate) {
    CElixDoc doc;
    MakePlate(doc);
    doc.ImageFileName = "plate.pcx";
    // dt = 0.125 mm / 6708.2 m/s * 0.95 = 17.70 ns; 10 us / dt = 564.9
    // steps, rounded to 565. A pixel is 0.1 mm, a cell 0.125 mm: 0.8 cells
    // per pixel. The grid is 160 x 80 cells.
    const CheckModelResult result = CheckModel(doc, Plenty());
    ASSERT_TRUE(result.performed);
    ASSERT_TRUE(result.ok) << result.message;
    EXPECT_EQ(result.data.hx, "0.1250mm");
    EXPECT_EQ(result.data.hy, "0.1250mm");
    EXPECT_EQ(result.data.dt, "0.0177us");
    EXPECT_EQ(result.data.width, "200 (20.00mm)");
    EXPECT_EQ(result.data.height, "100 (10.00mm)");
    EXPECT_EQ(result.data.totalStep, "565 (10.00us)");
    EXPECT_EQ(result.data.gridPerPixel, "0.8000");
    EXPECT_EQ(result.data.imageFile, "plate.pcx");
    EXPECT_EQ(result.data.memoryText, "Check Memory completed.");
    EXPECT_EQ(result.data.warnings, kRigidBoth);
    EXPECT_EQ(result.data.TextBox(), "Check Memory completed.\n" + kRigidBoth);
    EXPECT_EQ(doc.MessageText(), "Check Memory completed.");
}

TEST(ModelCheckCommandTest, MemoryShortageIsOnlyAWarningOutsideARun) {
    CElixDoc doc;
    MakePlate(doc);
    // Held model: a clamped left side and a sliding top hold x and y.
    CBoundaryCondition left = Condition("Left", 0.0, 0.0, 0.0, 10 * kMm);
    CBoundaryCondition top = Condition("Top", 20 * kMm, 0.0, 0.0, 0.0);
    ASSERT_TRUE(doc.AddItem(left));
    ASSERT_TRUE(doc.AddItem(top));
    // 161 x 81 nodes x 32 bytes = 417312 bytes needed; 100000 in RAM.
    const MemoryStatus tight{100000, std::uint64_t{1} << 40};
    CheckModelResult result = CheckModel(doc, tight);
    ASSERT_TRUE(result.ok) << result.message;
    EXPECT_EQ(result.data.warnings, "");
    EXPECT_EQ(result.data.TextBox(), "Warning: This model needs 309Kb more RAM to avoid using virtual memory.\n");
    // Not even the address space: reported, and the dialog still opens.
    result = CheckModel(doc, MemoryStatus{100000, 200000});
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.data.memoryText, "Error: This model needs 212Kb more memory.\n");
}

TEST(ModelCheckCommandTest, ArrayNotesJoinTheWarnings) {
    CElixDoc doc;
    MakePlate(doc);
    ASSERT_TRUE(doc.AddItem(PhasedArray("Phased")));
    const CheckModelResult result = CheckModel(doc, Plenty());
    ASSERT_TRUE(result.ok) << result.message;
    EXPECT_EQ(result.data.warnings, kRigidBoth +
                                        "\nWarning: Source array 'Phased' signal may be truncated.\n"
                                        "Please check 'Array Time Delay' in 'Source Configuration'.\n\n");
}

TEST(ModelCheckCommandTest, FailuresLeaveTheirMessage) {
    CElixDoc noMaterial;
    test::SetImage(noMaterial, 10, 10, 0, 10.0);
    CheckModelResult result = CheckModel(noMaterial, Plenty());
    EXPECT_TRUE(result.performed);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message,
              "Error: No material property is defined!. Please use 'Material Property' command under Elix menu to "
              "add materials.");
    EXPECT_EQ(noMaterial.MessageText(), result.message);

    CElixDoc pressure;
    MakePlate(pressure);
    CSource source = Source("Pusher", 1 * kMm, 1 * kMm, 4 * kMm, 4 * kMm);
    source.signalType = 1;
    ASSERT_TRUE(pressure.AddItem(source));
    result = CheckModel(pressure, Plenty());
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, "Error: Pressure source 'Pusher' is not facing x or y axis.\n" + kPressureNotes);

    // No geometry at all: the message of loading the working image.
    CElixDoc empty;
    ASSERT_TRUE(empty.AddItem(test::Material("Steel", 0, 7800.0, 6000.0, 3000.0)));
    result = CheckModel(empty, Plenty());
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, kNoImageLoadedText);
}

TEST(ModelCheckCommandTest, NothingHappensDuringARun) {
    CElixDoc doc;
    MakePlate(doc);
    doc.SetMessageText("step 12");
    doc.SetRunning(true);
    const CheckModelResult result = CheckModel(doc, Plenty());
    EXPECT_FALSE(result.performed);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(doc.MessageText(), "step 12");
}

}  // namespace
}  // namespace elix

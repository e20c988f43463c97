#include "engine/array_law.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "engine/segment_points.h"
#include "engine_test_support.h"
#include "model/elix_doc.h"

namespace elix {
namespace {

constexpr double kMm = 1e-3;
constexpr double kPi = 3.14159265358979323846;

// A 20 mm aperture in a material with vL = 5000 m/s and vT = 2500 m/s,
// dt = 10 ns: one step of delay is 50 um of longitudinal path (25 um of
// shear path). The item's normal is +x.
ArrayLawInput BaseInput() {
    ArrayLawInput in;
    in.length = 20 * kMm;
    in.vL = 5000.0;
    in.vT = 2500.0;
    in.dt = 1e-8;
    in.modeL = true;
    in.modeT = false;
    in.focusing.delayLaw = 1;
    in.focusing.lawSelector = 1;
    return in;
}

ArrayLawInput Steering(double degrees) {
    ArrayLawInput in = BaseInput();
    in.focusing.a[1] = static_cast<float>(std::tan(degrees * kPi / 180.0));
    return in;
}

TEST(ArrayLawDelayTest, SteeringGivesLinearDelaysWithSlopeSinThetaOverVDt) {
    // 30 degrees: sin = 0.5, so the path grows by 0.5 mm per mm along the
    // aperture, that is 0.5e-3 / 5000 / 1e-8 = 10 steps per mm.
    const CArrayLaw law(Steering(30.0));
    const double stepsPerMm = 0.5 * kMm / 5000.0 / 1e-8;
    // Past the centre the offset x = s - 10 mm is positive and each
    // delay is the nearest whole step of x sin(theta) / (v dt).
    for (int k = 1; k <= 20; ++k) {
        const double x = 0.5 * k * kMm;
        EXPECT_EQ(law.DelayL(10 * kMm + x), static_cast<int>(std::lround(x / kMm * stepsPerMm))) << "x = " << x;
    }
    // Before the centre the slope is the same: consecutive samples 0.5 mm
    // apart differ by 5 steps.
    for (int k = 1; k < 20; ++k) {
        const double s = 0.5 * k * kMm;
        EXPECT_EQ(law.DelayL(s) - law.DelayL(s - 0.5 * kMm), 5) << "s = " << s;
    }
    // The ends: x = -10 mm is -100 steps before rounding; the rounding
    // truncates (-99.5 becomes -99). The range -99..100 is already centred
    // (-(-99 + 100)/2 = 0 in integer arithmetic).
    EXPECT_EQ(law.DelayL(0.0), -99);
    EXPECT_EQ(law.DelayL(20 * kMm), 100);
    // The shear component is off: no delay.
    EXPECT_EQ(law.DelayT(20 * kMm), 0);
}

TEST(ArrayLawDelayTest, NegativeSteeringMirrorsTheLaw) {
    const CArrayLaw up(Steering(20.0)), down(Steering(-20.0));
    for (double s : {1.3, 4.0, 8.7, 12.2, 17.9}) {
        // Mirrored in s about the centre, with the sign of the truncation
        // moving by at most one step.
        EXPECT_NEAR(down.DelayL(s * kMm), up.DelayL((20.0 - s) * kMm), 1) << s;
        EXPECT_LT(down.DelayL(s * kMm), down.DelayL((s - 1.0) * kMm));
    }
}

TEST(ArrayLawDelayTest, FocusedDelaysAreSymmetricAboutTheCentre) {
    ArrayLawInput in = BaseInput();
    in.focusing.a[0] = 1.0f;  // focal length = 1 x the aperture: D = 2 phi H = 20 mm
    const CArrayLaw law(in);
    for (double s : {0.0, 0.7, 2.5, 4.1, 6.6, 9.3}) {
        EXPECT_EQ(law.DelayL(s * kMm), law.DelayL((20.0 - s) * kMm)) << s;
    }
    // The path from the edge (x = 10 mm off axis) to the focus is
    // sqrt(10^2 + 20^2) = 22.36 mm, 2.36 mm longer than from the centre:
    // 47.2 steps earlier, truncated to -46; the centre is 0. Centring adds
    // -(-46 + 0)/2 = 23, so the edges fire at -23 and the centre at +23.
    EXPECT_EQ(law.DelayL(0.0), -23);
    EXPECT_EQ(law.DelayL(10 * kMm), 23);
    // Delays rise monotonically from the edge to the centre.
    for (double s = 0.5; s <= 10.0; s += 0.5) EXPECT_GE(law.DelayL(s * kMm), law.DelayL((s - 0.5) * kMm)) << s;
}

TEST(ArrayLawDelayTest, FocusedAndSteeredDelaysFollowThePathToTheFocus) {
    // Focus 20 mm away along a 30 degree axis: (17.32, 10) mm from the
    // centre in (normal, along) coordinates. The far end of the aperture
    // (x = +10 mm) is sqrt(10^2 + 20^2 - 2 10 20 0.5) = 17.32 mm from it,
    // 2.68 mm closer than the centre (53.6 steps, rounded to 54); the near
    // end (x = -10 mm) sqrt(700) = 26.46 mm, 6.46 mm farther (-129.2
    // steps, truncated to -128). The path term peaks at x = D sin(theta) =
    // +10 mm, so the spread is -128..54 and centring adds 37.
    ArrayLawInput in = Steering(30.0);
    in.focusing.a[0] = 1.0f;
    const CArrayLaw law(in);
    EXPECT_EQ(law.DelayL(0.0), -128 + 37);
    EXPECT_EQ(law.DelayL(10 * kMm), 37);
    EXPECT_EQ(law.DelayL(20 * kMm), 54 + 37);
}

TEST(ArrayLawDelayTest, ShearComponentUsesTheShearVelocity) {
    ArrayLawInput in = Steering(30.0);
    in.modeL = false;
    in.modeT = true;
    const CArrayLaw law(in);
    // vT = 2500 m/s: 20 steps per mm.
    EXPECT_EQ(law.DelayT(15 * kMm), 100);
    EXPECT_EQ(law.DelayT(12 * kMm) - law.DelayT(11 * kMm), 20);
    EXPECT_EQ(law.DelayL(15 * kMm), 0);  // longitudinal mode off
}

TEST(ArrayLawDelayTest, NoDelaysWithoutALawOrAVelocity) {
    ArrayLawInput in = Steering(30.0);
    in.modeT = true;
    in.vT = 0.0;  // a fluid: no shear wave
    EXPECT_EQ(CArrayLaw(in).DelayT(18 * kMm), 0);
    EXPECT_EQ(CArrayLaw(in).DelayL(18 * kMm), 80);
    in.focusing.delayLaw = 0;  // the law is switched off: every delay 0
    const CArrayLaw off(in);
    for (double s : {0.0, 5.0, 18.0, 20.0}) EXPECT_EQ(off.DelayL(s * kMm), 0);
    in.focusing.delayLaw = 1;
    in.dt = 0.0;  // no time step: no delays rather than a division by zero
    EXPECT_EQ(CArrayLaw(in).DelayL(18 * kMm), 0);
}

TEST(ArrayLawDelayTest, ManualShapeIsNotCentredOtherShapedLawsAre) {
    // Shape a2 u^2 with a2 = -10: P = 10 u^2 H = 0.1 u^2 m, that is
    // 0.1 / 5000 / 1e-8 = 2000 u^2 steps: 2000 at the ends, 0 in the middle.
    ArrayLawInput in = BaseInput();
    in.focusing.lawSelector = 0;
    in.focusing.a[2] = -10.0f;
    const CArrayLaw manual(in);
    EXPECT_EQ(manual.DelayL(0.0), 2000);
    EXPECT_EQ(manual.DelayL(10 * kMm), 0);
    EXPECT_EQ(manual.DelayL(15 * kMm), 500);  // u = 0.5
    // A selector other than 0 and 1 still uses the shape, but centred:
    // -(0 + 2000)/2 = -1000.
    in.focusing.lawSelector = 2;
    const CArrayLaw centred(in);
    EXPECT_EQ(centred.DelayL(0.0), 1000);
    EXPECT_EQ(centred.DelayL(10 * kMm), -1000);
    // A linear shape a1 u is a tilt: P = -a1 u H.
    in.focusing.lawSelector = 0;
    in.focusing.a = {0.0f, 0.05f, 0.0f, 0.0f, 0.0f};
    const CArrayLaw tilt(in);              // -0.05 * 10 mm = -0.5 mm per unit u: -10 steps at u = 1
    EXPECT_EQ(tilt.DelayL(20 * kMm), -9);  // trunc(-10 + 0.5)
    EXPECT_EQ(tilt.DelayL(0.0), 10);
}

TEST(ArrayLawElementTest, GapsBetweenElementsAreDropped) {
    // 1 mm elements with 0.5 mm gaps: pitch 1.5 mm.
    ArrayLawInput in = Steering(30.0);
    in.length = 10 * kMm;
    in.element.grouping = 1;
    in.element.size = 1e-3f;
    in.element.gap = 0.5e-3f;
    const CArrayLaw law(in);
    // 1.6 mm is 0.1 mm into the second element; 7.3 = 4 x 1.5 + 1.3 is in a gap.
    for (double s : {0.0, 0.5, 0.99, 1.6, 2.4}) EXPECT_FALSE(law.InGap(s * kMm)) << s;
    for (double s : {1.2, 1.45, 2.6, 7.3}) EXPECT_TRUE(law.InGap(s * kMm)) << s;

    // Exactly at the end of an element the sample still belongs to it (the
    // remainder must exceed the element size); binary fractions keep the
    // arithmetic exact: 0.25 m elements, 0.125 m gaps, a 2 m aperture.
    ArrayLawInput coarse = in;
    coarse.length = 2.0;
    coarse.element.size = 0.25f;
    coarse.element.gap = 0.125f;
    const CArrayLaw exact(coarse);
    EXPECT_FALSE(exact.InGap(0.25));
    EXPECT_TRUE(exact.InGap(0.25 + 1.0 / 1024));
    EXPECT_FALSE(exact.InGap(0.375));  // the next element starts
    EXPECT_FALSE(exact.InGap(0.625));

    // The grid samples of a 10 mm segment with 0.1 mm cells (every
    // 0.09 mm): those kept fall into the 7 elements starting at 0, 1.5,
    // ..., 9 mm and none lies in a gap.
    const auto points = SegmentPoints(0.0, 0.001, 0.0, 0.011, 1e-4, 1e-4, 200, 200, "Uniform", "Uniform");
    std::set<int> elements;
    std::size_t kept = 0;
    for (const GridPoint& p : points) {
        if (law.InGap(p.s)) continue;
        ++kept;
        const double within = std::fmod(p.s, 1.5e-3);
        EXPECT_LE(within, 1.0e-3 + 1e-12) << p.s;
        elements.insert(static_cast<int>(p.s / 1.5e-3));
    }
    EXPECT_EQ(elements, (std::set<int>{0, 1, 2, 3, 4, 5, 6}));
    // About two thirds of the samples are on elements.
    EXPECT_NEAR(static_cast<double>(kept) / static_cast<double>(points.size()), 2.0 / 3.0, 0.08);
}

TEST(ArrayLawElementTest, AnElementUsesTheDelayOfItsCentre) {
    ArrayLawInput in = Steering(30.0);
    in.length = 10 * kMm;
    in.element.grouping = 1;
    in.element.size = 1e-3f;
    in.element.gap = 0.5e-3f;
    const CArrayLaw law(in);
    // Second element: 1.5 .. 2.5 mm, centre 2.0 mm, x = -3 mm: -30 steps
    // before rounding, truncated to -29; centring: the ends at x = -5 and
    // +5 mm give -49 and 50, so nothing is added.
    EXPECT_EQ(law.DelayL(1.55 * kMm), -29);
    EXPECT_EQ(law.DelayL(2.0 * kMm), -29);
    EXPECT_EQ(law.DelayL(2.45 * kMm), -29);
    EXPECT_EQ(law.DelayL(3.1 * kMm), -14);  // third element, centre 3.5 mm: x = -1.5 mm

    // Without grouping the delay follows every sample.
    in.element.grouping = 0;
    const CArrayLaw plain(in);
    EXPECT_FALSE(plain.InGap(1.2 * kMm));
    EXPECT_EQ(plain.DelayL(2.42 * kMm), -25);  // x = -2.58 mm: trunc(-25.8 + 0.5)
    // An element at least as large as the aperture is no grouping either:
    // the delay still follows the sample, not a centre at 6 mm.
    in.element.grouping = 1;
    in.element.size = 12e-3f;
    const CArrayLaw whole(in);
    EXPECT_FALSE(whole.InGap(9.9 * kMm));
    EXPECT_EQ(whole.DelayL(2.42 * kMm), -25);
}

TEST(ArrayLawDirectionTest, PointDirectionsFollowTheLaw) {
    // A segment on the top edge drawn right to left: its normal (0, 1)
    // points down into the model.
    ArrayLawInput in = Steering(30.0);
    in.c = 0.0;
    in.s = 1.0;
    // Without the point-direction bit every point uses the item's normal.
    auto d = CArrayLaw(in).Direction(3 * kMm);
    EXPECT_DOUBLE_EQ(d.first, 0.0);
    EXPECT_DOUBLE_EQ(d.second, 1.0);

    in.curveArrayFlags = kArrayFocusingBlock | kArrayPointDirection;
    d = CArrayLaw(in).Direction(3 * kMm);
    // Steered 30 degrees from the normal towards the segment's own
    // direction (-1, 0): (-sin 30, cos 30).
    EXPECT_NEAR(d.first, -0.5, 1e-7);
    EXPECT_NEAR(d.second, std::sqrt(3.0) / 2.0, 1e-7);

    in.focusing.delayLaw = 2;  // only a law switch of exactly 1 turns point directions on
    d = CArrayLaw(in).Direction(3 * kMm);
    EXPECT_DOUBLE_EQ(d.second, 1.0);
}

TEST(ArrayLawDirectionTest, FocusedPointsAimAtTheFocus) {
    // Normal +x; focus at D = 20 mm along a 10 degree steered axis from
    // the aperture centre.
    ArrayLawInput in = Steering(10.0);
    in.focusing.a[0] = 1.0f;
    in.curveArrayFlags = kArrayFocusingBlock | kArrayPointDirection;
    const CArrayLaw law(in);
    const double theta = 10.0 * kPi / 180.0;
    const double focusN = 20 * kMm * std::cos(theta), focusA = 20 * kMm * std::sin(theta);
    for (double s : {0.0, 4.0, 10.0, 16.5, 20.0}) {
        const double x = (s - 10.0) * kMm;  // element's offset along the segment
        const auto [c, sn] = law.Direction(s * kMm);
        EXPECT_NEAR(c * c + sn * sn, 1.0, 1e-12);
        // The unit vector equals (focus - element) / |focus - element|.
        const double vn = focusN, va = focusA - x;
        const double len = std::hypot(vn, va);
        EXPECT_NEAR(c, vn / len, 1e-6) << s;
        EXPECT_NEAR(sn, va / len, 1e-6) << s;
    }
}

TEST(ArrayLawDirectionTest, ShapedPointsFollowTheShapeNormal) {
    ArrayLawInput in = BaseInput();
    in.focusing.lawSelector = 0;
    in.focusing.a = {0.0f, 1.0f, 0.0f, 0.0f, 0.0f};  // y = u: slope 1 everywhere
    in.curveArrayFlags = kArrayPointDirection;
    const auto d = CArrayLaw(in).Direction(5 * kMm);
    EXPECT_NEAR(d.first, std::sqrt(0.5), 1e-12);
    EXPECT_NEAR(d.second, -std::sqrt(0.5), 1e-12);
    // y = u^2: slope 2u, at u = 0.5 (s = 15 mm) the normal is (1, -1)/sqrt(2).
    in.focusing.a = {0.0f, 0.0f, 1.0f, 0.0f, 0.0f};
    const auto e = CArrayLaw(in).Direction(15 * kMm);
    EXPECT_NEAR(e.first, std::sqrt(0.5), 1e-12);
    EXPECT_NEAR(e.second, -std::sqrt(0.5), 1e-12);
}

TEST(ArrayFrontBackTest, LargestPositiveAndNegativeDelaysInSeconds) {
    const CArrayLaw law(Steering(30.0));
    // Samples from 0 to 15 mm: delays from -99 (at 0) to 50 (at 15 mm).
    std::vector<double> positions;
    for (int k = 0; k <= 30; ++k) positions.push_back(0.5 * k * kMm);
    double front = -1.0, back = -1.0;
    ArrayFrontBack(law, positions, 1e-8, true, false, front, back);
    EXPECT_NEAR(front, 50 * 1e-8, 1e-15);
    EXPECT_NEAR(back, 99 * 1e-8, 1e-15);
    // A component that is off contributes nothing.
    ArrayFrontBack(law, positions, 1e-8, false, false, front, back);
    EXPECT_EQ(front, 0.0);
    EXPECT_EQ(back, 0.0);
    // Only positive delays: no back delay.
    std::vector<double> late{12 * kMm, 13 * kMm};
    ArrayFrontBack(law, late, 1e-8, true, false, front, back);
    EXPECT_NEAR(front, 30 * 1e-8, 1e-15);
    EXPECT_EQ(back, 0.0);
}

TEST(ArrayLawInputTest, VelocitiesOfTheRegionMaterialAtZeroFrequency) {
    CElixDoc doc;
    CMaterialProperty water = test::Material("Water", 10, 1000.0, 1500.0, 0.0);
    CMaterialProperty rubber = test::Material("Rubber", 20, 1100.0, 2000.0, 1000.0);
    rubber.damping = 1;
    rubber.eta = 50.0f;  // a viscous material: faster at high frequency, elastic at 0 Hz
    ASSERT_TRUE(doc.AddItem(water));
    ASSERT_TRUE(doc.AddItem(rubber));
    CSource source;
    source.name = "Probe";
    source.x1 = 0.0f;
    source.y1 = 0.0f;
    source.x2 = 0.0f;
    source.y2 = 0.012f;
    source.curveArrayFlags = kArrayFocusingBlock;
    source.focusing.regionGrayLevel = 20;
    ArrayLawInput input;
    std::string error;
    ASSERT_TRUE(MakeArrayLawInput(doc, source, 2e-8, input, error)) << error;
    EXPECT_NEAR(input.vL, 2000.0, 1e-2);
    EXPECT_NEAR(input.vT, 1000.0, 1e-2);
    EXPECT_NEAR(input.length, 0.012, 1e-9);
    EXPECT_EQ(input.dt, 2e-8);
    EXPECT_NEAR(input.c, 1.0, 1e-12);  // drawn downwards: normal +x
    EXPECT_TRUE(input.modeL);
    EXPECT_FALSE(input.modeT);

    source.focusing.regionGrayLevel = 30;
    EXPECT_FALSE(MakeArrayLawInput(doc, source, 2e-8, input, error));
    EXPECT_EQ(error, "No material is defined for gray level 30 in source 'Probe'.");
    CReceiver receiver;
    receiver.name = "Listener";
    receiver.focusing.regionGrayLevel = 0;
    EXPECT_FALSE(MakeArrayLawInput(doc, receiver, 2e-8, input, error));
    EXPECT_EQ(error, "No material is defined for gray level 0 in receiver 'Listener'.");
}

TEST(ArrayLawInputTest, DegenerateLawsGiveNoDelaysInsteadOfFailing) {
    ArrayLawInput in = Steering(30.0);
    in.length = 0.0;  // a zero-length array: no aperture
    EXPECT_EQ(CArrayLaw(in).DelayL(0.0), 0);
    in = BaseInput();
    in.focusing.lawSelector = 0;
    in.focusing.a[0] = std::nanf("");  // a corrupt coefficient
    EXPECT_EQ(CArrayLaw(in).DelayL(5 * kMm), 0);
    in.focusing.a[0] = 1e30f;  // absurdly large: clamped, not overflowed
    const int d = CArrayLaw(in).DelayL(5 * kMm);
    EXPECT_LE(d, 0);
    in.element.grouping = 1;
    in.element.size = 0.0f;
    in.element.gap = 0.0f;  // zero pitch: no grouping rather than a division by zero
    EXPECT_FALSE(CArrayLaw(in).InGap(3 * kMm));
}

}  // namespace
}  // namespace elix

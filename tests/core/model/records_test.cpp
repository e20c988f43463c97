// Item records and their item blocks: layouts per form and file version,
// round trips, and the tolerance of the readers to short or odd blocks.
#include <gtest/gtest.h>

#include <string>

#include "model/boundary_condition.h"
#include "model/electrode.h"
#include "model/item_kinds.h"
#include "model/item_list.h"
#include "model/material_property.h"
#include "model/receiver.h"
#include "model/source.h"

namespace elix {
namespace {

constexpr float kCurrent = 2.42f;

template <class T>
std::string Written(T record, float version) {
    CTextWriter out;
    record.WriteItem(out, version);
    return out.Text();
}

// Reads a block as the section reader hands it over: the first line is the
// name line, the reader stands at the start of the second line.
template <class T>
T ReadBlock(const std::string& block, float version, CTextReader* rest = nullptr) {
    const auto lineEnd = block.find('\n');
    CTextReader in(lineEnd == std::string::npos ? std::string() : block.substr(lineEnd + 1));
    T record;
    record.ReadItem(in, block.substr(0, lineEnd), version);
    if (rest) *rest = in;
    return record;
}

std::string NextToken(CTextReader& in) {
    std::string token;
    return in.Token(token) ? token : "<end of file>";
}

std::string Repeat(const std::string& text, int times) {
    std::string all;
    for (int k = 0; k < times; ++k) all += text;
    return all;
}

// ---------------------------------------------------------------- materials

CMaterialProperty NonDefaultMaterial() {
    CMaterialProperty m;
    m.name = "PZT 5A";
    m.mu = 2.1e10f, m.lambda = 7.5e10f, m.eta = 0.25f, m.chi = 1.5f, m.density = 7750.0f;
    m.damping = 1, m.grayLevel = 200, m.piezoelectric = 1, m.orthotropic = 1;
    for (int k = 0; k < 18; ++k) m.e[k] = -5.4f + 0.5f * static_cast<float>(k);
    for (int k = 0; k < 9; ++k) m.epsilon[k] = 8.1e-9f * static_cast<float>(k + 1);
    for (int k = 0; k < 9; ++k) m.c[k] = 1.0e10f * static_cast<float>(k + 2);
    return m;
}

TEST(material_record_test, ExtendedRecordRoundTripsTextByText) {
    CMaterialProperty original = NonDefaultMaterial();
    original.libraryMark = 1;
    const std::string text = Written(original, kCurrent);
    const auto back = ReadBlock<CMaterialProperty>(text, kCurrent);
    // Every field differs from its default, so a field lost on the way
    // would change the text.
    EXPECT_EQ(Written(back, kCurrent), text);
    EXPECT_EQ(back.formRead, 2);
    EXPECT_FLOAT_EQ(back.e[17], original.e[17]);
    EXPECT_FLOAT_EQ(back.c[8], original.c[8]);
    EXPECT_EQ(back.libraryMark, 0) << "the library mark is never written";
}

TEST(material_record_test, IsotropicBlockIsWrittenBackExtendedWithZeroConstants) {
    const std::string form1 = "Water\n1\n1.0e3\n2.25e9\n0\n0\n1.0e-3\n7\n1\nItemEnd\n";
    const auto water = ReadBlock<CMaterialProperty>(form1, kCurrent);
    EXPECT_EQ(water.formRead, 1);
    EXPECT_EQ(water.formWritten, 2);
    const std::string zero = "0.000000e+00 ";
    EXPECT_EQ(Written(water, kCurrent),
              "Water\n2\n1.000000e+03\n2.250000e+09\n0.000000e+00\n0.000000e+00\n1.000000e-03\n7\n1\n"
              "0\n" + Repeat(zero, 18) + "\n" + Repeat(zero, 9) + "\n0\n" + Repeat(zero, 9) + "\nItemEnd\n");
}

TEST(material_record_test, IsotropicFormIsWrittenWithoutExtendedLines) {
    CMaterialProperty m = NonDefaultMaterial();
    m.formWritten = 1;
    EXPECT_EQ(Written(m, kCurrent),
              "PZT 5A\n1\n7.750000e+03\n7.500000e+10\n2.100000e+10\n1.500000e+00\n2.500000e-01\n200\n1\nItemEnd\n");
}

TEST(material_record_test, GrayLevelKeepsItsLowByteAndNameLineLosesFeBytes) {
    const auto m = ReadBlock<CMaterialProperty>("Cast\xFEIron\n1\n7200\n1e11\n4e10\n0\n0\n300\n0\nItemEnd\n", kCurrent);
    EXPECT_EQ(m.grayLevel, 300 - 256);
    EXPECT_EQ(m.name, "Cast Iron");
}

TEST(material_record_test, OldVersionsHaveNoTerminatorAndReadingStopsAfterTheFields) {
    CMaterialProperty m = NonDefaultMaterial();
    const std::string text = Written(m, 1.9f);
    EXPECT_EQ(text.find("ItemEnd"), std::string::npos);
    CTextReader rest;
    const auto back = ReadBlock<CMaterialProperty>(text + "Next\n", 1.9f, &rest);
    EXPECT_FLOAT_EQ(back.c[8], m.c[8]);
    EXPECT_EQ(NextToken(rest), "Next");
}

TEST(material_record_test, TokensAddedBeforeTheTerminatorAreSkipped) {
    CTextReader rest;
    const auto m = ReadBlock<CMaterialProperty>(
        "Glass\n1\n2500\n2e10\n2.6e10\n0\n0\n12\n0\nFutureKey 3 4.5\nItemEnd\n~Next\n", kCurrent, &rest);
    EXPECT_EQ(m.grayLevel, 12);
    EXPECT_EQ(NextToken(rest), "~Next");
}

TEST(material_record_test, ShortOrMalformedBlocksKeepDefaults) {
    // The file ends inside the item.
    const auto cut = ReadBlock<CMaterialProperty>("Steel\n2\n7800\n2e11\n", kCurrent);
    EXPECT_FLOAT_EQ(cut.density, 7800.0f);
    EXPECT_FLOAT_EQ(cut.lambda, 2e11f);
    EXPECT_FLOAT_EQ(cut.mu, 0.0f);
    EXPECT_EQ(cut.grayLevel, 255);
    // A word where a number belongs stops the reading of numbers there.
    CTextReader rest;
    const auto odd = ReadBlock<CMaterialProperty>("Odd\n1\n900\nabc\n5\nItemEnd\n~Next\n", kCurrent, &rest);
    EXPECT_FLOAT_EQ(odd.density, 900.0f);
    EXPECT_FLOAT_EQ(odd.lambda, 1.0f);
    EXPECT_EQ(NextToken(rest), "~Next");
    // A form the reader does not know reads no fields.
    const auto unknown = ReadBlock<CMaterialProperty>("U\n7\n1\n2\n3\nItemEnd\n", kCurrent);
    EXPECT_EQ(unknown.formRead, 7);
    EXPECT_FLOAT_EQ(unknown.density, 1.0f);
    // Only the name line.
    EXPECT_EQ(ReadBlock<CMaterialProperty>("Alone", kCurrent).name, "Alone");
}

TEST(material_record_test, NameOfGrayLevel) {
    CItemList<CMaterialProperty> list(kMaterialTexts);
    std::string error;
    CMaterialProperty m;
    m.grayLevel = 10;
    for (const char* name : {"Steel", "Copper"}) {
        m.name = name;
        ASSERT_TRUE(list.AddItem(m, error));
    }
    EXPECT_EQ(NameOfGrayLevel(list, 10), "Steel");
    EXPECT_EQ(NameOfGrayLevel(list, 11), "Undefined");
    EXPECT_EQ(NameOfGrayLevel(list, 255), "Vacuum");
}

// ------------------------------------------------------------------ sources

CSource ArraySource() {
    CSource s;
    s.name = "Probe A";
    s.x1 = 0.001f, s.y1 = 0.002f, s.x2 = 0.011f, s.y2 = 0.0025f;
    s.longitudinalDuration = 2e-6f, s.shearDuration = 4e-6f, s.timeDelay = 1.5e-7f;
    s.longitudinalMode = 0, s.shearMode = 1, s.pulseEcho = 1;
    s.longitudinalTimeFunction = "Sine Pulse,2,1,1e+06";
    s.shearTimeFunction = "User1";
    s.longitudinalApodization = "Hanning";
    s.shearApodization = "Gaussian";
    s.voidBacking = 1, s.wedge = 1, s.wedgeFlip = 1, s.wedgeGrayLevel = 90, s.wedgeLocation = "Top";
    s.wedgeCenterOffset = -0.002f, s.wedgeSize = 0.02f, s.wedgeAngle = 45.0f;
    s.curveArrayFlags = kArrayElementBlock | kArrayFocusingBlock | kArrayPointDirection;
    s.element = {1, 5e-4f, 1e-4f};
    s.focusing = {1, 0, 33, {0.5f, -0.25f, 0.125f, 2.0f, -3.0f}, {7.0f, -8.5f}};
    s.frontDelay = 1e-6f, s.backDelay = 2e-6f;
    s.pointSource = 1, s.signalType = 1;
    return s;
}

TEST(source_record_test, DefaultRecordHasTheDocumentedBlock) {
    CSource s;
    s.name = "S";
    EXPECT_EQ(Written(s, kCurrent),
              "S\n1\n0.000000e+00\n0.000000e+00\n1.000000e-03\n1.000000e-03\n3.000000e-06\n3.000000e-06\n"
              "0.000000e+00\n1\n0\n0\nSine Pulse\nSine Pulse\nUniform\nUniform\n0\n0\n0.000000e+00\n"
              "1.000000e-03\n3.000000e+01\n0\n64\nNone\n0\nSignalType 0\nItemEnd\n");
}

TEST(source_record_test, ArraySourceRoundTripsWithBothBlocks) {
    const std::string text = Written(ArraySource(), kCurrent);
    EXPECT_NE(text.find("\n7\n1 5.000000e-04 1.000000e-04\n1 0 33\n"
                        "5.000000e-01 -2.500000e-01 1.250000e-01 2.000000e+00 -3.000000e+00 7.000000e+00 -8.500000e+00\n"
                        "1.000000e-06 2.000000e-06\n1\nSignalType 1\nItemEnd\n"),
              std::string::npos)
        << text;
    const auto back = ReadBlock<CSource>(text, kCurrent);
    EXPECT_EQ(Written(back, kCurrent), text);
    EXPECT_EQ(back.longitudinalTimeFunction, "Sine Pulse,2,1,1e+06");
    EXPECT_FLOAT_EQ(back.focusing.opaque[1], -8.5f);
    EXPECT_EQ(back.signalType, 1) << "a pressure source stays a pressure source";
}

TEST(source_record_test, FormFollowsTheArrayFlagsWhenWritten) {
    CSource s = ArraySource();
    s.curveArrayFlags = 0;
    s.form = 2;
    const std::string plain = Written(s, kCurrent);
    EXPECT_EQ(plain.substr(0, 10), "Probe A\n1\n");
    EXPECT_EQ(plain.find("5.000000e-04"), std::string::npos) << "no element block in form 1";
    // Only the focusing block: no element line.
    s.curveArrayFlags = kArrayFocusingBlock;
    const auto back = ReadBlock<CSource>(Written(s, kCurrent), kCurrent);
    EXPECT_EQ(back.form, 2);
    EXPECT_FLOAT_EQ(back.element.size, 1.0f);
    EXPECT_FLOAT_EQ(back.focusing.a[4], -3.0f);
    EXPECT_FLOAT_EQ(back.frontDelay, 1e-6f);
}

TEST(source_record_test, PlainFormCarriesVoidBackingFromVersion22) {
    CSource s = ArraySource();
    s.curveArrayFlags = 0;
    const std::string v210 = Written(s, 2.10f);
    const std::string v230 = Written(s, 2.30f);
    // The line after the shear apodization is the void backing at 2.30 and
    // the wedge flag at 2.10 (both 1 here); the wedge centre offset follows.
    EXPECT_NE(v230.find("Gaussian\n1\n1\n-2.000000e-03\n"), std::string::npos);
    EXPECT_NE(v210.find("Gaussian\n1\n-2.000000e-03\n"), std::string::npos);
    EXPECT_EQ(Written(s, 2.2f), v230) << "2.2 is the first version with the line";
    // Neither version carries the point source line.
    EXPECT_NE(v210.find("Top\nSignalType 1\nItemEnd\n"), std::string::npos);
    s.voidBacking = 0;
    const auto at210 = ReadBlock<CSource>(Written(s, 2.10f), 2.10f);
    EXPECT_EQ(at210.voidBacking, 0);
    EXPECT_EQ(at210.wedge, 1);
    EXPECT_FLOAT_EQ(at210.wedgeAngle, 45.0f);
    EXPECT_EQ(at210.wedgeLocation, "Top");
    s.voidBacking = 1;
    const auto at230 = ReadBlock<CSource>(Written(s, 2.30f), 2.30f);
    EXPECT_EQ(at230.voidBacking, 1);
    EXPECT_EQ(at230.wedgeLocation, "Top");
}

TEST(source_record_test, PointSourceIsReadOnlyFromVersion241) {
    CSource s;
    s.name = "P";
    s.pointSource = 1;
    const std::string text = Written(s, 2.41f);
    EXPECT_EQ(ReadBlock<CSource>(text, 2.41f).pointSource, 1);
    // Read as an older file, the same "1" is an unknown token before the
    // terminator.
    const auto older = ReadBlock<CSource>(text, 2.40f);
    EXPECT_EQ(older.pointSource, 0);
    EXPECT_EQ(Written(s, 2.40f).find("None\n1\n"), std::string::npos);
}

TEST(source_record_test, SignalTypeIsFoundAmongUnknownTokens) {
    CSource s;
    s.name = "Q";
    std::string text = Written(s, kCurrent);
    text.replace(text.find("SignalType 0"), 12, "Extra 5 SignalType 1 More");
    CTextReader rest;
    const auto back = ReadBlock<CSource>(text + "~Next\n", kCurrent, &rest);
    EXPECT_EQ(back.signalType, 1);
    EXPECT_EQ(NextToken(rest), "~Next");
    // A signal type without its number does not eat the terminator.
    const auto bare = ReadBlock<CSource>("R\n1\nSignalType\nItemEnd\n~After\n", kCurrent, &rest);
    EXPECT_EQ(bare.signalType, 0);
    EXPECT_EQ(NextToken(rest), "~After");
}

TEST(source_record_test, StringsKeepNoneAndGetBlanksForFeBytes) {
    CSource s;
    s.name = "S";
    s.shearTimeFunction.clear();  // written "None", read back "None"
    std::string text = Written(s, kCurrent);
    text.replace(text.find("Sine Pulse"), 10, "Sine\xFEPulse");
    const auto back = ReadBlock<CSource>(text, kCurrent);
    EXPECT_EQ(back.longitudinalTimeFunction, "Sine Pulse");
    EXPECT_EQ(back.shearTimeFunction, "None");
    EXPECT_EQ(back.wedgeLocation, "None");
}

TEST(source_record_test, OldVersionHasNoKeyedLinesAndStopsAfterTheFields) {
    CSource s = ArraySource();
    const std::string text = Written(s, 1.5f);
    EXPECT_EQ(text.find("SignalType"), std::string::npos);
    EXPECT_EQ(text.find("ItemEnd"), std::string::npos);
    CTextReader rest;
    const auto back = ReadBlock<CSource>(text + "Next\n", 1.5f, &rest);
    EXPECT_FLOAT_EQ(back.backDelay, 2e-6f);
    EXPECT_EQ(back.signalType, 0);
    EXPECT_EQ(NextToken(rest), "Next");
}

TEST(source_record_test, ShortBlocksKeepDefaultsAndLeaveTheTerminator) {
    // The file ends after the modes.
    const auto cut = ReadBlock<CSource>("Cut\n1\n0.01\n0.02\n0.03\n0.04\n1e-6\n2e-6\n0\n1\n1\n", kCurrent);
    EXPECT_FLOAT_EQ(cut.y2, 0.04f);
    EXPECT_EQ(cut.shearMode, 1);
    EXPECT_EQ(cut.longitudinalTimeFunction, "Sine Pulse");
    EXPECT_FLOAT_EQ(cut.wedgeAngle, 30.0f);
    // The block ends before its strings: the terminator is not taken for a
    // string, so the next item is still found.
    CTextReader rest;
    const auto early = ReadBlock<CSource>("Early\n2\n0.01\nItemEnd\n~Next\n", kCurrent, &rest);
    EXPECT_FLOAT_EQ(early.x1, 0.01f);
    EXPECT_EQ(early.shearApodization, "Uniform");
    EXPECT_EQ(NextToken(rest), "~Next");
    // Array flags that promise blocks the file does not hold.
    const auto flags = ReadBlock<CSource>(
        "F\n2\n0\n0\n0\n0\n0\n0\n0\n1\n0\n0\nA\nB\nC\nD\n0\n0\n0\n0\n0\n0\n64\nNone\n3\n", kCurrent);
    EXPECT_EQ(flags.curveArrayFlags, 3);
    EXPECT_EQ(flags.element.grouping, 0);
    EXPECT_FLOAT_EQ(flags.element.size, 1.0f);
    EXPECT_EQ(flags.focusing.lawSelector, 1);
}

// ---------------------------------------------------------------- receivers

CReceiver AdvancedReceiver() {
    CReceiver r;
    r.name = "Probe A Echo";
    r.form = 2;
    r.outputFile = "out/echo a.txt";
    r.x1 = 0.05f, r.y1 = 0.04f, r.x2 = 0.05f, r.y2 = 0.0f;
    r.longitudinalMode = 0, r.shearMode = 1, r.averagedOnly = 0;
    r.longitudinalApodization = "Bartlett", r.shearApodization = "Hamming";
    r.wedge = 1, r.wedgeFlip = 1, r.wedgeGrayLevel = 77, r.wedgeLocation = "Right";
    r.wedgeCenterOffset = 0.003f, r.wedgeSize = 0.015f, r.wedgeAngle = 12.5f;
    r.gainFactor = 3.1622777f, r.blanking = 2e-6f, r.duration = 9e-6f, r.damping = 0.2f;
    r.curveArrayFlags = kArrayElementBlock | kArrayFocusingBlock;
    r.element = {1, 2e-4f, 5e-5f};
    r.focusing = {1, 1, 5, {1.0f, 0.5f, 0.0f, 0.0f, 0.0f}, {0.75f, 6.0f}};
    r.dataType = 3, r.phaseType = 2;
    return r;
}

TEST(receiver_record_test, DefaultRecordHasTheDocumentedBlock) {
    CReceiver r;
    r.name = "R";
    EXPECT_EQ(Written(r, kCurrent),
              "R\n1\nNone\n0.000000e+00\n0.000000e+00\n1.000000e-03\n1.000000e-03\n1\n1\n1\nUniform\nUniform\n"
              "0\n0.000000e+00\n1.000000e+00\n3.000000e+01\n0\n64\nNone\nDataType 0\nPhaseType 0\nItemEnd\n");
}

TEST(receiver_record_test, AdvancedReceiverRoundTripsWithBothBlocks) {
    const std::string text = Written(AdvancedReceiver(), kCurrent);
    EXPECT_NE(text.find("Right\n3.162278e+00\n2.000000e-06\n9.000000e-06\n2.000000e-01\n3\n"
                        "1 2.000000e-04 5.000000e-05\n1 1 5\n"
                        "1.000000e+00 5.000000e-01 0.000000e+00 0.000000e+00 0.000000e+00 7.500000e-01 6.000000e+00\n"
                        "DataType 3\nPhaseType 2\nItemEnd\n"),
              std::string::npos)
        << text;
    const auto back = ReadBlock<CReceiver>(text, kCurrent);
    EXPECT_EQ(Written(back, kCurrent), text);
    EXPECT_EQ(back.outputFile, "out/echo a.txt");
    EXPECT_EQ(back.phaseType, 2);
}

TEST(receiver_record_test, EmptyOutputFileIsWrittenNoneAndReadBackEmpty) {
    CReceiver r;
    r.name = "Quiet";
    const std::string text = Written(r, kCurrent);
    EXPECT_EQ(text.substr(0, 13), "Quiet\n1\nNone\n");
    CReceiver loaded;
    loaded.outputFile = "stale.txt";
    CTextReader in(text.substr(text.find('\n') + 1));
    loaded.ReadItem(in, "Quiet", kCurrent);
    EXPECT_EQ(loaded.outputFile, "");
}

TEST(receiver_record_test, NonZeroDampingSelectsTheAdvancedForm) {
    CReceiver r;
    r.name = "Damped";
    r.damping = 0.5f;
    const std::string text = Written(r, kCurrent);
    EXPECT_EQ(text.substr(0, 9), "Damped\n2\n");
    const auto back = ReadBlock<CReceiver>(text, kCurrent);
    EXPECT_FLOAT_EQ(back.damping, 0.5f);
    EXPECT_FLOAT_EQ(back.gainFactor, 1.0f);
    // Without damping the plain form drops the advanced values.
    r.damping = 0.0f;
    r.gainFactor = 10.0f;
    EXPECT_FLOAT_EQ(ReadBlock<CReceiver>(Written(r, kCurrent), kCurrent).gainFactor, 1.0f);
}

TEST(receiver_record_test, DataAndPhaseTypesAreKeyedAndAnyOrder) {
    CReceiver r;
    r.name = "K";
    std::string text = Written(r, kCurrent);
    text.replace(text.find("DataType 0\nPhaseType 0"), 22, "PhaseType 1\nNewField 9\nDataType 2");
    CTextReader rest;
    const auto back = ReadBlock<CReceiver>(text + "~Next\n", kCurrent, &rest);
    EXPECT_EQ(back.dataType, 2);
    EXPECT_EQ(back.phaseType, 1);
    EXPECT_EQ(NextToken(rest), "~Next");
    // Before version 2.0 neither line exists.
    const std::string old = Written(AdvancedReceiver(), 1.2f);
    EXPECT_EQ(old.find("DataType"), std::string::npos);
    EXPECT_EQ(old.find("ItemEnd"), std::string::npos);
    EXPECT_EQ(ReadBlock<CReceiver>(old, 1.2f).dataType, 0);
}

TEST(receiver_record_test, TruncatedBlockKeepsDefaults) {
    const auto r = ReadBlock<CReceiver>("Cut\n2\nsignal.txt\n0.01\n0.02\n", kCurrent);
    EXPECT_EQ(r.form, 2);
    EXPECT_EQ(r.outputFile, "signal.txt");
    EXPECT_FLOAT_EQ(r.y1, 0.02f);
    EXPECT_FLOAT_EQ(r.x2, 0.001f);
    EXPECT_EQ(r.shearApodization, "Uniform");
    EXPECT_FLOAT_EQ(r.gainFactor, 1.0f);
}

// ------------------------------------------------------ boundary conditions

TEST(boundary_record_test, NewConditionFixesTheLongitudinalModeOverOneMillimetre) {
    CBoundaryCondition bc;
    bc.name = "B";
    EXPECT_EQ(Written(bc, kCurrent),
              "B\n1\n0.000000e+00\n0.000000e+00\n1.000000e-03\n1.000000e-03\n1.000000e+00\n1.000000e+00\n"
              "0.000000e+00\n1\n0\n0\nNone\nNone\nUniform\nUniform\nItemEnd\n");
}

TEST(boundary_record_test, EmptySignalNamesAreWrittenNoneAndReadBackNone) {
    CBoundaryCondition bc;
    bc.name = "Clamp";
    bc.longitudinalSignalName.clear();
    bc.shearSignalName.clear();
    bc.shearDistribution.clear();
    const std::string text = Written(bc, kCurrent);
    EXPECT_NE(text.find("0\nNone\nNone\nUniform\nNone\nItemEnd\n"), std::string::npos);
    const auto back = ReadBlock<CBoundaryCondition>(text, kCurrent);
    EXPECT_EQ(back.longitudinalSignalName, "None");
    EXPECT_EQ(back.shearSignalName, "None");
    EXPECT_EQ(back.shearDistribution, "None");
}

TEST(boundary_record_test, AllFieldsRoundTrip) {
    CBoundaryCondition bc;
    bc.name = "Right side";
    bc.x1 = 0.05f, bc.y1 = 0.04f, bc.x2 = 0.05f, bc.y2 = 0.0f;
    bc.longitudinalDuration = 2e-6f, bc.shearDuration = 5e-6f, bc.timeDelay = 1e-6f;
    bc.longitudinalFixed = 0, bc.shearFixed = 1, bc.activeInDurationOnly = 1;
    bc.longitudinalSignalName = "Fixed", bc.shearSignalName = "Sine Pulse,2,1,1e+06";
    bc.longitudinalDistribution = "Hanning", bc.shearDistribution = "Blackmann";
    const std::string text = Written(bc, kCurrent);
    const auto back = ReadBlock<CBoundaryCondition>(text, kCurrent);
    EXPECT_EQ(Written(back, kCurrent), text);
    EXPECT_EQ(back.shearSignalName, "Sine Pulse,2,1,1e+06");
    // Before version 2.0 there is no terminator and nothing is skipped.
    CTextReader rest;
    const std::string old = Written(bc, 1.0f);
    EXPECT_EQ(old.find("ItemEnd"), std::string::npos);
    EXPECT_EQ(ReadBlock<CBoundaryCondition>(old + "Next\n", 1.0f, &rest).shearDistribution, "Blackmann");
    EXPECT_EQ(NextToken(rest), "Next");
}

TEST(boundary_record_test, OtherFormsAndShortBlocksReadNoFieldsButFindTheTerminator) {
    CTextReader rest;
    const auto other = ReadBlock<CBoundaryCondition>("Other\n3\n0.5\n0.5\nFixed\nItemEnd\n~Next\n", kCurrent, &rest);
    EXPECT_EQ(other.form, 3);
    EXPECT_FLOAT_EQ(other.x1, 0.0f);
    EXPECT_EQ(other.longitudinalSignalName, "None");
    EXPECT_EQ(NextToken(rest), "~Next");
    // Ends after its flags: the strings keep their defaults and the
    // terminator is still the end of this block.
    const auto shortBlock = ReadBlock<CBoundaryCondition>(
        "Short\n1\n0\n0\n0.01\n0\n1\n1\n0\n1\n1\n0\nItemEnd\n~Next\n", kCurrent, &rest);
    EXPECT_EQ(shortBlock.shearFixed, 1);
    EXPECT_EQ(shortBlock.longitudinalDistribution, "Uniform");
    EXPECT_EQ(NextToken(rest), "~Next");
    // Nor does a section keyword become a string.
    const auto open = ReadBlock<CBoundaryCondition>("Open\n1\n0\n0\n0\n0\n1\n1\n0\n1\n0\n0\n<EndBoundaryConditions>\n",
                                                    1.5f, &rest);
    EXPECT_EQ(open.longitudinalSignalName, "None");
    EXPECT_EQ(NextToken(rest), "<EndBoundaryConditions>");
}

// ------------------------------------------------------ positions, electrodes

TEST(item_translation_test, TranslateMovesBothEndsOfEverySegmentItem) {
    auto check = [](auto item) {
        item.x1 = 0.01f, item.y1 = 0.02f, item.x2 = 0.03f, item.y2 = 0.04f;
        item.Translate(0.5f, -0.25f);
        EXPECT_FLOAT_EQ(item.x1, 0.51f);
        EXPECT_FLOAT_EQ(item.y1, -0.23f);
        EXPECT_FLOAT_EQ(item.x2, 0.53f);
        EXPECT_FLOAT_EQ(item.y2, -0.21f);
    };
    check(CSource{});
    check(CReceiver{});
    check(CBoundaryCondition{});
    check(CElectrode{});
    check(CElectrodePair{});
}

TEST(item_translation_test, ElectrodePairsStartInForm2AndResetReturnsThere) {
    CElectrodePair pair;
    pair.form = 1;
    pair.Reset();
    EXPECT_EQ(pair.form, 2);
    EXPECT_FLOAT_EQ(pair.bDuration, 3e-6f);
}

}  // namespace
}  // namespace elix

#include "platform/text_format.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

namespace elix {
namespace {

std::string CFormat(const char* format, double value) {
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

// Every floating conversion the files use must match the C library's own
// output in the "C" locale, digit for digit.
TEST(TextFormatTest, FloatingConversionsMatchTheCLibrary) {
    const double values[] = {0.0, -0.0, 1.0, -1.5, 2.42, 1e6, 1e-5, 0.001, 3.1415925, 123456789.0,
                             1e-300, 9.9999995e-7, 0.5, 2.5, 1e21, -7.25e-12,
                             static_cast<double>(2.42f), static_cast<double>(1e-5f)};
    const char* formats[] = {"%e", "%f", "%g", "%.2f", "%8.5f", " %7.4f", "%E", "%G", "%.0f",
                             "%.0e", "%+e", "% f", "%12.3e", "%-12.3e|", "%012.3f", "%.10g", "%#.0f"};
    ASSERT_EQ(std::string(std::setlocale(LC_NUMERIC, nullptr)), "C");
    for (const char* format : formats)
        for (double value : values) EXPECT_EQ(Format(format, value), CFormat(format, value)) << format << " " << value;
}

TEST(TextFormatTest, NonFiniteValues) {
    EXPECT_EQ(Format("%e", std::numeric_limits<double>::infinity()), "inf");
    EXPECT_EQ(Format("%f", -std::numeric_limits<double>::infinity()), "-inf");
    EXPECT_EQ(Format("%5.1f|", std::numeric_limits<double>::quiet_NaN()), "  nan|");
}

TEST(TextFormatTest, IntegersStringsAndMixedArguments) {
    EXPECT_EQ(Format("Only %d items of '%s' could be loaded.", 16, "<MaterialProperties>"),
              "Only 16 items of '<MaterialProperties>' could be loaded.");
    EXPECT_EQ(Format("%d %8.5f", 12, 1.25), "12  1.25000");
    EXPECT_EQ(Format("%3d|%-3d|%03d", 7, 7, 7), "  7|7  |007");
    EXPECT_EQ(Format("%d", std::int16_t{-5}), "-5");
    EXPECT_EQ(Format("%d", std::uint8_t{255}), "255");
    EXPECT_EQ(Format("%.3s", "abcdef"), "abc");
    EXPECT_EQ(Format("100%% %x", 255), "100% ff");
    // A float given to %d converts; a missing argument prints nothing.
    EXPECT_EQ(Format("%d", 3.9), "3");
    EXPECT_EQ(Format("[%s]"), "[]");
}

TEST(TextFormatTest, ParseDoubleAcceptsWhatPercentFAccepts) {
    double v = 0;
    EXPECT_TRUE(ParseDouble("1.500000e+00", v));
    EXPECT_EQ(v, 1.5);
    EXPECT_TRUE(ParseDouble("+2.5E-3", v));
    EXPECT_EQ(v, 2.5e-3);
    EXPECT_TRUE(ParseDouble("1e+006", v));  // three-digit exponents of some writers
    EXPECT_EQ(v, 1e6);
    EXPECT_TRUE(ParseDouble("-.5", v));
    EXPECT_EQ(v, -0.5);
    EXPECT_TRUE(ParseDouble("0x1.8p1", v));
    EXPECT_EQ(v, 3.0);
    EXPECT_TRUE(ParseDouble("INF", v));
    EXPECT_TRUE(std::isinf(v));
    EXPECT_TRUE(ParseDouble("12abc", v));  // longest numeric prefix
    EXPECT_EQ(v, 12.0);
    EXPECT_TRUE(ParseDouble("1e999", v));
    EXPECT_TRUE(std::isinf(v));
    EXPECT_TRUE(ParseDouble("1e-999", v));
    EXPECT_EQ(v, 0.0);
    v = 7.0;
    EXPECT_FALSE(ParseDouble("ItemEnd", v));
    EXPECT_FALSE(ParseDouble("", v));
    EXPECT_FALSE(ParseDouble("-", v));
    EXPECT_EQ(v, 7.0);
}

TEST(TextFormatTest, ParseIntegerSaturatesAndTruncates) {
    long long v = 0;
    EXPECT_TRUE(ParseInteger("-42", v));
    EXPECT_EQ(v, -42);
    EXPECT_TRUE(ParseInteger("+7x", v));
    EXPECT_EQ(v, 7);
    EXPECT_TRUE(ParseInteger("99999999999999999999999", v));
    EXPECT_EQ(v, std::numeric_limits<long long>::max());
    EXPECT_TRUE(ParseInteger("1.5e3", v));  // "%d" stops at the point
    EXPECT_EQ(v, 1);
    EXPECT_FALSE(ParseInteger("None", v));
    // A "%d" value stored in a byte keeps its low bits, like a C assignment.
    EXPECT_EQ(TruncateTo<std::uint8_t>(259), 3);
    EXPECT_EQ(TruncateTo<std::int16_t>(65535), -1);
}

TEST(TextFormatTest, CalendarTimeHasTheTwentyFourCharacterForm) {
    const std::string text = CalendarTimeText(0);
    ASSERT_EQ(text.size(), 24u);
    EXPECT_EQ(text[3], ' ');
    EXPECT_EQ(text.substr(19, 1), " ");
    EXPECT_TRUE(text.substr(20) == "1970" || text.substr(20) == "1969");
}

}  // namespace
}  // namespace elix

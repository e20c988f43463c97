// PCX and GEO files byte for byte: the run-length encoder and decoder, the
// header fields, the palette trailer and the refusal of headers that
// cannot describe an image.
#include "geometry/pcx_codec.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <limits>
#include <vector>

#include "platform/files.h"
#include "support/temp_dir.h"

namespace elix {
namespace {

using test::ReadFileText;
using test::TempDir;

using Bytes = std::vector<std::uint8_t>;

Bytes Encode(const Bytes& line) {
    Bytes out;
    EncodeScanLine(line, out);
    return out;
}

// A 128-byte header as another program might write it.
struct HeaderFields {
    std::uint8_t version = 5;
    std::uint8_t bitsPerPixel = 8;
    int xMin = 0, yMin = 0, xMax = 0, yMax = 0;
    int hDpi = 72, vDpi = 72;
    std::uint8_t planes = 1;
    int bytesPerLine = 2;
    float geoX = 0.0f, geoY = 0.0f;
};

void Put16(Bytes& b, std::size_t at, int v) {
    b[at] = static_cast<std::uint8_t>(v & 0xFF);
    b[at + 1] = static_cast<std::uint8_t>((v >> 8) & 0xFF);
}

void Put32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int k = 0; k < 4; ++k) b[at + static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(v >> (8 * k));
}

Bytes Header(const HeaderFields& f) {
    Bytes b(kPcxHeaderSize, 0);
    b[0] = 10;
    b[1] = f.version;
    b[2] = 1;
    b[3] = f.bitsPerPixel;
    Put16(b, 4, f.xMin);
    Put16(b, 6, f.yMin);
    Put16(b, 8, f.xMax);
    Put16(b, 10, f.yMax);
    Put16(b, 12, f.hDpi);
    Put16(b, 14, f.vDpi);
    b[65] = f.planes;
    Put16(b, 66, f.bytesPerLine);
    Put32(b, 70, std::bit_cast<std::uint32_t>(f.geoX));
    Put32(b, 74, std::bit_cast<std::uint32_t>(f.geoY));
    return b;
}

Bytes Concat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// A palette trailer: marker 12 and 256 entries, entry i = colour(i).
template <class Colour>
Bytes Trailer(Colour colour) {
    Bytes b{kPaletteMarker};
    for (int i = 0; i < 256; ++i) {
        const auto [r, g, bl] = colour(i);
        b.push_back(static_cast<std::uint8_t>(r));
        b.push_back(static_cast<std::uint8_t>(g));
        b.push_back(static_cast<std::uint8_t>(bl));
    }
    return b;
}

bool Decode(const Bytes& data, DecodedImage& image, ImageFileFormat format = ImageFileFormat::Pcx) {
    return DecodeImageBytes(data, format, image);
}

TEST(PcxRunLengthTest, EncoderGoldenCases) {
    // 64 equal bytes: one full run of 63, then the last byte alone.
    EXPECT_EQ(Encode(Bytes(64, 10)), (Bytes{255, 10, 10}));
    // A single byte with both top bits set needs a run of one.
    EXPECT_EQ(Encode(Bytes{200}), (Bytes{193, 200}));
    EXPECT_EQ(Encode(Bytes{191}), (Bytes{191}));
    EXPECT_EQ(Encode(Bytes{192}), (Bytes{193, 192}));
    // Exactly 63 equal bytes: one run, nothing after it.
    EXPECT_EQ(Encode(Bytes(63, 7)), (Bytes{255, 7}));
    // 126: two full runs; the empty run left after the second is not written.
    EXPECT_EQ(Encode(Bytes(126, 0)), (Bytes{255, 0, 255, 0}));
    // Runs change with the value; a run of 2 is always counted.
    EXPECT_EQ(Encode((Bytes{1, 1, 2, 3, 3, 3})), (Bytes{194, 1, 2, 195, 3}));
}

TEST(PcxRunLengthTest, DecoderRules) {
    // A run that passes the end of the line is cut; the next line starts
    // with the next byte of the file.
    DecodedImage image;
    Bytes file = Concat(Header({.xMax = 3, .yMax = 1, .bytesPerLine = 4}), Bytes{198, 9, 1, 2, 3, 4});
    ASSERT_TRUE(Decode(file, image));
    EXPECT_EQ(image.rows[0], (Bytes{9, 9, 9, 9}));
    EXPECT_EQ(image.rows[1], (Bytes{1, 2, 3, 4}));

    // A count of 0 puts nothing.
    file = Concat(Header({.xMax = 1, .yMax = 0, .bytesPerLine = 2}), Bytes{192, 50, 5, 6});
    ASSERT_TRUE(Decode(file, image));
    EXPECT_EQ(image.rows[0], (Bytes{5, 6}));

    // A short file: the unwritten rest of a line keeps what the line
    // before put there.
    file = Concat(Header({.xMax = 3, .yMax = 2, .bytesPerLine = 4}), Bytes{1, 2, 3, 4, 7, 8});
    ASSERT_TRUE(Decode(file, image));
    EXPECT_EQ(image.rows[0], (Bytes{1, 2, 3, 4}));
    EXPECT_EQ(image.rows[1], (Bytes{7, 8, 3, 4}));
    EXPECT_EQ(image.rows[2], (Bytes{7, 8, 3, 4}));

    // A run count as the very last byte stops the line.
    file = Concat(Header({.xMax = 1, .yMax = 0, .bytesPerLine = 2}), Bytes{4, 195});
    ASSERT_TRUE(Decode(file, image));
    EXPECT_EQ(image.rows[0], (Bytes{4, 0}));

    // The pad byte of an even scan line is decoded but not a pixel.
    file = Concat(Header({.xMax = 2, .yMax = 0, .bytesPerLine = 4}), Bytes{1, 2, 3, 99});
    ASSERT_TRUE(Decode(file, image));
    EXPECT_EQ(image.rows[0], (Bytes{1, 2, 3}));
}

TEST(PcxFileTest, WrittenHeaderAndOddWidthPadding) {
    TempDir dir;
    const ImageRows rows{{1, 2, 3}, {200, 200, 200}};
    const std::string path = dir.Path("three.pcx");
    ASSERT_TRUE(WritePcx(path, 3, 2, rows, 254.4f, 0.2f));
    const std::string text = ReadFileText(path);
    const Bytes file(text.begin(), text.end());
    ASSERT_EQ(file.size(), 128u + 4u + 3u + 769u);
    const Bytes fixed{10, 5, 1, 8, 0, 0, 0, 0, 2, 0, 1, 0};
    EXPECT_TRUE(std::equal(fixed.begin(), fixed.end(), file.begin()));
    EXPECT_EQ(file[12] | (file[13] << 8), 254);                        // trunc(254.4 + 0.5)
    EXPECT_EQ(file[14] | (file[15] << 8), 1);                          // 0.2 rounds to 0, raised to 1
    for (std::size_t k = 16; k < 65; ++k) EXPECT_EQ(file[k], 0) << k;  // colour map and reserved
    EXPECT_EQ(file[65], 1);                                            // planes
    EXPECT_EQ(file[66] | (file[67] << 8), 4);                          // 3 rounded up to even
    EXPECT_EQ(file[68] | (file[69] << 8), 1);
    for (std::size_t k = 70; k < 128; ++k) EXPECT_EQ(file[k], 0) << k;
    // Each line holds 4 bytes, the fourth 0: "1 2 3 0" and "(3 x 200) 0".
    EXPECT_EQ(Bytes(file.begin() + 128, file.begin() + 135), (Bytes{1, 2, 3, 0, 195, 200, 0}));
    // Gray palette trailer.
    EXPECT_EQ(file[135], 12);
    for (int i = 0; i < 256; ++i)
        for (int c = 0; c < 3; ++c)
            ASSERT_EQ(file[136 + 3 * static_cast<std::size_t>(i) + static_cast<std::size_t>(c)], i);
    // And it reads back, the vertical dpi becoming both resolutions.
    DecodedImage image;
    ASSERT_TRUE(ReadPcx(path, image));
    EXPECT_EQ(image.rows, rows);
    EXPECT_EQ(image.resolutionX, 1.0f);
    EXPECT_EQ(image.resolutionY, 1.0f);
}

TEST(PcxFileTest, OneBitLinesExpandMostSignificantBitFirst) {
    DecodedImage image;
    const Bytes file =
        Concat(Header({.version = 3, .bitsPerPixel = 1, .xMax = 9, .yMax = 0, .bytesPerLine = 2}), Bytes{128, 0x40});
    ASSERT_TRUE(Decode(file, image));
    EXPECT_EQ(image.rows[0], (Bytes{255, 0, 0, 0, 0, 0, 0, 0, 0, 255}));
    // One byte per line holds at most 8 one-bit pixels.
    EXPECT_FALSE(Decode(Concat(Header({.bitsPerPixel = 1, .xMax = 8, .bytesPerLine = 1}), Bytes{0, 0}), image));
}

TEST(PcxFileTest, ColourPaletteBecomesGrayOnlyForVersion5) {
    auto colour = [](int i) {
        if (i == 7) return std::array<int, 3>{30, 60, 91};
        return std::array<int, 3>{255 - i, 255 - i, 255 - i};
    };
    const Bytes body{7, 7, 3, 0xC1, 200};
    DecodedImage image;
    ASSERT_TRUE(
        Decode(Concat(Concat(Header({.xMax = 3, .yMax = 0, .bytesPerLine = 4}), body), Trailer(colour)), image));
    EXPECT_EQ(image.rows[0], (Bytes{60, 60, 252, 55}));  // (30 + 60 + 91) / 3 = 60
    // Version 3 is never searched for a palette.
    ASSERT_TRUE(
        Decode(Concat(Concat(Header({.version = 3, .xMax = 3, .bytesPerLine = 4}), body), Trailer(colour)), image));
    EXPECT_EQ(image.rows[0], (Bytes{7, 7, 3, 200}));
    // A trailer without the marker 12 is not a palette.
    Bytes noMarker = Trailer(colour);
    noMarker[0] = 11;
    ASSERT_TRUE(Decode(Concat(Concat(Header({.xMax = 3, .bytesPerLine = 4}), body), noMarker), image));
    EXPECT_EQ(image.rows[0], (Bytes{7, 7, 3, 200}));
    // A file shorter than a trailer has none.
    ASSERT_TRUE(Decode(Concat(Header({.xMax = 3, .bytesPerLine = 4}), body), image));
    EXPECT_EQ(image.rows[0], (Bytes{7, 7, 3, 200}));
}

TEST(PcxFileTest, ResolutionComesFromTheVerticalField) {
    DecodedImage image;
    const Bytes body{1, 2};
    ASSERT_TRUE(Decode(Concat(Header({.xMax = 1, .hDpi = 300, .vDpi = 200}), body), image));
    EXPECT_EQ(image.resolutionX, 200.0f);
    EXPECT_EQ(image.resolutionY, 200.0f);
    // 0, as many drawing programs write, means 300.
    ASSERT_TRUE(Decode(Concat(Header({.xMax = 1, .hDpi = 96, .vDpi = 0}), body), image));
    EXPECT_EQ(image.resolutionY, 300.0f);
    // An x min other than 0 counts: width = x max - x min + 1.
    ASSERT_TRUE(Decode(Concat(Header({.xMin = 10, .yMin = 5, .xMax = 11, .yMax = 6}), Bytes{1, 2, 3, 4}), image));
    EXPECT_EQ(image.width, 2);
    EXPECT_EQ(image.height, 2);
}

TEST(GeoFileTest, KeepsTheFloatResolutionWhilePcxRoundsIt) {
    TempDir dir;
    const ImageRows rows{{0, 255}, {128, 64}};
    ASSERT_TRUE(WriteGeo(dir.Path("a.geo"), 2, 2, rows, 100.25f, 254.7f));
    const std::string text = ReadFileText(dir.Path("a.geo"));
    const Bytes file(text.begin(), text.end());
    // Lines "0 (1 x 255)" and "128 64": 3 + 2 bytes.
    ASSERT_EQ(file.size(), 128u + 5u + 769u);
    EXPECT_EQ(Bytes(file.begin() + 128, file.begin() + 133), (Bytes{0, 193, 255, 128, 64}));
    EXPECT_EQ(file[12] | (file[13] << 8), 100);
    EXPECT_EQ(file[14] | (file[15] << 8), 255);
    auto floatAt = [&file](std::size_t at) {
        return std::bit_cast<float>(static_cast<std::uint32_t>(file[at] | (file[at + 1] << 8) | (file[at + 2] << 16) |
                                                               (static_cast<std::uint32_t>(file[at + 3]) << 24)));
    };
    EXPECT_EQ(floatAt(70), 100.25f);
    EXPECT_EQ(floatAt(74), 254.7f);
    for (std::size_t k = 78; k < 128; ++k) EXPECT_EQ(file[k], 0) << k;
    DecodedImage image;
    ASSERT_TRUE(ReadGeo(dir.Path("a.geo"), image));
    EXPECT_EQ(image.resolutionX, 254.7f);  // the y value serves both axes
    EXPECT_EQ(image.resolutionY, 254.7f);
    EXPECT_EQ(image.rows, rows);

    ASSERT_TRUE(WritePcx(dir.Path("a.pcx"), 2, 2, rows, 254.7f, 254.7f));
    ASSERT_TRUE(ReadPcx(dir.Path("a.pcx"), image));
    EXPECT_EQ(image.resolutionY, 255.0f);
    // Read as PCX, a GEO file gives its rounded 16-bit value.
    ASSERT_TRUE(ReadPcx(dir.Path("a.geo"), image));
    EXPECT_EQ(image.resolutionY, 255.0f);
}

TEST(GeoFileTest, ResolutionThatIsNotAPositiveNumberFails) {
    DecodedImage image;
    const Bytes body{1, 2};
    for (float bad : {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(), 0.0f, -254.0f}) {
        EXPECT_FALSE(
            Decode(Concat(Header({.xMax = 1, .geoX = 300.0f, .geoY = bad}), body), image, ImageFileFormat::Geo))
            << bad;
        EXPECT_TRUE(image.rows.empty());
    }
    // The x float is ignored.
    ASSERT_TRUE(
        Decode(Concat(Header({.xMax = 1, .geoX = std::numeric_limits<float>::quiet_NaN(), .geoY = 96.5f}), body), image,
               ImageFileFormat::Geo));
    EXPECT_EQ(image.resolutionX, 96.5f);
}

TEST(PcxFileTest, HeadersThatCannotDescribeAnImageFail) {
    DecodedImage image;
    const Bytes body(16, 1);
    EXPECT_FALSE(Decode(Concat(Header({.xMax = 1, .planes = 3}), body), image));  // colour planes
    EXPECT_FALSE(Decode(Concat(Header({.xMax = 1, .planes = 0}), body), image));
    EXPECT_FALSE(Decode(Concat(Header({.xMin = 5, .xMax = 3}), body), image));          // width below 1
    EXPECT_FALSE(Decode(Concat(Header({.yMin = 2, .yMax = 0}), body), image));          // height below 1
    EXPECT_FALSE(Decode(Concat(Header({.xMax = 4, .bytesPerLine = 4}), body), image));  // line too short
    EXPECT_FALSE(Decode(Concat(Header({.xMax = 0, .bytesPerLine = 0}), body), image));
    // 65536 x 65536 pixels from a few bytes: refused, not allocated.
    EXPECT_FALSE(Decode(Concat(Header({.xMax = 65535, .yMax = 65535, .bytesPerLine = 65535}), body), image));
    // A header cut short.
    Bytes cut = Header({.xMax = 1});
    cut.resize(100);
    EXPECT_FALSE(Decode(cut, image));
    EXPECT_FALSE(Decode(Bytes{}, image));
    EXPECT_TRUE(image.rows.empty());
    EXPECT_EQ(image.width, 0);
    // Files that are missing.
    TempDir dir;
    EXPECT_FALSE(ReadPcx(dir.Path("none.pcx"), image));
    EXPECT_FALSE(ReadGeo(dir.Path("none.geo"), image));
}

TEST(PcxFileTest, WriterRefusesWhatTheHeaderCannotHold) {
    TempDir dir;
    EXPECT_FALSE(WritePcx(dir.Path("e.pcx"), 0, 1, ImageRows{}, 300.0f, 300.0f));
    EXPECT_FALSE(WritePcx(dir.Path("m.pcx"), 2, 2, ImageRows{{1, 2}}, 300.0f, 300.0f));  // rows missing
    EXPECT_FALSE(WritePcx(dir.Path("r.pcx"), 3, 1, ImageRows{{1, 2}}, 300.0f, 300.0f));  // row too short
    EXPECT_FALSE(FileExists(dir.Path("e.pcx")));
    EXPECT_FALSE(WritePcx(dir.Path("none/x.pcx"), 1, 1, ImageRows{{1}}, 300.0f, 300.0f));
    // Resolutions out of the 16-bit range are clamped, never wrapped.
    EXPECT_EQ(HeaderDpi(1e9f), 65535);
    EXPECT_EQ(HeaderDpi(std::numeric_limits<float>::quiet_NaN()), 1);
    EXPECT_EQ(HeaderDpi(-5.0f), 1);
    EXPECT_EQ(HeaderDpi(0.5f), 1);
    EXPECT_EQ(HeaderDpi(2.49f), 2);
}

TEST(PcxFileTest, FormatOfAPathFollowsItsLastThreeCharacters) {
    EXPECT_EQ(ImageFormatOfPath("a/plate.PCX"), ImageFileFormat::Pcx);
    EXPECT_EQ(ImageFormatOfPath("plate.Geo"), ImageFileFormat::Geo);
    EXPECT_EQ(ImageFormatOfPath("platepcx"), ImageFileFormat::Pcx);
    EXPECT_FALSE(ImageFormatOfPath("plate.bmp"));
    EXPECT_FALSE(ImageFormatOfPath("px"));
}

TEST(PcxFileTest, RoundTripOfARandomImage) {
    // Every byte value, runs of every length up to past 63, odd width.
    ImageRows rows(7, Bytes(301));
    unsigned state = 12345;
    for (auto& row : rows)
        for (std::size_t x = 0; x < row.size(); ++x) {
            state = state * 1103515245u + 12345u;
            row[x] = (x / 70) % 2 ? static_cast<std::uint8_t>(state >> 16) : static_cast<std::uint8_t>(x / 70 * 60);
        }
    Bytes encoded;
    ASSERT_TRUE(EncodeImage(ImageFileFormat::Pcx, 301, 7, rows, 300.0f, 300.0f, encoded));
    DecodedImage image;
    ASSERT_TRUE(Decode(encoded, image));
    EXPECT_EQ(image.rows, rows);
}

}  // namespace
}  // namespace elix

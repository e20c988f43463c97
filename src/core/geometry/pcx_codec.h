// PCX and GEO image files, byte for byte.
//
// Both formats are a 128-byte little-endian header, the scan lines top row
// first, each run-length encoded by itself, and (written always, read for
// version 5) a 769-byte trailer: the byte 12 and 256 (red, green, blue)
// palette entries.
//
//   offset size  field                    written
//   0      1     manufacturer             10
//   1      1     version                  5
//   2      1     encoding                 1
//   3      1     bits per pixel           8
//   4      2     x min, y min             0, 0
//   8      2     x max, y max             width - 1, height - 1
//   12     2     horizontal dpi           trunc(ResolutionX + 0.5), at least 1
//   14     2     vertical dpi             trunc(ResolutionY + 0.5), at least 1
//   16     48    16-colour map            zeros
//   64     1     reserved                 0
//   65     1     colour planes            1
//   66     2     bytes per scan line      width rounded up to an even number
//   68     2     palette information      1
//   70     58    filler                   zeros
//
// GEO keeps the exact resolutions: at 70 the x resolution and at 74 the y
// resolution as 32-bit floats (dots per inch), then 50 bytes of zeros.
//
// Reading takes both resolutions from the vertical one (PCX: the 16-bit
// dpi field, 0 meaning 300; GEO: the y float, which must be a finite
// number above 0).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "geometry/geometry_image.h"

namespace elix {

enum class ImageFileFormat { Pcx, Geo };

inline constexpr std::size_t kPcxHeaderSize = 128;
inline constexpr std::size_t kPaletteTrailerSize = 769;
inline constexpr std::uint8_t kPaletteMarker = 12;
// The default resolution of a PCX whose vertical dpi field is 0.
inline constexpr float kDefaultPcxResolution = 300.0f;

// The format a path names by its last three characters, compared without
// regard to case: "pcx" or "geo"; nothing for any other ending.
std::optional<ImageFileFormat> ImageFormatOfPath(const std::string& path);

// The header fields that reading uses.
struct PcxHeader {
    std::uint8_t version = 0;
    std::uint8_t bitsPerPixel = 0;
    int width = 0;   // x max - x min + 1
    int height = 0;  // y max - y min + 1
    std::uint16_t verticalDpi = 0;
    std::uint8_t planes = 0;
    std::uint16_t bytesPerLine = 0;
    float geoResolutionY = 0.0f;  // GEO only
};

// Parses the 128 header bytes. False when the header cannot describe a
// real image: width or height below 1, more than one colour plane, bytes
// per scan line too few for the width, more pixels than kMaxImagePixels,
// or (GEO) a y resolution that is not a finite number above 0.
bool ParseImageHeader(std::span<const std::uint8_t, kPcxHeaderSize> bytes, ImageFileFormat format, PcxHeader& header);

// An image as a file gives it back.
struct DecodedImage {
    int width = 0;
    int height = 0;
    ImageRows rows;
    float resolutionX = kDefaultPcxResolution;  // dots per inch
    float resolutionY = kDefaultPcxResolution;
};

// Run-length encoding of one scan line (the row's bytes and, for an odd
// width, one zero byte), appended to out: runs of up to 63 equal bytes are
// written as 192 + count and the byte; a single byte below 192 stands for
// itself.
void EncodeScanLine(std::span<const std::uint8_t> line, std::vector<std::uint8_t>& out);

// A source of file bytes for the decoder: the bytes in order, and the
// trailer read relative to the end of the data.
class ByteInput {
public:
    virtual ~ByteInput() = default;
    // The next byte, or -1 at the end.
    virtual int Next() = 0;
    // Reads count bytes starting distance bytes before the end; false when
    // there are fewer than distance bytes or the read comes up short.
    virtual bool ReadFromEnd(std::size_t distance, std::uint8_t* out, std::size_t count) = 0;
};

// Decodes one scan line into line (its size is the bytes per scan line),
// from position 0: a byte with both top bits set is a count (byte - 192)
// for the next byte, any other byte is one byte of the line; a run that
// passes the end of the line is cut there. At the end of the data the line
// stops: the rest keeps what the buffer held before.
void DecodeScanLine(ByteInput& in, std::vector<std::uint8_t>& line);

// Decodes a whole file. False (image left empty) when the header cannot
// describe a real image or the rows cannot be allocated.
bool DecodeImage(ByteInput& in, ImageFileFormat format, DecodedImage& image);
bool DecodeImageBytes(std::span<const std::uint8_t> data, ImageFileFormat format, DecodedImage& image);

// Encodes a whole file. False when the image does not fit the format's
// 16-bit fields (width 1..65534, height 1..65536) or rows do not match the
// size.
bool EncodeImage(ImageFileFormat format, int width, int height, const ImageRows& rows, float resolutionX,
                 float resolutionY, std::vector<std::uint8_t>& out);

// The dpi a header holds for a resolution: trunc(resolution + 0.5), at
// least 1 (and at most 65535, the field's range).
int HeaderDpi(float resolution);

// Files. Reading fails when the file cannot be opened or decoded; writing
// never destroys the previous file (the bytes go to a temporary file that
// is then renamed over the target).
bool ReadPcx(const std::string& path, DecodedImage& image);
bool ReadGeo(const std::string& path, DecodedImage& image);
bool ReadImageFile(const std::string& path, ImageFileFormat format, DecodedImage& image);
bool WritePcx(const std::string& path, int width, int height, const ImageRows& rows, float resolutionX,
              float resolutionY);
bool WriteGeo(const std::string& path, int width, int height, const ImageRows& rows, float resolutionX,
              float resolutionY);

}  // namespace elix
